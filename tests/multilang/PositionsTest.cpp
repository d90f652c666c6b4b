#include <gtest/gtest.h>

#include "TestComponents.h"
#include "foundation/Errors.h"
#include "multilang/LookupTables.h"

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const TStrings* list) {
  return list->ToVector();
}

class PositionsAndFonts : public ::testing::Test {
 protected:
  TestWindow w{3};
};

TEST_F(PositionsAndFonts, FirstSwitchFillsEveryLanguageThenOnlyTheLanguageLeftIsOverwritten) {
  auto* label = w.Add("Label4");
  label->SetBounds(344, 184, 161, 73);
  auto* edit = w.Add<TTestEdit>("Edit1");
  edit->SetBounds(-5, 0, 10, 20);
  w.Add<TTestAction>("Action1");  // non-visual: no line
  w.form.SetBounds(1, 2, 3, 4);
  // Components take their places as their records are translated.
  for (const char* line : {"Label4", "a", "b", "c"}) w.ml->Words()->Add(line);
  w.ml->SetSwitchPositions(spControlsOnly);

  w.ml->SetActiveLanguage(1);
  EXPECT_EQ(LinesOf(w.ml->Positions()), (Lines{"label4,344.184.161.73,344.184.161.73,344.184.161.73",
                                               "edit1,-5.0.10.20,-5.0.10.20,-5.0.10.20"}));

  // Moved while language 1 is shown: stored for 1, and language 0's place comes back.
  label->SetBounds(340, 184, 170, 73);
  w.ml->SetActiveLanguage(0);
  EXPECT_EQ(w.ml->Positions()->Get(0), "label4,344.184.161.73,340.184.170.73,344.184.161.73");
  EXPECT_EQ(label->Bounds(), "344.184.161.73");
  w.ml->SetActiveLanguage(1);
  EXPECT_EQ(label->Bounds(), "340.184.170.73");
  EXPECT_EQ(w.form.Bounds(), "1.2.3.4");  // the form takes part only with spFormAndControls

  w.ml->SetSwitchPositions(spFormAndControls);
  w.ml->SetActiveLanguage(2);
  w.form.SetBounds(9, 9, 9, 9);
  w.ml->SetActiveLanguage(0);
  EXPECT_EQ(w.ml->Positions()->Get(2), "%Form%,1.2.3.4,1.2.3.4,9.9.9.9");
  EXPECT_EQ(w.form.Bounds(), "1.2.3.4");
}

