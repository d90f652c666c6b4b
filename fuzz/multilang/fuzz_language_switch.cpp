// Any translation table, positions and fonts: switching languages and reshaping the table may fail
// with the component's errors, but must neither crash nor hang. Input: one line per entry; lines
// beginning with P go to Positions, with C to CharSets, all others to Words.
#include <memory>

#include "foundation/Errors.h"
#include "foundation/MessageBoxes.h"
#include "multilang/MLBase.h"

namespace {

class TFuzzLabel : public TComponent {
  KORVA_CLASS(TFuzzLabel, TComponent)
 public:
  using TComponent::TComponent;
  std::string caption;
  int bounds[4] = {};
};
KORVA_IMPLEMENT_CLASS(TFuzzLabel, TComponent) {
  c.String(
      "Caption", [](const TFuzzLabel& l) { return l.caption; },
      [](TFuzzLabel& l, const std::string& v) { l.caption = v; });
  const char* names[] = {"Left", "Top", "Width", "Height"};
  for (int i = 0; i < 4; ++i)
    c.Integer(
        names[i], [i](const TFuzzLabel& l) { return l.bounds[i]; },
        [i](TFuzzLabel& l, std::int64_t v) { l.bounds[i] = static_cast<int>(v); });
}

// Takes one text per component, as a one-text kind does.
class TFuzzMultiLang : public TBaseMultiLang {
  KORVA_CLASS(TFuzzMultiLang, TBaseMultiLang)
 public:
  using TBaseMultiLang::TBaseMultiLang;
  void TranslateComponent(TComponent* component, int& cursor) override {
    ApplyPositions(component, cursor);
    if (cursor + 1 + ActiveLanguage() >= Words()->Count()) return;
    const std::string text = RecordText(cursor);
    if (IsTranslatable(component)) SetTextIfPublished(component, "Caption", text);
    cursor += Languages() + 1;
  }
  void CollectComponent(TComponent*, int, EditingTable*) override {}
};
KORVA_IMPLEMENT_CLASS(TFuzzMultiLang, TBaseMultiLang) {}

class YesToEverything : public MessageBoxPresenter {
  int Show(const MessageBoxRequest& request) override { return request.buttons & mbYes ? mrYes : mrOk; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static YesToEverything boxes;
  SetMessageBoxPresenter(&boxes);
  TFuzzLabel form(nullptr);
  for (const char* name : {"Label1", "label10", "Panel1", "%form%"}) (new TFuzzLabel(&form))->SetName(name);
  auto* ml = new TFuzzMultiLang(&form);
  ml->SetLanguages(static_cast<std::uint8_t>(1 + data[0] % 4));
  ml->SetSwitchPositions(static_cast<TSwitchPositions>(data[1] % 3));
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string line(text.substr(start, end - start));
    TStrings* list = line.starts_with('P')   ? ml->Positions()
                     : line.starts_with('C') ? ml->CharSets()
                                             : ml->Words();
    list->Add(list == ml->Words() ? line : line.substr(1));
    start = end + 1;
  }
  try {
    for (int language = ml->Languages() - 1; language >= 0; --language)
      ml->SetActiveLanguage(static_cast<std::uint8_t>(language));
    ml->SetLanguages(static_cast<std::uint8_t>(ml->Languages() + 1));
    ml->SetActiveLanguage(static_cast<std::uint8_t>(ml->Languages() - 1));
    ml->SetLanguages(1);
    ml->SetSwitchPositions(spNone);
  } catch (const Exception&) {
  }
  return 0;
}
