// The start window's own table switches its labels, panel and buttons between the languages.
#include <gtest/gtest.h>

#include "MLangWindow.h"
#include "foundation/Description.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"

namespace {

// Stands in for the colour button: a windowed control with a caption.
class TColorButtonStandIn : public TCustomControl {
  KORVA_CLASS(TColorButtonStandIn, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetText(caption); }
};
KORVA_IMPLEMENT_CLASS(TColorButtonStandIn, TCustomControl) {
  c.String("Caption", &TColorButtonStandIn::Caption, &TColorButtonStandIn::SetCaption);
}

class TStartWindowStandIn : public TForm {
  KORVA_CLASS(TStartWindowStandIn, TForm)
 public:
  using TForm::TForm;
  void MultiLang1AfterLanguageChanged(TObject*, std::uint8_t language) { languages.push_back(language); }
  std::vector<int> languages;
};
KORVA_IMPLEMENT_CLASS(TStartWindowStandIn, TForm) {
  c.Method("MultiLang1AfterLanguageChanged", &TStartWindowStandIn::MultiLang1AfterLanguageChanged);
}

constexpr const char* kStartWindow = R"(object frmStartKorva: TStartWindowStandIn
  Caption = 'ZEP KORVA'#174'plus Planung 6.1'
  object Label12: TLabel
    Caption = 'CD Betrieb'
  end
  object Label4: TLabel
    Caption = 'Installation'
  end
  object Label5: TLabel
    Caption = 'Benutzer- handbuch'
    WordWrap = True
  end
  object Panel1: TPanel
    BevelOuter = bvNone
  end
  object ColorButtonZEP1: TColorButtonStandIn
    Caption = 'www.zep-valves.example'
  end
  object ColorButtonZEP2: TColorButtonStandIn
    Caption = 'Beenden'
  end
  object MultiLang1: TMultiLang
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
      'www.zep-valves.example'
      'www.zep-valves.example'
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

TEST(StartWindow, SwitchesItsCaptionsThroughItsOwnTable) {
  RegisterToolkitClasses();
  RegisterMultiLangClasses();
  RegisterClass(TColorButtonStandIn::StaticClass());
  ScriptedMessageBoxes boxes;
  TStartWindowStandIn window(nullptr);
  LoadDescription(window, kStartWindow, "start.desc");
  auto* ml = static_cast<TMultiLang*>(LookupComponent(&window, "MultiLang1"));
  ASSERT_NE(ml, nullptr);
  auto caption = [&window](const char* name) {
    return ReadStringProperty(LookupComponent(&window, name), "Caption");
  };
  auto* panel = static_cast<TPanel*>(LookupComponent(&window, "Panel1"));

  struct Case {
    int language;
    Lines captions;  // window, Label4, Label12, Label5, Panel1, ColorButtonZEP1, ColorButtonZEP2
  };
  const Case cases[] = {
      {1,
       {"ZEP KORVA®plus Planning 6.1", "Installation", "CD Direct run", "User manual", "",
        "www.zep-valves.example", "Exit"}},
      {2, {"TirbEX", "", "Obliczenia armatury - praca z CD", "", "", "", ""}},
      {0,
       {"ZEP KORVA®plus Planung 6.1", "Installation", "CD Betrieb", "Benutzer- handbuch", "",
        "www.zep-valves.example", "Beenden"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    panel->SetCaption("not from the table");
    ml->SetActiveLanguage(static_cast<std::uint8_t>(c.language));
    EXPECT_EQ((Lines{window.Caption(), caption("Label4"), caption("Label12"), caption("Label5"),
                     caption("Panel1"), caption("ColorButtonZEP1"), caption("ColorButtonZEP2")}),
              c.captions);
  }
  // Loading ended with the switch to language 0; each switch above followed.
  EXPECT_EQ(window.languages, (std::vector<int>{0, 1, 2, 0}));
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