TEST_F(PositionsAndFonts, LinesAreFoundByExactKeyAndTheLastMatchingLineWins) {
  struct Case {
    const char* name;
    const char* component;
    Lines before;
    const char* applied;  // bounds after applying language 0 (the component starts at 0.0.0.0)
    Lines after;          // Positions after capturing 7.7.7.7 for language 0
  };
  const Case cases[] = {
      {"capital letter in the line",
       "Label4",
       {"Label4,1.2.3.4"},
       "0.0.0.0",
       {"Label4,1.2.3.4", "label4,7.7.7.7,7.7.7.7,7.7.7.7"}},
      {"comma ends the key",
       "Label10",
       {"label1,1.2.3.4"},
       "0.0.0.0",
       {"label1,1.2.3.4", "label10,7.7.7.7,7.7.7.7,7.7.7.7"}},
      {"last line wins",
       "Label4",
       {"label4,1.1.1.1", "label4,2.2.2.2", "label5,3.3.3.3"},
       "2.2.2.2",
       {"label4,1.1.1.1", "label4,7.7.7.7,,", "label5,3.3.3.3"}},
      {"lines without a comma are no entries",
       "Label4",
       {"label4", "label4,1.2.3.4"},
       "1.2.3.4",
       {"label4", "label4,7.7.7.7,,"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow window(3);
    auto* label = window.Add(c.component);
    window.ml->SetSwitchPositions(spControlsOnly);
    for (const auto& line : c.before) window.ml->Positions()->Add(line);
    window.ml->ApplyPositions(label, 0);
    EXPECT_EQ(label->Bounds(), c.applied);
    label->SetBounds(7, 7, 7, 7);
    window.ml->CapturePositions(label, 0);
    EXPECT_EQ(LinesOf(window.ml->Positions()), c.after);
  }
}

TEST_F(PositionsAndFonts, KeyThatCommaTextSplitsIsWrittenBackSplitAndNotFoundAgain) {
  auto* label = w.Add("My Label");
  w.ml->SetSwitchPositions(spControlsOnly);
  w.ml->Positions()->Add("my label,1.2.3.4,1.2.3.4,1.2.3.4");
  try {
    w.ml->ApplyPositions(label, 0);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'label' is not a valid integer value");
  }
  label->SetBounds(7, 7, 7, 7);
  w.ml->CapturePositions(label, 0);
  w.ml->CapturePositions(label, 0);
  EXPECT_EQ(LinesOf(w.ml->Positions()),
            (Lines{"my,7.7.7.7,1.2.3.4,1.2.3.4,1.2.3.4", "my label,7.7.7.7,7.7.7.7,7.7.7.7"}));
}

TEST_F(PositionsAndFonts, LinesAreSplitExactlyAsCommaText) {
  const char* cases[] = {"",           "a",     "a,b",     "a,",        ",a",           "a,,b",
                         ",",          "a b,c", " a , b ", "\"a,b\",c", "\"a\"\"b\",c", "\"open,c",
                         "a,\"b\"x,c", "a\tb",  "x,\"\"",  "1.2.3.4,,"};
  for (const char* text : cases) {
    TStrings expected;
    expected.SetCommaText(text);
    std::vector<std::string_view> items;
    TStrings scratch;
    SplitCommaText(text, items, scratch);
    EXPECT_EQ(std::vector<std::string>(items.begin(), items.end()), expected.ToVector()) << text;
  }
  const std::string withZero("a,b\0,c", 7);
  TStrings expected;
  expected.SetCommaText(withZero);
  std::vector<std::string_view> items;
  TStrings scratch;
  SplitCommaText(withZero, items, scratch);
  EXPECT_EQ(std::vector<std::string>(items.begin(), items.end()), expected.ToVector());
}

TEST_F(PositionsAndFonts, LinesEditedFromOutsideAreSeenAtOnce) {
  auto* label = w.Add("Label4");
  w.ml->SetSwitchPositions(spControlsOnly);
  w.ml->SetActiveLanguage(1);  // indexes the lines
  w.ml->Positions()->BeginUpdate();
  w.ml->Positions()->Add("label4,5.5.5.5,6.6.6.6");
  w.ml->ApplyPositions(label, 0);
  EXPECT_EQ(label->Bounds(), "6.6.6.6");
  w.ml->Positions()->EndUpdate();
  TStrings replacement{"label4,1.1.1.1,2.2.2.2"};
  w.ml->SetPositions(&replacement);
  w.ml->ApplyPositions(label, 0);
  EXPECT_EQ(label->Bounds(), "2.2.2.2");

  // Also by a handler of the list's changes while a capture writes its line.
  w.ml->Positions()->OnChange = [&] {
    w.ml->Positions()->OnChange = nullptr;
    w.ml->Positions()->Add("label4,3.3.3.3,4.4.4.4");
  };
  w.ml->CapturePositions(label, 0);
  w.ml->ApplyPositions(label, 0);
  EXPECT_EQ(label->Bounds(), "4.4.4.4");
}

TEST_F(PositionsAndFonts, ApplyingAFieldSetsEachPresentPropertyOnItsOwn) {
  struct Case {
    const char* line;
    const char* bounds;  // afterwards; the label starts at 1.1.1.1
    const char* error;   // nullptr: none
  };
  const Case cases[] = {
      {"label4,5.6.7.8,-5.-6.7.8", "-5.-6.7.8", nullptr},
      {"label4,5.6.7.8,", "1.1.1.1", nullptr},       // nothing captured yet for language 1
      {"label4,5.6.7.8", "1.1.1.1", nullptr},        // no field for language 1 at all
      {"label4,5.6.7.8,5..7.", "5.1.7.1", nullptr},  // empty parts keep their properties
      {"label4,5.6.7.8,5.6.7", "5.6.7.1", "Assertion failure (MLBase, line 756)"},
      {"label4,5.6.7.8,5.x.7.8", "5.1.1.1", "'x' is not a valid integer value"},
      {"label4,5.6.7.8,5.6.7.8.9", "5.6.7.8", nullptr},  // parts beyond the fourth are ignored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    TestWindow window(2);
    auto* label = window.Add("Label4");
    label->SetBounds(1, 1, 1, 1);
    window.ml->SetSwitchPositions(spControlsOnly);
    window.ml->SetActiveLanguage(1);
    label->SetBounds(1, 1, 1, 1);
    window.ml->Positions()->Clear();
    window.ml->Positions()->Add(c.line);
    try {
      window.ml->ApplyPositions(label, 0);
      EXPECT_EQ(c.error, nullptr);
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.error ? c.error : "(none)");
    }
    EXPECT_EQ(label->Bounds(), c.bounds);
  }
}

TEST_F(PositionsAndFonts, BadFieldFailsTheSwitchForTheFormButOnlyItsComponentInTheWalk) {
  auto* label = w.Add("Label4");
  auto* next = w.Add("Label5");
  for (const char* line : {"Label4", "a", "b", "c", "Label5", "a", "b", "c"}) w.ml->Words()->Add(line);
  w.ml->SetSwitchPositions(spFormAndControls);
  w.ml->SetActiveLanguage(1);
  // Lines written for one language: capture pads them, and the empty field keeps the place.
  w.ml->Positions()->Put(0, "%Form%,1.2.3.4");
  w.ml->Positions()->Put(1, "label4,1.2.3.4");
  w.form.SetBounds(3, 3, 3, 3);
  w.ml->SetActiveLanguage(2);
  EXPECT_EQ(w.ml->Positions()->Get(0), "%Form%,1.2.3.4,3.3.3.3,");
  EXPECT_EQ(w.ml->Positions()->Get(1), "label4,1.2.3.4,0.0.0.0,");
  EXPECT_EQ(w.form.Bounds(), "3.3.3.3");
  EXPECT_EQ(label->Caption(), "c");

  w.ml->Positions()->Put(1, "label4,1.2.3,1.2.3.4,1.2.3.4");
  w.ml->SetActiveLanguage(0);
  EXPECT_EQ(label->Caption(), "c");  // its translation failed at the position...
  EXPECT_EQ(next->Caption(), "a");   // ...and the walk went on

  w.ml->Positions()->Put(0, "%Form%,1.2.3.4,1.x.3.4,1.2.3.4");
  EXPECT_THROW(w.ml->SetActiveLanguage(1), EConvertError);
  EXPECT_EQ(w.ml->ActiveLanguage(), 1);
  EXPECT_EQ(next->Caption(), "a");  // the walk did not run
}

TEST_F(PositionsAndFonts, PositionsDifferComparesEveryFieldWithTheFirst) {
  struct Case {
    const char* line;
    bool differ;
  };
  const Case cases[] = {
      {"x,1.2.3.4", false},
      {"x,1.2.3.4,1.2.3.4", false},
      {"x,1.2.3.4,1.2.3.5", true},
      {"x,1.2.3.4,1.2.3.4,", true},
      {"x", false},
      {"", false},
      {"x,1.2.3.4,1.2.3.4,1.2.3.4,9", true},
  };
  for (const Case& c : cases) EXPECT_EQ(TBaseMultiLang::PositionsDiffer(c.line), c.differ) << c.line;
}

TEST_F(PositionsAndFonts, DroppingPositionsAsksForEachDifferingLineAndOnlyYesGoesOn) {
  const char* dropAll =
      "You are going to drop the positions.\rCurrently different values are stored for each language,\r"
      "Do you want to drop these values?";
  const char* dropForm =
      "You are going to drop the positions for the form.\rCurrently different values are stored for each "
      "language.\rDo you want to drop these values?";
  const Lines differing = {"%Form%,1.1.1.1,2.2.2.2", "label1,1.1.1.1,1.1.1.1", "label2,1.1.1.1,3.3.3.3"};
  const Lines formEqual = {"label1,1.1.1.1,2.2.2.2", "%Form%,1.1.1.1,1.1.1.1", "%Form%,5.5.5.5,6.6.6.6"};
  struct Case {
    const char* name;
    TSwitchPositions from, to;
    Lines lines;
    std::vector<int> answers;
    Lines texts;  // every box shown, in order
    Lines after;
    TSwitchPositions mode;
  };
  const Case cases[] = {
      {"to none, yes to both",
       spFormAndControls,
       spNone,
       differing,
       {mrYes, mrYes},
       {dropAll, dropAll},
       {},
       spNone},
      {"to none, no at the first",
       spFormAndControls,
       spNone,
       differing,
       {mrNo},
       {dropAll, "Cancelled."},
       differing,
       spFormAndControls},
      {"to none, box closed",
       spControlsOnly,
       spNone,
       differing,
       {mrCancel},
       {dropAll, "Cancelled."},
       differing,
       spControlsOnly},
      {"to none, nothing differs", spControlsOnly, spNone, {"label1,1.1.1.1,1.1.1.1"}, {}, {}, {}, spNone},
      {"form line equal",
       spFormAndControls,
       spControlsOnly,
       formEqual,
       {},
       {},
       {"label1,1.1.1.1,2.2.2.2", "%Form%,5.5.5.5,6.6.6.6"},
       spControlsOnly},
      {"form line differs, yes",
       spFormAndControls,
       spControlsOnly,
       differing,
       {mrYes},
       {dropForm},
       {differing[1], differing[2]},
       spControlsOnly},
      {"form line differs, no",
       spFormAndControls,
       spControlsOnly,
       differing,
       {mrNo},
       {dropForm, "Cancelled."},
       differing,
       spFormAndControls},
      {"none to controls", spNone, spControlsOnly, differing, {}, {}, differing, spControlsOnly},
      {"controls to form",
       spControlsOnly,
       spFormAndControls,
       differing,
       {},
       {},
       differing,
       spFormAndControls},
      {"unchanged", spFormAndControls, spFormAndControls, differing, {}, {}, differing, spFormAndControls},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow window(2);
    window.ml->SetSwitchPositions(c.from);
    for (const auto& line : c.lines) window.ml->Positions()->Add(line);
    for (int answer : c.answers) window.boxes.Answer(answer);
    window.ml->SetSwitchPositions(c.to);
    EXPECT_EQ(window.boxes.Texts(), c.texts);
    for (const auto& box : window.boxes.shown) {
      const bool notice = box.text == "Cancelled.";
      EXPECT_EQ(box.caption, notice ? CaptionOf(TMsgDlgType::mtCustom) : "Warning");
      EXPECT_EQ(box.buttons, notice ? unsigned{mbOK} : unsigned{mbYes | mbNo});
    }
    EXPECT_EQ(LinesOf(window.ml->Positions()), c.after);
    EXPECT_EQ(window.ml->SwitchPositions(), c.mode);
  }
}

TEST_F(PositionsAndFonts, FontIsCapturedForTheLanguageLeftAndAppliedForTheNewOne) {
  TestWindow window(2);
  window.ml->SetActiveLanguage(1);
  EXPECT_EQ(LinesOf(window.ml->CharSets()), (Lines{"MS Sans Serif,1", "MS Sans Serif,1"}));

  window.ml->CharSets()->Put(0, "Arial,238");
  window.ml->CharSets()->Add("Ignored,7");  // beyond the languages
  window.ml->SetActiveLanguage(0);
  EXPECT_EQ(window.form.Font()->Name(), "Arial");
  EXPECT_EQ(window.form.Font()->Charset(), 238);
  window.form.Font()->SetName("Tahoma");
  window.ml->SetActiveLanguage(1);
  EXPECT_EQ(LinesOf(window.ml->CharSets()), (Lines{"Tahoma,238", "MS Sans Serif,1", "Ignored,7"}));
  EXPECT_EQ(window.form.Font()->Name(), "MS Sans Serif");

  // No font, or a font without a character set: nothing is captured.
  TBareForm bare(nullptr);
  auto* ml = new TTestMultiLang(&bare);
  ml->SetActiveLanguage(1);
  EXPECT_TRUE(ml->CharSets()->Empty());
  TTestMultiLang orphan(nullptr);
  orphan.SetActiveLanguage(1);
  EXPECT_TRUE(orphan.CharSets()->Empty());
}

TEST_F(PositionsAndFonts, FontLineIsSplitAtItsFirstCommaAndConvertedBeforeAnythingIsSet) {
  struct Case {
    const char* line;
    const char* name;  // afterwards; the font starts as "MS Sans Serif", 1
    int charset;
    const char* error;
  };
  const Case cases[] = {
      {"Arial,238", "Arial", 238, nullptr},
      {",5", "", 5, nullptr},
      {"238", "", 238, nullptr},  // no comma: no name, and the whole line is the character set
      {"Arial,x", "MS Sans Serif", 1, "'x' is not a valid integer value"},
      {"Arial", "MS Sans Serif", 1, "'Arial' is not a valid integer value"},
      {"A,B,7", "MS Sans Serif", 1, "'B,7' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    TestWindow window(2);
    window.ml->CharSets()->Add(c.line);
    try {
      window.ml->ApplyFont();
      EXPECT_EQ(c.error, nullptr);
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.error ? c.error : "(none)");
    }
    EXPECT_EQ(window.form.Font()->Name(), c.name);
    EXPECT_EQ(window.form.Font()->Charset(), c.charset);
  }
}

}  // namespace
