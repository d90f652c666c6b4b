#include "toolkit/DataControls.h"

#include "toolkit/KindSupport.h"

namespace {
constexpr std::array<const char*, kNavigatorButtons> kNavigatorDefaultHints = {
    "First record",  "Prior record", "Next record", "Last record", "Insert record",
    "Delete record", "Edit record",  "Post edit",   "Cancel edit", "Refresh data",
};
}

KORVA_IMPLEMENT_CLASS(TField, TComponent) {
  c.String("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel);
  c.String("FieldName", &TField::FieldName, &TField::SetFieldName);
  c.Bool("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly);
  c.Bool("Visible", &TField::Visible, &TField::SetVisible);
}

KORVA_IMPLEMENT_CLASS(TDBListBox, TCustomListBox) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.String("DataField", &TDBListBox::DataField, &TDBListBox::SetDataField);
  c.Object("Items", &TDBListBox::Items, &TDBListBox::SetItems);
  c.Bool("ReadOnly", &TDBListBox::ReadOnly, &TDBListBox::SetReadOnly);
}

KORVA_IMPLEMENT_CLASS(TDBComboBox, TCustomComboBox) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.String("DataField", &TDBComboBox::DataField, &TDBComboBox::SetDataField);
  c.Object("Items", &TDBComboBox::Items, &TDBComboBox::SetItems);
  c.Integer("ItemIndex", &TDBComboBox::ItemIndex, &TDBComboBox::SetItemIndex);
  c.Bool("ReadOnly", &TDBComboBox::ReadOnly, &TDBComboBox::SetReadOnly);
  c.Event("OnChange", &TDBComboBox::OnChange);
}

KORVA_IMPLEMENT_CLASS(TDBRadioGroup, TCustomRadioGroup) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.String("Caption", &TDBRadioGroup::Caption, &TDBRadioGroup::SetCaption);
  c.Integer("Columns", &TDBRadioGroup::Columns, &TDBRadioGroup::SetColumns);
  c.String("DataField", &TDBRadioGroup::DataField, &TDBRadioGroup::SetDataField);
  c.Object("Items", &TDBRadioGroup::Items, &TDBRadioGroup::SetItems);
  c.Bool("ReadOnly", &TDBRadioGroup::ReadOnly, &TDBRadioGroup::SetReadOnly);
}

KORVA_IMPLEMENT_CLASS(TColumnTitle, TPersistent) {
  c.Enum("Alignment", &TColumnTitle::Alignment, &TColumnTitle::SetAlignment, AlignmentNames());
  c.String("Caption", &TColumnTitle::Caption, &TColumnTitle::SetCaption)
      .StoredWhen(&TColumnTitle::CaptionAssigned);
}

KORVA_IMPLEMENT_CLASS(TColumn, TCollectionItem) {
  c.String("FieldName", &TColumn::FieldName, &TColumn::SetFieldName);
  c.Object("Title", &TColumn::Title);
  c.Integer("Width", &TColumn::Width, &TColumn::SetWidth);
}

KORVA_IMPLEMENT_CLASS(TDBGridColumns, TCollection) {}

KORVA_IMPLEMENT_CLASS(TDBGrid, TWinControl) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("Columns", &TDBGrid::Columns);
  c.Bool("ReadOnly", &TDBGrid::ReadOnly, &TDBGrid::SetReadOnly);
}

KORVA_IMPLEMENT_CLASS(TDBNavigator, TWinControl) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("Hints", &TDBNavigator::Hints, &TDBNavigator::SetHints);
}

TField::TField(TComponent* owner) : TComponent(owner) {}

// ---------------------------------------------------------------------------------------------
// Grid columns

std::string TColumnTitle::Caption() const {
  return assigned_ ? caption_ : column_->DefaultCaption();
}

void TColumnTitle::SetCaption(const std::string& caption) {
  if (assigned_ && caption == caption_) return;
  caption_ = caption;
  assigned_ = true;
  column_->TitleChanged();
}

void TColumnTitle::RestoreDefaultCaption() {
  if (!assigned_) return;
  caption_.clear();
  assigned_ = false;
  column_->TitleChanged();
}

void TColumnTitle::SetAlignment(TAlignment value) {
  AssignChanged(alignment_, value, [this] { column_->TitleChanged(); });
}

void TColumn::SetFieldName(const std::string& name) {
  AssignChanged(fieldName_, name, [this] { Changed(); });
}

void TColumn::SetField(TField* field) {
  AssignChanged(field_, field, [this] { Changed(); });
}

void TColumn::SetWidth(int width) {
  AssignChanged(width_, width < 0 ? 0 : width, [this] { Changed(); });
}

std::string TColumn::DefaultCaption() const {
  return field_ ? field_->DisplayLabel() : fieldName_;
}

TColumn* TDBGridColumns::AddColumn(const std::string& fieldName) {
  TColumn* column = Add();
  column->SetFieldName(fieldName);
  return column;
}

TDBGrid::TDBGrid(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
  columns_->OnChange = [this] { Invalidate(); };
}

void TDBGrid::ComponentRemoved(TComponent* component) {
  TWinControl::ComponentRemoved(component);
  for (int i = 0; i < columns_->Count(); ++i)
    if (columns_->Item(i)->Field() == component) columns_->Item(i)->SetField(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Navigator

TDBNavigator::TDBNavigator(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 240, 25);
  hints_->OnChange = [this] { UpdateButtonHints(); };
  UpdateButtonHints();
}

void TDBNavigator::SetHints(const TStrings* hints) {
  hints ? hints_->Assign(*hints) : hints_->Clear();
}

void TDBNavigator::UpdateButtonHints() {
  for (int i = 0; i < kNavigatorButtons; ++i) {
    const bool own = i < hints_->Count() && !hints_->Get(i).empty();
    buttonHints_[static_cast<size_t>(i)] =
        own ? hints_->Get(i) : kNavigatorDefaultHints[static_cast<size_t>(i)];
  }
  Invalidate();
}
