#include "toolkit/EditControls.h"

#include "toolkit/KindSupport.h"

namespace {
constexpr std::string_view kLabelPositionNames[] = {"lpAbove", "lpBelow", "lpLeft", "lpRight"};
}

KORVA_IMPLEMENT_CLASS(TCustomEdit, TWinControl) {}

KORVA_IMPLEMENT_CLASS(TEdit, TCustomEdit) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Integer("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength);
  c.Bool("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly);
  c.String("Text", &TEdit::Text, &TEdit::SetText);
  c.Event("OnChange", &TEdit::OnChange);
}

KORVA_IMPLEMENT_CLASS(TMemo, TCustomEdit) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("Lines", &TMemo::Lines, &TMemo::SetLines);
  c.Integer("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength);
  c.Bool("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly);
  c.Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
  c.Event("OnChange", &TMemo::OnChange);
}

KORVA_IMPLEMENT_CLASS(TBoundLabel, TLabel) {}

KORVA_IMPLEMENT_CLASS(TLabeledEdit, TCustomEdit) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("EditLabel", &TLabeledEdit::EditLabel);
  c.Enum("LabelPosition", &TLabeledEdit::LabelPosition, &TLabeledEdit::SetLabelPosition, kLabelPositionNames);
  c.Integer("LabelSpacing", &TLabeledEdit::LabelSpacing, &TLabeledEdit::SetLabelSpacing);
  c.Integer("MaxLength", &TLabeledEdit::MaxLength, &TLabeledEdit::SetMaxLength);
  c.Bool("ReadOnly", &TLabeledEdit::ReadOnly, &TLabeledEdit::SetReadOnly);
  c.String("Text", &TLabeledEdit::Text, &TLabeledEdit::SetText);
  c.Event("OnChange", &TLabeledEdit::OnChange);
}

KORVA_IMPLEMENT_CLASS(TButton, TWinControl) {
  c.Object("Action", &TButton::Action, &TButton::SetAction);
  c.Bool("Cancel", &TButton::Cancel, &TButton::SetCancel);
  c.String("Caption", &TButton::Caption, &TButton::SetCaption);
  c.Bool("Default", &TButton::Default, &TButton::SetDefault);
  c.Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
}

// ---------------------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomEdit::SetReadOnly(bool value) {
  AssignChanged(readOnly_, value, [this] { Invalidate(); });
}

void TCustomEdit::SetMaxLength(int value) {
  maxLength_ = value < 0 ? 0 : value;
}

void TCustomEdit::TextChanged() {
  TWinControl::TextChanged();
  if (OnChange) OnChange(this);
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
  SetBounds(0, 0, 185, 89);
  lines_->OnChange = [this] {
    std::string text = lines_->Text();
    // The control's text has no line break after the last line.
    if (text.size() >= 2) text.resize(text.size() - 2);
    TCustomEdit::SetText(text);
  };
}

void TMemo::SetLines(const TStrings* lines) {
  lines ? lines_->Assign(*lines) : lines_->Clear();
}

void TMemo::SetWordWrap(bool value) {
  AssignChanged(wordWrap_, value, [this] { Invalidate(); });
}

TLabeledEdit::TLabeledEdit(TComponent* owner) : TCustomEdit(owner) {
  label_->SetAutoSize(true);
}

void TLabeledEdit::SetParent(TWinControl* parent) {
  TCustomEdit::SetParent(parent);
  label_->SetParent(parent);
  PlaceLabel();
}

void TLabeledEdit::SetVisible(bool visible) {
  TCustomEdit::SetVisible(visible);
  label_->SetVisible(visible);
}

void TLabeledEdit::SetLabelPosition(TLabelPosition value) {
  AssignChanged(labelPosition_, value, [this] { PlaceLabel(); });
}

void TLabeledEdit::SetLabelSpacing(int value) {
  AssignChanged(labelSpacing_, value, [this] { PlaceLabel(); });
}

void TLabeledEdit::BoundsChanged() {
  TCustomEdit::BoundsChanged();
  PlaceLabel();
}

void TLabeledEdit::PlaceLabel() {
  const int w = label_->Width(), h = label_->Height();
  switch (labelPosition_) {
    case lpAbove:
      label_->SetBounds(Left(), Top() - h - labelSpacing_, w, h);
      break;
    case lpBelow:
      label_->SetBounds(Left(), Top() + Height() + labelSpacing_, w, h);
      break;
    case lpLeft:
      label_->SetBounds(Left() - w - labelSpacing_, Top() + (Height() - h) / 2, w, h);
      break;
    case lpRight:
      label_->SetBounds(Left() + Width() + labelSpacing_, Top() + (Height() - h) / 2, w, h);
      break;
  }
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}
