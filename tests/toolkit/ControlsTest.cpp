#include <gtest/gtest.h>

#include "foundation/Application.h"
#include "foundation/Description.h"
#include "foundation/Errors.h"
#include "support/RecordingCanvas.h"
#include "support/ScriptedMessageBoxes.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace {

// A backend without a screen that records what would reach the windowing system.
class RecordingBackend : public ToolkitBackend {
 public:
  struct Host : WindowHost {
    explicit Host(RecordingBackend& b) : backend(b) {}
    void SetBounds(const TRect& r) override { bounds = r; }
    void SetVisible(bool v) override {
      visible = v;
      backend.log.push_back(v ? "visible" : "hidden");
    }
    void Invalidate(const TRect&) override { ++invalidations; }
    void SetFocus() override {
      if (backend.focused) backend.focused->focus = false;
      focus = true;
      backend.focused = this;
    }
    bool HasFocus() const override { return focus; }
    void SetTabOrder(const std::vector<TWinControl*>&) override {}
    void SetCaption(const std::string& c) override { caption = c; }
    void SetFrame(BorderKind, bool, bool, bool) override {}
    TPoint FrameSize(int w, int h) const override { return {w + 8, h + 30}; }
    RecordingBackend& backend;
    TRect bounds;
    bool visible = false;
    bool focus = false;
    int invalidations = 0;
    std::string caption;
  };

  std::unique_ptr<WindowHost> CreateHost(TWinControl&) override { return std::make_unique<Host>(*this); }
  ScreenInfo Screen() const override { return screen; }
  int Run() override { return 0; }
  void Terminate() override { log.push_back("terminate"); }
  std::unique_ptr<FontMetrics> MeasureFont(const TFont&) const override {
    return std::make_unique<FixedFontMetrics>();
  }

  ScreenInfo screen{1280, 1024, 24};
  std::vector<std::string> log;
  Host* focused = nullptr;
};

class Toolkit : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = SetToolkitBackend(&backend); }
  void TearDown() override { SetToolkitBackend(previous_); }
  RecordingBackend backend;
  ToolkitBackend* previous_ = nullptr;
};

struct Events {
  std::vector<std::string> log;
  void Watch(TControl& c) {
    c.OnClick = [this, &c](TObject*) { log.push_back(c.Name() + " click"); };
    c.OnMouseEnter = [this, &c](TObject*) { log.push_back(c.Name() + " enter"); };
    c.OnMouseLeave = [this, &c](TObject*) { log.push_back(c.Name() + " leave"); };
  }
};

TEST_F(Toolkit, PointerGoesToTheUppermostWindowlessControl) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* image = new TLabel(&form);
  image->SetName("Image8");
  image->SetParent(&form);
  image->SetBounds(27, 186, 222, 67);
  auto* label = new TLabel(&form);
  label->SetName("Label12");
  label->SetParent(&form);
  label->SetBounds(88, 184, 161, 73);
  Events events;
  events.Watch(*image);
  events.Watch(*label);

  form.HostMouseMove(50, 200, 0);   // the part of the image the label does not cover
  form.HostMouseMove(100, 200, 0);  // onto the label, which lies above the image
  form.HostMouseDown(mbLeft, ssLeft, 100, 200);
  form.HostMouseUp(mbLeft, 0, 100, 200);
  form.HostMouseMove(60, 200, 0);
  form.HostMouseDown(mbLeft, ssLeft, 60, 200);
  form.HostMouseUp(mbLeft, 0, 60, 200);
  form.HostMouseLeave();
  const std::vector<std::string> expected = {"Image8 enter",  "Image8 leave",  "Label12 enter",
                                             "Label12 click", "Label12 leave", "Image8 enter",
                                             "Image8 click",  "Image8 leave"};
  EXPECT_EQ(events.log, expected);
}

TEST_F(Toolkit, ClickNeedsALeftPressAndReleaseInside) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* label = new TLabel(&form);
  label->SetName("L");
  label->SetParent(&form);
  label->SetBounds(10, 10, 100, 20);
  int clicks = 0;
  label->OnClick = [&](TObject*) { ++clicks; };
  const struct {
    TMouseButton button;
    TShiftState shift;
    int releaseX;
    int clicks;
  } cases[] = {
      {mbLeft, 0, 20, 1},         // press and release inside
      {mbLeft, 0, 200, 0},        // released outside
      {mbRight, 0, 20, 0},        // right button
      {mbMiddle, 0, 20, 0},       // middle button
      {mbLeft, ssDouble, 20, 0},  // the second press of a double click
  };
  for (const auto& c : cases) {
    clicks = 0;
    form.HostMouseDown(c.button, c.shift, 20, 15);
    form.HostMouseUp(c.button, 0, c.releaseX, 15);
    EXPECT_EQ(clicks, c.clicks) << "button " << c.button << " shift " << c.shift << " x " << c.releaseX;
  }
}

TEST_F(Toolkit, AlignedChildrenFillTheirParent) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 781, 461);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(5, 5, 100, 113);
  panel->SetAlign(alTop);
  auto* inside = new TLabel(&form);
  inside->SetParent(panel);
  inside->SetAlign(alClient);
  EXPECT_EQ(panel->BoundsRect(), (TRect{0, 0, 781, 113}));
  EXPECT_EQ(inside->BoundsRect(), (TRect{0, 0, 781, 113}));
  EXPECT_EQ(inside->Owner(), &form);
  EXPECT_EQ(inside->Parent(), panel);
}

