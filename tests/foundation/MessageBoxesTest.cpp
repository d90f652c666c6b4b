#include <gtest/gtest.h>

#include "foundation/Application.h"
#include "foundation/Errors.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

TEST(MessageBoxes, KindsGiveCaptionsAndIcons) {
  Application().SetExeName("/media/cd/korvastart");
  ScriptedMessageBoxes boxes;
  const struct {
    TMsgDlgType kind;
    const char* caption;
    BoxIcon icon;
  } cases[] = {
      {TMsgDlgType::mtWarning, "Warning", BoxIcon::Warning},
      {TMsgDlgType::mtError, "Error", BoxIcon::Error},
      {TMsgDlgType::mtInformation, "Information", BoxIcon::Information},
      {TMsgDlgType::mtConfirmation, "Confirm", BoxIcon::Question},
      {TMsgDlgType::mtCustom, "korvastart", BoxIcon::None},
  };
  for (const auto& c : cases) {
    boxes.Answer(mrNo);
    EXPECT_EQ(ShowMessageBox("text", c.kind, mbYes | mbNo), mrNo);
    EXPECT_EQ(boxes.shown.back().caption, c.caption);
    EXPECT_EQ(boxes.shown.back().icon, c.icon);
  }
  ShowNotice("7");
  EXPECT_EQ(boxes.shown.back().caption, "korvastart");
  EXPECT_EQ(boxes.shown.back().buttons, mbOK);
}

TEST(MessageBoxes, KeysPressTheRightButtons) {
  const struct {
    TMsgDlgButtons buttons;
    int escape;
    int enter;
  } cases[] = {
      {mbYes | mbNo, mrNo, mrYes},  {mbYes | mbNo | mbCancel, mrCancel, mrYes}, {mbOK, mrOk, mrOk},
      {mbCancel, mrCancel, mrNone}, {mbOK | mbCancel, mrCancel, mrOk},          {mbYes, mrNone, mrYes},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EscapeResult(c.buttons), c.escape) << c.buttons;
    EXPECT_EQ(EnterResult(c.buttons), c.enter) << c.buttons;
  }
  EXPECT_EQ(ButtonText(mbYes), "&Yes");
  EXPECT_EQ(ButtonText(mbNo), "&No");
  EXPECT_EQ(ButtonResult(mbYes), 6);
  EXPECT_EQ(ButtonResult(mbNo), 7);
}

TEST(MessageBoxes, ErrorReportsAppendAFullStopOnlyAfterHigherCharacters) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"Done.", "Done."}, {"Stop!", "Stop!"}, {"Really?", "Really?."}, {"word", "word."}, {"", ""},
      {"12", "12."},      {"a-", "a-"},
  };
  Application().SetExeName("C:\\CD\\RUN.EXE");
  ScriptedMessageBoxes boxes;
  for (const auto& c : cases) {
    ReportHandlerError(Exception(c.message));
    EXPECT_EQ(boxes.shown.back().text, c.shown);
    EXPECT_EQ(boxes.shown.back().caption, "Run");
    EXPECT_EQ(boxes.shown.back().icon, BoxIcon::Error);
  }
}

TEST(MessageBoxes, StartupReportNamesKindModuleAndMessage) {
  Application().SetExeName("/media/cd/korvastart");
  ScriptedMessageBoxes boxes;
  ReportStartupError(EFOpenError("Cannot open file \"x\". No such file or directory"));
  ASSERT_EQ(boxes.shown.size(), 1u);
  const auto& box = boxes.shown[0];
  EXPECT_EQ(box.caption, "Application Error");
  EXPECT_TRUE(box.taskModal);
  EXPECT_TRUE(box.text.starts_with("Exception EFOpenError in module korvastart at ")) << box.text;
  EXPECT_TRUE(box.text.ends_with(".\r\nCannot open file \"x\". No such file or directory.\r\n")) << box.text;
}

TEST(Application, TitleComesFromTheProgramFile) {
  EXPECT_EQ(TApplication::TitleFromProgramFile("C:\\CD\\RUN.EXE"), "Run");
  EXPECT_EQ(TApplication::TitleFromProgramFile("/m/korvastart"), "korvastart");
  EXPECT_EQ(TApplication::TitleFromProgramFile("D:\\Start.Korva.exe"), "Start");
}

}  // namespace
