// Input as the window system delivers it, on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "controls/ColorButtonZEP.h"
#include "toolkit/Forms.h"
#include "toolkit/qt/QtBackend.h"

namespace {

// A white window with two buttons one above the other, as the start window has them.
class ColorButtonOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetToolkitBackend(&backend_);
    form_ = std::make_unique<TForm>(nullptr);
    form_->SetBounds(50, 50, 300, 120);
    form_->SetColor(clWhite);
    for (int i = 0; i < 2; ++i) {
      auto* b = new TColorButtonZEP(form_.get());
      b->SetName("ColorButtonZEP" + std::to_string(i + 1));
      b->SetBounds(10, 10 + 50 * i, 201, 40);
      b->SetCaption("Button");
      b->SetParent(form_.get());
      b->OnClick = [this, i](TObject*) { ++clicks[i]; };
      buttons[i] = b;
    }
    form_->Show();
    window_ = WidgetOf(*form_)->windowHandle();
    ASSERT_TRUE(window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
  void TearDown() override {
    form_.reset();
    SetToolkitBackend(previous_);
  }

  // A point of button i in window coordinates.
  QPoint At(int i, int x, int y) const { return QPoint(buttons[i]->Left() + x, buttons[i]->Top() + y); }
  QImage Picture(int i) { return WidgetOf(*buttons[i])->grab().toImage(); }

  TColorButtonZEP* buttons[2] = {};
  int clicks[2] = {};
  QWindow* window_ = nullptr;

 private:
  QtToolkitBackend backend_;
  ToolkitBackend* previous_ = nullptr;
  std::unique_ptr<TForm> form_;
};

TEST_F(ColorButtonOnScreen, FirstButtonTakesTheFocusAndTabMovesIt) {
  ASSERT_TRUE(buttons[0]->Focused());
  // The dotted rectangle inverts the white background 2 pixels inside the edge.
  EXPECT_EQ(Picture(0).pixelColor(2, 2), QColor(Qt::black));
  EXPECT_EQ(Picture(1).pixelColor(2, 2), QColor(Qt::white));
  QTest::keyClick(window_, Qt::Key_Tab);
  EXPECT_TRUE(buttons[1]->Focused());
  EXPECT_FALSE(buttons[0]->Focused());
  EXPECT_EQ(Picture(0).pixelColor(2, 2), QColor(Qt::white));
}

TEST_F(ColorButtonOnScreen, EnterAndSpaceDoNotClick) {
  ASSERT_TRUE(buttons[0]->Focused());
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) QTest::keyClick(window_, key);
  EXPECT_EQ(clicks[0], 0);
}

TEST_F(ColorButtonOnScreen, DoubleClickClicksOnce) {
  QTest::mouseDClick(window_, Qt::LeftButton, {}, At(1, 20, 20));
  EXPECT_EQ(clicks[1], 1);
  EXPECT_TRUE(buttons[1]->Focused());
}

TEST_F(ColorButtonOnScreen, RightButtonTakesTheFocusWithoutClick) {
  QTest::mouseClick(window_, Qt::RightButton, {}, At(1, 20, 20));
  EXPECT_TRUE(buttons[1]->Focused());
  EXPECT_EQ(clicks[1], 0);
}

TEST_F(ColorButtonOnScreen, PressAndLeaveTurnsTheHighlightOffAndDoesNotClick) {
  QTest::mouseMove(window_, At(0, 20, 20));
  ASSERT_TRUE(buttons[0]->MouseOver());
  QTest::mousePress(window_, Qt::LeftButton, {}, At(0, 20, 20));
  QTest::mouseMove(window_, At(0, 250, 20));
  EXPECT_FALSE(buttons[0]->MouseOver());
  QTest::mouseRelease(window_, Qt::LeftButton, {}, At(0, 250, 20));
  EXPECT_EQ(clicks[0], 0);
  EXPECT_FALSE(buttons[0]->MouseOver());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
