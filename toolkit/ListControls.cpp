#include "toolkit/ListControls.h"

#include "toolkit/KindSupport.h"

KORVA_IMPLEMENT_CLASS(TCustomListBox, TWinControl) {}

KORVA_IMPLEMENT_CLASS(TListBox, TCustomListBox) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("Items", &TListBox::Items, &TListBox::SetItems);
  c.Integer("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex);
}

KORVA_IMPLEMENT_CLASS(TCustomComboBox, TWinControl) {}

KORVA_IMPLEMENT_CLASS(TComboBox, TCustomComboBox) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("Items", &TComboBox::Items, &TComboBox::SetItems);
  c.Integer("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
  c.String("Text", &TComboBox::Text, &TComboBox::SetText);
  c.Event("OnChange", &TComboBox::OnChange);
}

KORVA_IMPLEMENT_CLASS(TFilterComboBox, TCustomComboBox) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.String("Filter", &TFilterComboBox::Filter, &TFilterComboBox::SetFilter);
  c.Integer("ItemIndex", &TFilterComboBox::ItemIndex, &TFilterComboBox::SetItemIndex);
  c.Event("OnChange", &TFilterComboBox::OnChange);
}

KORVA_IMPLEMENT_CLASS(TComboExItem, TCollectionItem) {
  c.String("Caption", &TComboExItem::Caption, &TComboExItem::SetCaption);
  c.Integer("ImageIndex", &TComboExItem::ImageIndex, &TComboExItem::SetImageIndex);
}

KORVA_IMPLEMENT_CLASS(TComboExItems, TCollection) {}

KORVA_IMPLEMENT_CLASS(TComboBoxEx, TWinControl) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("ItemsEx", &TComboBoxEx::ItemsEx);
  c.Integer("ItemIndex", &TComboBoxEx::ItemIndex, &TComboBoxEx::SetItemIndex);
  c.String("Text", &TComboBoxEx::Text, &TComboBoxEx::SetText);
  c.Event("OnChange", &TComboBoxEx::OnChange);
}

KORVA_IMPLEMENT_CLASS(TCustomRadioGroup, TWinControl) {}

KORVA_IMPLEMENT_CLASS(TRadioGroup, TCustomRadioGroup) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.String("Caption", &TRadioGroup::Caption, &TRadioGroup::SetCaption);
  c.Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
  c.Object("Items", &TRadioGroup::Items, &TRadioGroup::SetItems);
  c.Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex);
}

// ---------------------------------------------------------------------------------------------
// List boxes

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
  items_->OnChange = [this] {
    if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
    Invalidate();
  };
}

void TCustomListBox::SetItems(const TStrings* items) {
  items ? items_->Assign(*items) : items_->Clear();
}

void TCustomListBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count()) index = -1;
  AssignChanged(itemIndex_, index, [this] { Invalidate(); });
}

// ---------------------------------------------------------------------------------------------
// Combo boxes

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
  items_->OnChange = [this] {
    itemIndex_ = -1;
    Invalidate();
  };
}

void TCustomComboBox::SetItems(const TStrings* items) {
  items ? items_->Assign(*items) : items_->Clear();
}

void TCustomComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (index >= 0) SetText(items_->Get(index));
  Invalidate();
}

void TCustomComboBox::TextChanged() {
  TWinControl::TextChanged();
  if (OnChange) OnChange(this);
}

TFilterComboBox::TFilterComboBox(TComponent* owner) : TCustomComboBox(owner) {}

void TFilterComboBox::SetFilter(const std::string& filter) {
  if (filter == filter_) return;
  filter_ = filter;
  // Pairs of description and mask, separated by "|"; a description without a mask offers none.
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= filter.size() && !filter.empty()) {
    const size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  TStrings descriptions;
  masks_.clear();
  for (size_t i = 0; i < parts.size(); i += 2) {
    descriptions.Add(parts[i]);
    masks_.push_back(i + 1 < parts.size() ? parts[i + 1] : std::string());
  }
  Items()->Assign(descriptions);
  SetItemIndex(descriptions.Empty() ? -1 : 0);
}

std::string TFilterComboBox::Mask() const {
  const int index = ItemIndex();
  return index >= 0 && static_cast<size_t>(index) < masks_.size() ? masks_[static_cast<size_t>(index)]
                                                                  : std::string();
}

void TComboExItem::SetCaption(const std::string& caption) {
  AssignChanged(caption_, caption, [this] { Changed(); });
}

void TComboExItem::SetImageIndex(int index) {
  AssignChanged(imageIndex_, index, [this] { Changed(); });
}

TComboExItem* TComboExItems::AddItem(const std::string& caption) {
  TComboExItem* item = Add();
  item->SetCaption(caption);
  return item;
}

TComboBoxEx::TComboBoxEx(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 145, 22);
  SetTabStop(true);
  SetColor(clWindow);
  items_->OnChange = [this] {
    itemIndex_ = -1;
    Invalidate();
  };
}

void TComboBoxEx::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (index >= 0) SetText(items_->Item(index)->Caption());
  Invalidate();
}

void TComboBoxEx::TextChanged() {
  TWinControl::TextChanged();
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// Radio groups

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 105);
  SetTabStop(true);
  items_->OnChange = [this] {
    // The buttons are made afresh; the checked one stays while it exists.
    if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
    Invalidate();
  };
}

void TCustomRadioGroup::SetItems(const TStrings* items) {
  items ? items_->Assign(*items) : items_->Clear();
}

void TCustomRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count()) index = -1;
  AssignChanged(itemIndex_, index, [this] { Invalidate(); });
}

void TCustomRadioGroup::SetColumns(int value) {
  if (value < 1) value = 1;
  AssignChanged(columns_, value, [this] { Invalidate(); });
}
