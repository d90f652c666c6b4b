// Any translation table, positions and fonts: switching languages and reshaping the table may fail
// with the component's errors, but must neither crash nor hang. Input: one line per entry; lines
// beginning with P go to Positions, with C to CharSets, all others to Words.
#include "foundation/Errors.h"
#include "foundation/MessageBoxes.h"
#include "multilang/MLang.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Kinds.h"

namespace {

class YesToEverything : public MessageBoxPresenter {
  int Show(const MessageBoxRequest& request) override { return request.buttons & mbYes ? mrYes : mrOk; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static YesToEverything boxes;
  SetMessageBoxPresenter(&boxes);
  // A window of one-text kinds, a list and a sorted tree, so records are also taken item by item.
  TForm form(nullptr);
  for (const char* name : {"Label1", "label10"}) (new TLabel(&form))->SetName(name);
  (new TPanel(&form))->SetName("Panel1");
  auto* list = new TListBox(&form);
  list->SetName("ListBox1");
  list->Items()->SetCommaText("a,b,c");
  auto* tree = new TTreeView(&form);
  tree->SetName("Tree1");
  TTreeNode* root = tree->Items()->AddChild(nullptr, "r");
  for (const char* text : {"c", "a", "b"}) tree->Items()->AddChild(root, text);
  tree->SetSortType(stText);
  auto* ml = new TMultiLang(&form);
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
