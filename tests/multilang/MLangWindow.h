// A window holding a TMultiLang and the components a test places on it.
#pragma once

#include <string>
#include <vector>

#include "multilang/MLang.h"
#include "support/ScriptedMessageBoxes.h"
#include "toolkit/Forms.h"

using Lines = std::vector<std::string>;

struct MLangWindow {
  // `languages` languages with `active` shown; the table is empty until SetWords.
  explicit MLangWindow(int languages = 3, int active = 1) {
    form.SetName("Window");
    ml->SetName("MultiLang1");
    ml->SetLanguages(static_cast<std::uint8_t>(languages));
    ml->SetActiveLanguage(static_cast<std::uint8_t>(active));
  }

  template <class K>
  K* Add(const std::string& name) {
    auto* component = new K(&form);
    component->SetName(name);
    return component;
  }

  void SetWords(const Lines& lines) {
    ml->Words()->Clear();
    for (const auto& line : lines) ml->Words()->Add(line);
  }

  // TranslateComponent from `cursor`; yields where the cursor ends.
  int Translate(TComponent* component, int cursor = 0) {
    ml->TranslateComponent(component, cursor);
    return cursor;
  }

  ScriptedMessageBoxes boxes;
  TForm form{nullptr};
  TMultiLang* ml = new TMultiLang(&form);
};
