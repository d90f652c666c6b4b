#include <gtest/gtest.h>

#include <algorithm>

#include "TestComponents.h"
#include "foundation/Description.h"
#include "foundation/Errors.h"

namespace {

class MultiLangStore : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestKinds(); }
  ScriptedMessageBoxes boxes;
};

std::vector<std::string> OwnPropertyNames(const ClassInfo& info) {
  std::vector<std::string> names;
  for (const PropInfo& p : info.OwnProperties()) names.push_back(p.name);
  return names;
}

TEST_F(MultiLangStore, FreshComponentHasItsDefaultsAndPublishesItsPropertiesInOrder) {
  TTestMultiLang ml(nullptr);
  EXPECT_EQ(ml.Languages(), 2);
  EXPECT_EQ(ml.ActiveLanguage(), 0);
  EXPECT_EQ(ml.DefaultLanguage(), 0);
  EXPECT_FALSE(ml.DefaultEnabled());
  EXPECT_EQ(ml.SwitchPositions(), spNone);
  EXPECT_EQ(ml.TranslateEdits(), teReadOnly);
  for (const TStrings* list : {ml.Words(), ml.DoNot(), ml.Positions(), ml.CharSets()})
    EXPECT_TRUE(list->Empty());
  WriteStringProperty(&ml, "About", "9.99");
  EXPECT_EQ(ReadStringProperty(&ml, "About"), "3.80");

  const std::vector<std::string> expected = {"About",
                                             "BeforeLanguageChange",
                                             "AfterLanguageChanged",
                                             "IdNotFoundError",
                                             "DefaultLanguage",
                                             "DefaultEnabled",
                                             "Languages",
                                             "ActiveLanguage",
                                             "Words",
                                             "DoNot",
                                             "SwitchPositions",
                                             "TranslateEdits",
                                             "Positions",
                                             "CharSets"};
  EXPECT_EQ(OwnPropertyNames(TBaseMultiLang::StaticClass()), expected);
  EXPECT_EQ(FindClass("TBaseMultiLang"), &TBaseMultiLang::StaticClass());
  EXPECT_TRUE(HasProperty(&ml, "Name"));
  EXPECT_TRUE(HasProperty(&ml, "Tag"));
  // Non-visual: the positions of the form's components never include it.
  EXPECT_FALSE(HasProperty(&ml, "Left"));

  auto names = [&](const char* property) {
    auto span = FindProperty(&ml, property)->names;
    return std::vector<std::string>(span.begin(), span.end());
  };
  EXPECT_EQ(names("SwitchPositions"),
            (std::vector<std::string>{"spNone", "spControlsOnly", "spFormAndControls"}));
  EXPECT_EQ(names("TranslateEdits"), (std::vector<std::string>{"teNever", "teReadOnly", "teAlways"}));
}

