#include "TestComponents.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "foundation/Errors.h"

KORVA_IMPLEMENT_CLASS(TTestFont, TPersistent) {
  c.String("Name", &TTestFont::Name, &TTestFont::SetName);
  c.Integer("Charset", &TTestFont::Charset, &TTestFont::SetCharset);
}

KORVA_IMPLEMENT_CLASS(TNameOnlyFont, TPersistent) {
  c.String("Name", &TNameOnlyFont::Name, &TNameOnlyFont::SetName);
}

KORVA_IMPLEMENT_CLASS(TTestControl, TComponent) {
  c.Integer("Left", &TTestControl::Left, &TTestControl::SetLeft);
  c.Integer("Top", &TTestControl::Top, &TTestControl::SetTop);
  c.Integer("Width", &TTestControl::Width, &TTestControl::SetWidth);
  c.Integer("Height", &TTestControl::Height, &TTestControl::SetHeight);
}

std::string TTestControl::Bounds() const {
  return std::to_string(left_) + "." + std::to_string(top_) + "." + std::to_string(width_) + "." +
         std::to_string(height_);
}

KORVA_IMPLEMENT_CLASS(TTestForm, TTestControl) {
  c.String("Caption", &TTestForm::Caption, &TTestForm::SetCaption);
  c.Object("Font", &TTestForm::Font);
  c.Method("MultiLang1AfterLanguageChanged", &TTestForm::MultiLang1AfterLanguageChanged);
}

void TTestForm::MultiLang1AfterLanguageChanged(TObject*, std::uint8_t language) {
  changes.push_back(language);
}

KORVA_IMPLEMENT_CLASS(TBareForm, TTestControl) {
  c.Object("Font", &TBareForm::Font);
}

KORVA_IMPLEMENT_CLASS(TTestLabel, TTestControl) {
  c.String("Caption", &TTestLabel::Caption, &TTestLabel::SetCaption);
}

KORVA_IMPLEMENT_CLASS(TTestEdit, TTestControl) {
  c.String("Text", &TTestEdit::Text, &TTestEdit::SetText);
  c.Bool("ReadOnly", &TTestEdit::ReadOnly, &TTestEdit::SetReadOnly);
}

KORVA_IMPLEMENT_CLASS(TTestMemo, TTestControl) {
  c.Object("Lines", &TTestMemo::Lines);
  c.Bool("ReadOnly", &TTestMemo::ReadOnly, &TTestMemo::SetReadOnly);
}

KORVA_IMPLEMENT_CLASS(TTestAction, TComponent) {}

KORVA_IMPLEMENT_CLASS(TTestButton, TTestLabel) {
  c.Object("Action", &TTestButton::Action, &TTestButton::SetAction);
}

KORVA_IMPLEMENT_CLASS(TTestLabeledEdit, TTestEdit) {
  c.Object("EditLabel", &TTestLabeledEdit::EditLabel);
}

KORVA_IMPLEMENT_CLASS(TTestMultiLang, TBaseMultiLang) {}

void TTestMultiLang::TranslateComponent(TComponent* component, int& cursor) {
  translated.push_back(component->Name());
  ApplyPositions(component, cursor);
  if (component->Name() == misbehaveFor) {
    if (cursorTo != kLeaveCursor) cursor = cursorTo;
    if (fails) throw Exception("translation failed");
    return;
  }
  // Nothing is consumed when the active language's line is missing.
  if (cursor + 1 + ActiveLanguage() >= Words()->Count()) return;
  const std::string text = RecordText(cursor);
  if (IsTranslatable(component)) SetTextIfPublished(component, "Caption", text);
  cursor += Languages() + 1;
}

TComponent* TTestMultiLang::LookupRecordComponent(std::string_view key) {
  if (--lookupLimit < 0 || (!lookupFailsFor.empty() && key == lookupFailsFor))
    throw Exception("lookup failed");
  return TBaseMultiLang::LookupRecordComponent(key);
}

void RegisterTestKinds() {
  for (const ClassInfo* info :
       {&TTestForm::StaticClass(), &TTestLabel::StaticClass(), &TTestEdit::StaticClass(),
        &TTestMemo::StaticClass(), &TTestButton::StaticClass(), &TTestAction::StaticClass(),
        &TTestLabeledEdit::StaticClass(), &TTestMultiLang::StaticClass()})
    RegisterClass(*info);
}

TestWindow::TestWindow(int languages) {
  form.SetName("Form");
  ml = new TTestMultiLang(&form);
  ml->SetName("MultiLang1");
  ml->SetLanguages(static_cast<std::uint8_t>(languages));
  boxes.shown.clear();
  ml->BeforeLanguageChange = [this](TObject* sender, std::uint8_t language, bool& allow) {
    EXPECT_EQ(sender, ml);
    events.push_back("before " + std::to_string(language) + " at " + std::to_string(ml->ActiveLanguage()));
    allow = !veto;
  };
  ml->AfterLanguageChanged = [this](TObject* sender, std::uint8_t language) {
    EXPECT_EQ(sender, ml);
    events.push_back("after " + std::to_string(language));
  };
}
