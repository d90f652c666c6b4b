#include <gtest/gtest.h>

#include <utility>

#include "TestComponents.h"
#include "foundation/Errors.h"

namespace {

using Lines = std::vector<std::string>;

class LanguageSwitch : public ::testing::Test {
 protected:
  void SetWords(const Lines& lines) {
    for (const auto& line : lines) w.ml->Words()->Add(line);
  }
  TestWindow w{3};
};

TEST_F(LanguageSwitch, LanguageOutOfRangeIsRefusedWithACancelBoxAndNothingElse) {
  w.ml->SetActiveLanguage(3);
  ASSERT_EQ(w.boxes.shown.size(), 1u);
  EXPECT_EQ(w.boxes.shown[0].text, "Value must not be higher than\rnumber of available languages.");
  EXPECT_EQ(w.boxes.shown[0].caption, "Information");
  EXPECT_EQ(w.boxes.shown[0].buttons, mbCancel);
  EXPECT_EQ(w.ml->ActiveLanguage(), 0);
  EXPECT_TRUE(w.events.empty());
  EXPECT_TRUE(w.ml->CharSets()->Empty());  // nothing captured either

  w.ml->SetActiveLanguage(2);
  EXPECT_EQ(w.ml->ActiveLanguage(), 2);
  EXPECT_EQ(w.events, (Lines{"before 2 at 0", "after 2"}));
}

TEST_F(LanguageSwitch, WalkAppliesFormRecordAndLooksKeysUpWithoutCaseSteppingOverTheRest) {
  auto* label12 = w.Add("Label12");
  auto* label4 = w.Add("Label4");
  SetWords({"%Form%",  "Titel",        "Title",
            "Tytul",  // the form's caption
            "%form%",  "x0",           "x1",
            "x2",  // not the form's record, and no component's name
            "LABEL12", "CD Betrieb",   "CD Direct run",
            "CD",  //
            "Ghost",   "g0",           "g1",
            "g2",  // names no component
            "\"",      "c0",           "c1",
            "c2",  // a continuation record met by the walk itself
            "Label4",  "Installation", "Install",
            ""});
  w.ml->SetActiveLanguage(1);
  EXPECT_EQ(w.form.Caption(), "Title");
  EXPECT_EQ(label12->Caption(), "CD Direct run");
  EXPECT_EQ(label4->Caption(), "Install");
  EXPECT_EQ(w.ml->translated, (Lines{"Label12", "Label4"}));

  // The same language again runs the whole switch: texts are put back, both events raised.
  label4->SetCaption("changed");
  w.events.clear();
  w.ml->SetActiveLanguage(1);
  EXPECT_EQ(label4->Caption(), "Install");
  EXPECT_EQ(w.events, (Lines{"before 1 at 1", "after 1"}));

  // An empty text clears the caption unless the default language is enabled.
  w.ml->SetActiveLanguage(2);
  EXPECT_EQ(label4->Caption(), "");
}

TEST_F(LanguageSwitch, FirstComponentOfANameWinsAndTheNameIndexFollowsChangesToTheForm) {
  auto* first = w.Add("Twin");
  auto* other = w.Add("Other");
  auto* second = new TTestLabel(nullptr);
  second->SetName("twin");
  w.form.InsertComponent(second);  // bypasses the owner's name check
  // Out of the owner's order: after Other, the next component bears the name but is not the first.
  SetWords({"Other", "o0", "o1",    "o2", "Twin", "a",  "b",       "c",  "Late", "l0",
            "l1",    "l2", "Extra", "e0", "e1",   "e2", "Renamed", "r0", "r1",   "r2"});
  w.ml->SetActiveLanguage(1);
  EXPECT_EQ(other->Caption(), "o1");
  EXPECT_EQ(first->Caption(), "b");
  EXPECT_EQ(second->Caption(), "");

  // Renamed, or added and named, after a switch: found at the next one.
  second->SetName("Renamed");
  w.ml->SetActiveLanguage(2);
  EXPECT_EQ(second->Caption(), "r2");
  auto* late = w.Add("Late");
  w.ml->SetActiveLanguage(1);
  EXPECT_EQ(late->Caption(), "l1");

  // A setter that frees a component whose record comes later and creates another: the freed one's
  // record is stepped over, the new one's applied.
  TTestLabel* extra = nullptr;
  first->OnCaption = [&](TTestLabel&) {
    if (!late) return;
    delete std::exchange(late, nullptr);
    extra = w.Add("Extra");
  };
  w.ml->translated.clear();
  w.ml->SetActiveLanguage(0);
  EXPECT_EQ(w.ml->translated, (Lines{"Other", "Twin", "Extra", "Renamed"}));
  ASSERT_NE(extra, nullptr);
  EXPECT_EQ(extra->Caption(), "e0");
}

TEST_F(LanguageSwitch, ComponentRenamedDuringTheWalkIsFoundUnderItsNewName) {
  auto* a = w.Add("A");
  auto* b = w.Add("B");
  auto* z = w.Add("Z");
  SetWords({"A", "a0", "a1", "a2", "Z", "z0", "z1", "z2", "C", "c0", "c1", "c2"});
  w.ml->SetActiveLanguage(1);
  a->OnCaption = [&](TTestLabel&) { b->SetName("C"); };
  w.ml->translated.clear();
  w.ml->SetActiveLanguage(2);
  EXPECT_EQ(w.ml->translated, (Lines{"A", "Z", "C"}));
  EXPECT_EQ(b->Caption(), "c2");
  EXPECT_EQ(z->Caption(), "z2");
}

TEST_F(LanguageSwitch, VetoLeavesCaptionsLanguageFontsAndPositionsUntouched) {
  auto* label = w.Add("Label4");
  label->SetBounds(1, 2, 3, 4);
  w.ml->SetSwitchPositions(spControlsOnly);
  SetWords({"Label4", "a", "b", "c"});
  w.veto = true;
  w.ml->SetActiveLanguage(1);
  EXPECT_EQ(w.events, Lines{"before 1 at 0"});
  EXPECT_EQ(w.ml->ActiveLanguage(), 0);
  EXPECT_EQ(label->Caption(), "");
  EXPECT_TRUE(w.ml->CharSets()->Empty());
  EXPECT_TRUE(w.ml->Positions()->Empty());
}

TEST_F(LanguageSwitch, HandlersAreUnguardedAndTheirErrorsReachTheCaller) {
  auto* label = w.Add("Label4");
  SetWords({"Label4", "a", "b", "c"});
  w.ml->BeforeLanguageChange = [](TObject*, std::uint8_t, bool&) { throw Exception("before"); };
  EXPECT_THROW(w.ml->SetActiveLanguage(1), Exception);
  EXPECT_EQ(w.ml->ActiveLanguage(), 0);
  EXPECT_EQ(label->Caption(), "");

  w.ml->BeforeLanguageChange = nullptr;
  w.ml->AfterLanguageChanged = [](TObject*, std::uint8_t) { throw Exception("after"); };
  EXPECT_THROW(w.ml->SetActiveLanguage(1), Exception);
  EXPECT_EQ(w.ml->ActiveLanguage(), 1);
  EXPECT_EQ(label->Caption(), "b");
}

TEST_F(LanguageSwitch, FailuresOutsideTheWalksGuardsLeaveTheSwitchHalfDone) {
  struct Case {
    const char* name;
    Lines words;
    Lines charSets;
    const char* message;
    const char* label1;  // its caption afterwards
  };
  const Case cases[] = {
      // The form's record lacks the line of language 2: records before it stay applied.
      {"form record cut off",
       {"Label1", "a", "b", "c", "%Form%", "t0", "t1"},
       {},
       "List index out of bounds (7)",
       "c"},
      // A malformed font line fails before the walk.
      {"font",
       {"Label1", "a", "b", "c"},
       {"Arial,1", "Arial,1", "Arial,x"},
       "'x' is not a valid integer value",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow window(3);
    auto* label = window.Add("Label1");
    for (const auto& line : c.words) window.ml->Words()->Add(line);
    for (const auto& line : c.charSets) window.ml->CharSets()->Add(line);
    try {
      window.ml->SetActiveLanguage(2);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(window.ml->ActiveLanguage(), 2);
    EXPECT_EQ(label->Caption(), c.label1);
    EXPECT_EQ(window.events, Lines{"before 2 at 0"});  // no "after"
  }
}

TEST_F(LanguageSwitch, EveryPassMovesOnByAtLeastOneRecord) {
  struct Case {
    const char* name;
    int cursorTo;  // where the failing component leaves the cursor
    bool fails;
  };
  const Case cases[] = {
      {"fails, cursor left", TTestMultiLang::kLeaveCursor, true},
      {"fails after moving the cursor back", 0, true},
      {"returns the cursor moved back", 0, false},
      {"returns the cursor moved back before the table", -100, false},
      {"returns the cursor moved by one line", 5, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow window(3);
    auto* one = window.Add("Label1");
    window.Add("Label2");
    auto* three = window.Add("Label3");
    for (const char* line :
         {"Label1", "a1", "b1", "c1", "Label2", "a2", "b2", "c2", "Label3", "a3", "b3", "c3"})
      window.ml->Words()->Add(line);
    window.ml->misbehaveFor = "Label2";
    window.ml->cursorTo = c.cursorTo;
    window.ml->fails = c.fails;
    window.ml->SetActiveLanguage(1);
    EXPECT_EQ(one->Caption(), "b1");
    EXPECT_EQ(three->Caption(), "b3");
    EXPECT_EQ(window.ml->translated, (Lines{"Label1", "Label2", "Label3"}));
    EXPECT_EQ(window.events.back(), "after 1");
  }
}

TEST_F(LanguageSwitch, TableCutOffInsideItsLastRecordEndsTheWalk) {
  auto* one = w.Add("Label1");
  w.Add("Label2");
  SetWords({"Label1", "a", "b", "c", "Label2", "a2"});  // Label2 lacks the lines of languages 1 and 2
  w.ml->SetActiveLanguage(2);
  EXPECT_EQ(one->Caption(), "c");
  EXPECT_EQ(w.ml->translated, (Lines{"Label1", "Label2"}));
  EXPECT_EQ(w.events.back(), "after 2");
}

TEST_F(LanguageSwitch, FailedLookupEndsTheWalkWhateverTheTablesSize) {
  // A table far beyond 99999 lines, with a record whose lookup fails near its start and another
  // record at line 99999, which must not be reached.
  TestWindow window(2);
  auto* before = window.Add("Before");
  auto* far = window.Add("Far");
  Lines words = {"Before", "b0", "b1", "Broken", "x0", "x1"};
  while (words.size() < 99999) words.insert(words.end(), {"Nobody", "n0", "n1"});
  words.insert(words.end(), {"Far", "wrong", "wrong"});
  words.insert(words.end(), {"Nobody", "n0", "n1"});
  ASSERT_EQ(words[99999], "Far");
  for (const auto& line : words) window.ml->Words()->Add(line);
  window.ml->lookupFailsFor = "Broken";
  window.ml->SetActiveLanguage(1);
  EXPECT_EQ(before->Caption(), "b1");
  EXPECT_EQ(far->Caption(), "");
  EXPECT_EQ(window.events.back(), "after 1");
}

TEST_F(LanguageSwitch, TextIsWrittenOnlyWhereTheKindPublishesAStringOfThatName) {
  auto* label = w.Add("Label1");
  auto* edit = w.Add<TTestEdit>("Edit1");
  w.ml->SetText(label, "Caption", "caption");
  w.ml->SetText(label, "TEXT", "nothing");
  w.ml->SetText(edit, "text", "text");
  w.ml->SetText(edit, "Caption", "nothing");
  EXPECT_EQ(label->Caption(), "caption");
  EXPECT_EQ(edit->Text(), "text");
  EXPECT_THROW(w.ml->SetText(edit, "ReadOnly", "x"), EPropertyError);  // as writing it by name
}

TEST_F(LanguageSwitch, IsTranslatableChecksInOrder) {
  auto* readOnlyMemo = w.Add<TTestMemo>("Memo1");
  readOnlyMemo->SetReadOnly(true);
  auto* editableMemo = w.Add<TTestMemo>("Memo2");
  auto* editableEdit = w.Add<TTestEdit>("Edit1");
  auto* readOnlyEdit = w.Add<TTestEdit>("Edit2");
  readOnlyEdit->SetReadOnly(true);
  auto* labeledEdit = w.Add<TTestLabeledEdit>("LabeledEdit1");
  auto* boundButton = w.Add<TTestButton>("Button1");
  boundButton->SetAction(w.Add<TTestAction>("Action1"));
  auto* plainButton = w.Add<TTestButton>("Button2");
  auto* label = w.Add("Label1");
  struct Case {
    const TComponent* component;
    bool never, readOnly, always;
  };
  const Case cases[] = {
      {readOnlyMemo, false, true, true},  {editableMemo, false, false, true},
      {editableEdit, false, false, true}, {readOnlyEdit, false, true, true},
      {labeledEdit, true, true, true},    {boundButton, false, false, true},
      {plainButton, true, true, true},    {label, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.component->Name());
    w.ml->SetTranslateEdits(teNever);
    EXPECT_EQ(w.ml->IsTranslatable(c.component), c.never);
    w.ml->SetTranslateEdits(teReadOnly);
    EXPECT_EQ(w.ml->IsTranslatable(c.component), c.readOnly);
    w.ml->SetTranslateEdits(teAlways);
    EXPECT_EQ(w.ml->IsTranslatable(c.component), c.always);
  }
}

}  // namespace