TEST_F(MultiLangStore, OnlyValuesOtherThanTheDefaultAreStoredExceptLanguagesAndAbout) {
  struct Case {
    const char* property;
    std::function<void(TBaseMultiLang&)> change;
  };
  const Case cases[] = {
      {"BeforeLanguageChange",
       [](auto& m) { m.BeforeLanguageChange = [](TObject*, std::uint8_t, bool&) {}; }},
      {"AfterLanguageChanged", [](auto& m) { m.AfterLanguageChanged = [](TObject*, std::uint8_t) {}; }},
      {"IdNotFoundError",
       [](auto& m) { m.IdNotFoundError = [](TObject*, const std::string&, std::string&) {}; }},
      {"DefaultLanguage", [](auto& m) { m.SetDefaultLanguage(1); }},
      {"DefaultEnabled", [](auto& m) { m.SetDefaultEnabled(true); }},
      {"ActiveLanguage", [](auto& m) { m.SetActiveLanguage(1); }},
      {"Words", [](auto& m) { m.Words()->Add("x"); }},
      {"DoNot", [](auto& m) { m.DoNot()->Add("x"); }},
      {"SwitchPositions", [](auto& m) { m.SetSwitchPositions(spControlsOnly); }},
      {"TranslateEdits", [](auto& m) { m.SetTranslateEdits(teNever); }},
      {"Positions", [](auto& m) { m.Positions()->Add("x"); }},
      {"CharSets", [](auto& m) { m.CharSets()->Add("x"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.property);
    TTestMultiLang ml(nullptr);
    for (const PropInfo& p : TBaseMultiLang::StaticClass().OwnProperties())
      EXPECT_EQ(p.stored(ml), p.name == "Languages") << p.name;
    c.change(ml);
    WriteStringProperty(&ml, "About", "x");
    EXPECT_TRUE(FindProperty(&ml, c.property)->stored(ml));
    EXPECT_FALSE(FindProperty(&ml, "About")->stored(ml));
  }
}

TEST_F(MultiLangStore, InstanceListFollowsConstructionAndDestruction) {
  const auto& instances = MultiLangInstances();
  const size_t before = instances.size();
  auto first = std::make_unique<TTestMultiLang>(nullptr);
  auto second = std::make_unique<TTestMultiLang>(nullptr);
  ASSERT_EQ(instances.size(), before + 2);
  EXPECT_EQ(instances.back(), second.get());
  first.reset();
  EXPECT_EQ(instances.size(), before + 1);
  EXPECT_EQ(std::count(instances.begin(), instances.end(), second.get()), 1);
}

TEST_F(MultiLangStore, ListSettersCopyIntoTheComponentsOwnList) {
  for (const char* property : {"DoNot", "Positions", "CharSets"}) {
    SCOPED_TRACE(property);
    TTestMultiLang ml(nullptr);
    TObject* own = ReadObjectProperty(&ml, property);
    TStrings given{"a", "b", "c"};
    FindProperty(&ml, property)->setObject(ml, &given);
    ASSERT_EQ(ReadObjectProperty(&ml, property), own);
    given.Put(0, "changed");
    EXPECT_EQ(static_cast<TStrings*>(own)->ToVector(), (std::vector<std::string>{"a", "b", "c"}));
  }
  // Words is filled in place only.
  TTestMultiLang ml(nullptr);
  EXPECT_FALSE(FindProperty(&ml, "Words")->setObject);
}

TEST_F(MultiLangStore, RecordTextTakesTheActiveLineOrTheDefaultLanguagesWhenEnabled) {
  // Three languages: records of four lines; the record at line 8 has texts "d0", "" and "".
  TTestMultiLang ml(nullptr);
  ml.SetLanguages(3);
  for (int i = 0; i < 12; ++i) ml.Words()->Add("L" + std::to_string(i));
  ml.Words()->Put(8, "K");
  ml.Words()->Put(9, "d0");
  ml.Words()->Put(10, "");
  ml.Words()->Put(11, "");
  struct Case {
    int keyLine, active;
    bool defaultEnabled;
    int defaultLanguage;
    const char* text;
  };
  const Case cases[] = {
      {4, 2, false, 0, "L7"},  // language 2 of the record at 4 is line 7
      {8, 0, false, 0, "d0"}, {8, 2, false, 0, ""},
      {8, 2, true, 0, "d0"},  {8, 2, true, 1, ""},  // the default language's line may be empty too
      {4, 2, true, 0, "L7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.keyLine << " " << c.active << " " << c.defaultEnabled
                                    << c.defaultLanguage);
    ml.SetActiveLanguage(static_cast<std::uint8_t>(c.active));
    ml.SetDefaultLanguage(static_cast<std::uint8_t>(c.defaultLanguage));
    ml.SetDefaultEnabled(c.defaultEnabled);
    EXPECT_EQ(ml.RecordText(c.keyLine), c.text);
  }
  EXPECT_TRUE(boxes.shown.empty());
}

// The start window's description, with labels in place of its panel, labels and buttons.
constexpr const char* kStartWindow = R"(object Form: TTestForm
  Caption = 'ZEP KORVA'#174'plus Planung 6.1'
  object Panel1: TTestLabel
    Caption = 'design text'
  end
  object Label4: TTestLabel
  end
  object Label12: TTestLabel
  end
  object Label5: TTestLabel
  end
  object ColorButtonZEP1: TTestLabel
  end
  object ColorButtonZEP2: TTestLabel
  end
  object MultiLang1: TTestMultiLang
    Languages = 3
    AfterLanguageChanged = MultiLang1AfterLanguageChanged
    Words = (
      '%Form%'
      'ZEP KORVA'#174'plus Planung 6.1'
      'ZEP KORVA'#174'plus Planning 6.1'
      'TirbEX'
      'Panel1'
      ''
      ''
      ''
      'Label4'
      'Installation'
      'Installation'
      ''
      'Label12'
      'CD Betrieb'
      'CD Direct run'
      'Obliczenia armatury - praca z CD'
      'Label5'
      'Benutzer- handbuch'
      'User manual'
      ''
      'ColorButtonZEP1'
      'www.example.com'
      'www.example.com'
      ''
      'ColorButtonZEP2'
      'Beenden'
      'Exit'
      '')
    CharSets = (
      'MS Sans Serif,1'
      'MS Sans Serif,1'
      'MS Sans Serif,1')
  end
end
)";

std::string Caption(const TComponent& form, const char* name) {
  return ReadStringProperty(LookupComponent(&form, name), "Caption");
}

TEST_F(MultiLangStore, StartWindowIsSwitchedToLanguageZeroWhenBuiltAndToEnglishOnRequest) {
  TTestForm form(nullptr);
  LoadDescription(form, kStartWindow, "start");
  auto& ml = static_cast<TTestMultiLang&>(*LookupComponent(&form, "MultiLang1"));
  EXPECT_EQ(form.changes, std::vector<int>{0});
  EXPECT_EQ(Caption(form, "Panel1"), "");
  EXPECT_EQ(Caption(form, "Label12"), "CD Betrieb");

  ml.SetActiveLanguage(1);
  EXPECT_EQ(form.Caption(), "ZEP KORVA®plus Planning 6.1");
  EXPECT_EQ(Caption(form, "Label4"), "Installation");
  EXPECT_EQ(Caption(form, "Label12"), "CD Direct run");
  EXPECT_EQ(Caption(form, "Label5"), "User manual");
  EXPECT_EQ(Caption(form, "ColorButtonZEP2"), "Exit");
  EXPECT_EQ(form.changes, (std::vector<int>{0, 1}));
  // Three equal font lines leave the window's font as it is.
  EXPECT_EQ(form.Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(form.Font()->Charset(), 1);
  EXPECT_EQ(ml.CharSets()->Count(), 3);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MultiLangStore, StoredActiveLanguageIsSwitchedToWhileReadingThenStartLanguageWins) {
  TTestForm form(nullptr);
  LoadDescription(form, R"(object Form: TTestForm
  object MultiLang1: TTestMultiLang
    AfterLanguageChanged = MultiLang1AfterLanguageChanged
    Languages = 3
    ActiveLanguage = 2
    SwitchPositions = spFormAndControls
    TranslateEdits = teAlways
  end
end
)",
                  "t");
  auto& ml = static_cast<TTestMultiLang&>(*LookupComponent(&form, "MultiLang1"));
  EXPECT_EQ(form.changes, (std::vector<int>{2, 0}));
  EXPECT_EQ(ml.ActiveLanguage(), 0);
  EXPECT_EQ(ml.SwitchPositions(), spFormAndControls);
  EXPECT_EQ(ml.TranslateEdits(), teAlways);

  // A designer keeps the stored language; at run time StartLanguage is taken.
  TestWindow window(3);
  window.ml->SetDesigning(true);
  window.ml->LoadCompleted();
  EXPECT_TRUE(window.events.empty());
  window.ml->SetDesigning(false);
  StartLanguage = 2;
  window.ml->LoadCompleted();
  StartLanguage = 0;
  EXPECT_EQ(window.events, (std::vector<std::string>{"before 2 at 0", "after 2"}));
}

}  // namespace