TEST_F(Toolkit, ShowRunsTheShowEventThenCentresThenShows) {
  Application().SetExeName("/m/korvastart");
  ScriptedMessageBoxes boxes;
  TForm form(nullptr);
  Application().SetMainForm(&form);
  form.SetPosition(poScreenCenter);
  form.SetBounds(1730, 25, 781, 461);
  form.OnShow = [&](TObject*) {
    backend.log.push_back("show event at " + std::to_string(form.Left()));
    throw Exception("broken");
  };
  form.Show();
  EXPECT_EQ(backend.log, (std::vector<std::string>{"show event at 1730", "visible"}));
  EXPECT_EQ(form.Left(), (1280 - 789) / 2);
  EXPECT_EQ(form.Top(), (1024 - 491) / 2);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"broken."});  // reported, and the window still shows
  backend.screen = {640, 480, 24};
  TForm small(nullptr);
  small.SetPosition(poScreenCenter);
  small.SetBounds(0, 0, 781, 461);
  small.Show();
  EXPECT_EQ(small.Left(), 0);
  EXPECT_EQ(small.Top(), 0);
  form.Close();  // the main form: the event loop ends
  EXPECT_EQ(backend.log.back(), "terminate");
  Application().SetMainForm(nullptr);
}

TEST_F(Toolkit, ActivationFocusesTheFirstTabStop) {
  TForm form(nullptr);
  auto* second = new TPanel(&form);
  second->SetParent(&form);
  second->SetTabStop(true);
  second->SetTabOrder(2);
  auto* first = new TPanel(&form);
  first->SetParent(&form);
  first->SetTabStop(true);
  first->SetTabOrder(1);
  form.Show();
  form.Activated();
  EXPECT_TRUE(first->Focused());
  EXPECT_FALSE(second->Focused());
}

TEST_F(Toolkit, ChildrenFollowTheirParentsFontUntilTheyHaveTheirOwn) {
  TForm form(nullptr);
  auto* follower = new TLabel(&form);
  follower->SetParent(&form);
  auto* own = new TLabel(&form);
  own->SetParent(&form);
  own->Font()->SetName("Arial");
  form.Font()->SetHeight(-19);
  EXPECT_EQ(follower->Font()->Height(), -19);
  EXPECT_EQ(own->Font()->Height(), -11);
  EXPECT_FALSE(own->ParentFont());
}

// Text measures: 10 pixels a character, 5 a blank, 16 for W; lines 16 high.
TEST_F(Toolkit, AnAutoSizedLabelTakesTheSizeOfItsCaption) {
  const struct {
    const char* caption;
    TAlignment alignment;
    bool wordWrap;
    TRect bounds;
  } cases[] = {
      {"Hello", taLeftJustify, false, {100, 50, 150, 66}},
      {"Hello\r\nWorld", taCenter, false, {100, 50, 156, 82}},   // the wider line, two lines high
      {"&Save", taLeftJustify, false, {100, 50, 140, 66}},       // the ampersand is not drawn
      {"", taLeftJustify, false, {100, 50, 105, 66}},            // one line high
      {"Hi", taRightJustify, false, {145, 50, 165, 66}},         // keeps its right edge
      {"aaa bbb ccc", taLeftJustify, true, {100, 50, 165, 82}},  // "aaa bbb" fills the width of 65
  };
  for (const auto& c : cases) {
    // Without AutoSize the label keeps its size; switching it on sizes the label at once.
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetAutoSize(false);
    label->SetAlignment(c.alignment);
    label->SetWordWrap(c.wordWrap);
    label->SetCaption(c.caption);
    label->SetBounds(100, 50, 65, 17);
    EXPECT_EQ(label->BoundsRect(), (TRect{100, 50, 165, 67})) << c.caption;
    label->SetAutoSize(true);
    EXPECT_EQ(label->BoundsRect(), c.bounds) << c.caption;
  }

  // Every new caption and font sizes it again.
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  label->SetCaption("CD Betrieb");
  EXPECT_EQ(label->BoundsRect(), (TRect{0, 0, 95, 16}));
  label->SetCaption("Install");
  EXPECT_EQ(label->BoundsRect(), (TRect{0, 0, 70, 16}));
}

TEST_F(Toolkit, ALabelReadFromADescriptionIsSizedOnceItIsComplete) {
  RegisterToolkitClasses();
  TForm form(nullptr);
  LoadDescription(form, R"(object Form: TForm
  object Fixed: TLabel
    Left = 8
    Top = 8
    Width = 161
    Height = 73
    Caption = 'CD Betrieb'
    AutoSize = False
  end
  object Sized: TLabel
    Left = 8
    Top = 100
    Width = 161
    Height = 73
    Caption = 'CD Betrieb'
  end
end
)",
                  "test");
  EXPECT_EQ(As<TControl>(LookupComponent(&form, "Fixed")).BoundsRect(), (TRect{8, 8, 169, 81}));
  EXPECT_EQ(As<TControl>(LookupComponent(&form, "Sized")).BoundsRect(), (TRect{8, 100, 103, 116}));
}

TEST(Colors, SystemAndPlainColoursResolveToRgb) {
  EXPECT_EQ(ColorToRgb(5938787), 0x639E5Au);
  EXPECT_EQ(ColorToRgb(14215660), 0xECE9D8u);
  EXPECT_EQ(ColorToRgb(clWhite), 0xFFFFFFu);
  EXPECT_EQ(ColorToRgb(clWindowText), 0x000000u);
}

}  // namespace
