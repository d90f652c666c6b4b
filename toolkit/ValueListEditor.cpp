#include "toolkit/ValueListEditor.h"

#include <algorithm>

#include "toolkit/KindSupport.h"

namespace {
constexpr std::string_view kDisplayOptionNames[] = {"doColumnTitles", "doAutoColResize", "doKeyColFixed"};
}

KORVA_IMPLEMENT_CLASS(TValueListEditor, TWinControl) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.SetOf("DisplayOptions", &TValueListEditor::DisplayOptions, &TValueListEditor::SetDisplayOptions,
          kDisplayOptionNames);
  c.Object("Strings", &TValueListEditor::Strings, &TValueListEditor::SetStrings);
  c.Object("TitleCaptions", &TValueListEditor::TitleCaptions, &TValueListEditor::SetTitleCaptions);
}

TValueListEditor::TValueListEditor(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 306, 300);
  SetTabStop(true);
  SetColor(clWindow);
  strings_->OnChange = [this] { StringsChanged(); };
  titleCaptions_->OnChange = [this] { Invalidate(); };
}

void TValueListEditor::SetStrings(const TStrings* strings) {
  strings ? strings_->Assign(*strings) : strings_->Clear();
}

void TValueListEditor::SetTitleCaptions(const TStrings* captions) {
  captions ? titleCaptions_->Assign(*captions) : titleCaptions_->Clear();
}

void TValueListEditor::SetDisplayOptions(TDisplayOptions value) {
  AssignChanged(displayOptions_, value, [this] { StringsChanged(); });
}

void TValueListEditor::StringsChanged() {
  rowCount_ = FixedRows() + std::max(1, strings_->Count());
  Invalidate();
}

std::string TValueListEditor::Key(int line) const {
  const std::string& text = strings_->Get(line);
  return text.substr(0, text.find('='));
}

std::string TValueListEditor::Value(int line) const {
  const std::string& text = strings_->Get(line);
  const size_t eq = text.find('=');
  return eq == std::string::npos ? std::string() : text.substr(eq + 1);
}
