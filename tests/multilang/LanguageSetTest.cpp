#include <gtest/gtest.h>

#include "TestComponents.h"
#include "foundation/Description.h"

namespace {

using Lines = std::vector<std::string>;

constexpr const char* kDecreaseDroppingShown =
    "You are decreasing the number of languages.\rEntries for the removed language will be lost.\r"
    "The currently displayed language will be deleted, too.\r\rDo you really want to continue?";
constexpr const char* kDecrease =
    "You are decreasing the number of languages.\rEntries for the removed language will be "
    "lost.\r\rContinue?";
constexpr const char* kAtLeastOne = "You have to provide at least 1 language.";
constexpr const char* kRange = "Value must not be higher than\rnumber of available languages.";

TEST(LanguageSet, ReshapingWordsAsksWhereTextsAreLostAndOnlyYesGoesOn) {
  const Lines three = {"K0", "a0", "b0", "c0", "K1", "a1", "b1", "c1"};
  struct Case {
    const char* name;
    int from, to, active;
    Lines words;
    std::vector<int> answers;
    bool loading, veto;
    Lines texts;    // boxes shown
    Lines after;    // Words afterwards
    int languages;  // afterwards
    Lines events;
  };
  const Case cases[] = {
      {"raise",
       2,
       3,
       0,
       {"K0", "a0", "b0", "K1", "a1", "b1"},
       {},
       false,
       false,
       {},
       {"K0", "a0", "b0", "?", "K1", "a1", "b1", "?"},
       3,
       {}},
      {"raise by two from one",
       1,
       3,
       0,
       {"K0", "a0", "K1", "a1"},
       {},
       false,
       false,
       {},
       {"K0", "a0", "?", "?", "K1", "a1", "?", "?"},
       3,
       {}},
      {"raise, a stray line before the records",
       2,
       3,
       0,
       {"stray", "K0", "a0", "b0"},
       {},
       false,
       false,
       {},
       {"stray", "K0", "a0", "b0", "?"},
       3,
       {}},
      {"lower, yes",
       3,
       2,
       1,
       three,
       {mrYes},
       false,
       false,
       {kDecrease},
       {"K0", "a0", "b0", "K1", "a1", "b1"},
       2,
       {}},
      {"lower, no", 3, 2, 1, three, {mrNo}, false, false, {kDecrease}, three, 3, {}},
      {"lower, box closed", 3, 2, 1, three, {mrCancel}, false, false, {kDecrease}, three, 3, {}},
      {"lower past the shown language, yes",
       3,
       1,
       2,
       three,
       {mrYes},
       false,
       false,
       {kDecreaseDroppingShown},
       {"K0", "a0", "K1", "a1"},
       1,
       {"before 0 at 2", "after 0"}},
      {"lower past the shown language, no",
       3,
       1,
       2,
       three,
       {mrNo},
       false,
       false,
       {kDecreaseDroppingShown},
       three,
       3,
       {}},
      {"lower past the shown language, switch refused",
       3,
       1,
       2,
       three,
       {mrYes},
       false,
       true,
       {kDecreaseDroppingShown},
       {"K0", "a0", "K1", "a1"},
       1,
       {"before 0 at 2"}},
      {"lower to none", 3, 0, 0, three, {}, false, false, {kAtLeastOne}, three, 3, {}},
      {"lower to none while loading", 3, 0, 0, three, {}, true, false, {}, {"K0", "K1"}, 0, {}},
      {"lower past the shown language while loading",
       3,
       1,
       2,
       three,
       {},
       true,
       false,
       {},
       {"K0", "a0", "K1", "a1"},
       1,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow w(c.from);
    w.ml->SetActiveLanguage(static_cast<std::uint8_t>(c.active));
    w.events.clear();
    for (const auto& line : c.words) w.ml->Words()->Add(line);
    for (int answer : c.answers) w.boxes.Answer(answer);
    w.veto = c.veto;
    w.ml->SetLoading(c.loading);
    w.ml->SetLanguages(static_cast<std::uint8_t>(c.to));
    EXPECT_EQ(w.boxes.Texts(), c.texts);
    for (const auto& box : w.boxes.shown) {
      const bool refusal = box.text == kAtLeastOne;
      EXPECT_EQ(box.caption, refusal ? "Information" : "Confirm");
      EXPECT_EQ(box.buttons, refusal ? unsigned{mbOK} : unsigned{mbYes | mbNo});
    }
    EXPECT_EQ(w.ml->Words()->ToVector(), c.after);
    EXPECT_EQ(w.ml->Languages(), c.languages);
    EXPECT_EQ(w.events, c.events);
  }
}

TEST(LanguageSet, DefaultLanguageIsRangeCheckedAndRefreshesOnlyWhenChanged) {
  TestWindow w(3);
  auto* label = w.Add("Label4");
  for (const char* line : {"%Form%", "Titel", "", "", "Label4", "Installation", "", "Instalacja"})
    w.ml->Words()->Add(line);
  w.ml->SetActiveLanguage(1);
  EXPECT_EQ(w.form.Caption(), "");
  w.events.clear();

  w.ml->SetDefaultLanguage(3);
  EXPECT_EQ(w.boxes.Texts(), Lines{kRange});
  EXPECT_EQ(w.boxes.shown[0].buttons, unsigned{mbCancel});
  w.ml->SetDefaultLanguage(0);  // the present value: not even a refresh
  EXPECT_EQ(w.ml->DefaultLanguage(), 0);
  EXPECT_TRUE(w.events.empty());

  // Enabling the default shows its texts at once where the shown language has none.
  w.ml->SetDefaultEnabled(true);
  EXPECT_EQ(w.form.Caption(), "Titel");
  EXPECT_EQ(label->Caption(), "Installation");
  w.ml->SetDefaultLanguage(2);
  EXPECT_EQ(w.form.Caption(), "");
  EXPECT_EQ(label->Caption(), "Instalacja");
  w.ml->SetDefaultEnabled(true);  // unchanged: no refresh
  EXPECT_EQ(w.events, (Lines{"before 1 at 1", "after 1", "before 1 at 1", "after 1"}));
  EXPECT_EQ(w.boxes.shown.size(), 1u);
}

TEST(LanguageSet, DescriptionStoringAHighDefaultLanguageIsReadWithTheRangeMessage) {
  RegisterTestKinds();
  ScriptedMessageBoxes boxes;
  TTestForm form(nullptr);
  LoadDescription(form, R"(object Form: TTestForm
  object MultiLang1: TTestMultiLang
    DefaultLanguage = 2
    Languages = 3
  end
end
)",
                  "t");
  EXPECT_EQ(boxes.Texts(), Lines{kRange});
  EXPECT_EQ(static_cast<TBaseMultiLang*>(LookupComponent(&form, "MultiLang1"))->DefaultLanguage(), 0);
}

}  // namespace
