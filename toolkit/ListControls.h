// Controls that offer a list of strings: list boxes, combo boxes (plain, filter and extended)
// and radio groups.
#pragma once

#include <memory>

#include "foundation/StringList.h"
#include "toolkit/Collections.h"
#include "toolkit/Controls.h"

// A list box keeps its selection while the selected index still exists.
class TCustomListBox : public TWinControl {
  KORVA_CLASS(TCustomListBox, TWinControl)
 public:
  explicit TCustomListBox(TComponent* owner);

  TStrings* Items() const { return items_.get(); }
  void SetItems(const TStrings* items);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);

 private:
  std::unique_ptr<TStrings> items_ = std::make_unique<TStrings>();
  int itemIndex_ = -1;
};

class TListBox : public TCustomListBox {
  KORVA_CLASS(TListBox, TCustomListBox)
 public:
  using TCustomListBox::TCustomListBox;
};

// A combo box: an edit field and a drop-down list. Any change to the list refills the drop-down
// part, which loses its selection, as the native control does; choosing an item copies its
// text into the edit field.
class TCustomComboBox : public TWinControl {
  KORVA_CLASS(TCustomComboBox, TWinControl)
 public:
  explicit TCustomComboBox(TComponent* owner);

  TStrings* Items() const { return items_.get(); }
  void SetItems(const TStrings* items);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  const std::string& Text() const { return GetText(); }
  void SetText(const std::string& text) { TControl::SetText(text); }

  TNotifyEvent OnChange;

 protected:
  void TextChanged() override;

 private:
  std::unique_ptr<TStrings> items_ = std::make_unique<TStrings>();
  int itemIndex_ = -1;
};

class TComboBox : public TCustomComboBox {
  KORVA_CLASS(TComboBox, TCustomComboBox)
 public:
  using TCustomComboBox::TCustomComboBox;
};

// Offers the descriptions of a file filter ("Text files|*.txt|All files|*.*").
class TFilterComboBox : public TCustomComboBox {
  KORVA_CLASS(TFilterComboBox, TCustomComboBox)
 public:
  explicit TFilterComboBox(TComponent* owner);

  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& filter);
  // The file mask of the selected description; empty when none is selected.
  std::string Mask() const;

 private:
  std::string filter_;
  std::vector<std::string> masks_;
};

class TComboExItem : public TCollectionItem {
  KORVA_CLASS(TComboExItem, TCollectionItem)
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);

 private:
  std::string caption_;
  int imageIndex_ = -1;
};

class TComboExItems : public TTypedCollection<TComboExItem> {
  KORVA_CLASS(TComboExItems, TCollection)
 public:
  TComboExItem* AddItem(const std::string& caption);
};

// A combo box whose items carry pictures; it behaves as the plain one for selection and text.
class TComboBoxEx : public TWinControl {
  KORVA_CLASS(TComboBoxEx, TWinControl)
 public:
  explicit TComboBoxEx(TComponent* owner);

  TComboExItems* ItemsEx() const { return items_.get(); }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  const std::string& Text() const { return GetText(); }
  void SetText(const std::string& text) { TControl::SetText(text); }

  TNotifyEvent OnChange;

 protected:
  void TextChanged() override;

 private:
  std::unique_ptr<TComboExItems> items_ = std::make_unique<TComboExItems>();
  int itemIndex_ = -1;
};

// A titled group of radio buttons, one per item; the checked one is ItemIndex.
class TCustomRadioGroup : public TWinControl {
  KORVA_CLASS(TCustomRadioGroup, TWinControl)
 public:
  explicit TCustomRadioGroup(TComponent* owner);

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetText(caption); }
  TStrings* Items() const { return items_.get(); }
  void SetItems(const TStrings* items);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int value);

 private:
  std::unique_ptr<TStrings> items_ = std::make_unique<TStrings>();
  int itemIndex_ = -1;
  int columns_ = 1;
};

class TRadioGroup : public TCustomRadioGroup {
  KORVA_CLASS(TRadioGroup, TCustomRadioGroup)
 public:
  using TCustomRadioGroup::TCustomRadioGroup;
};
