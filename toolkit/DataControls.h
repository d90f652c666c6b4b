// Fields of a data set and the data-aware controls that show them. Only what describes a field
// to the user is modelled: names, labels, captions and hints; no data set is read.
#pragma once

#include <array>
#include <memory>

#include "foundation/StringList.h"
#include "toolkit/Collections.h"
#include "toolkit/Controls.h"
#include "toolkit/ListControls.h"

// A field of a data set, a component of the form like any other.
class TField : public TComponent {
  KORVA_CLASS(TField, TComponent)
 public:
  explicit TField(TComponent* owner);

  const std::string& FieldName() const { return fieldName_; }
  void SetFieldName(const std::string& name) { fieldName_ = name; }
  // The label shown for the field: its own, else its field name.
  const std::string& DisplayLabel() const { return displayLabel_.empty() ? fieldName_ : displayLabel_; }
  void SetDisplayLabel(const std::string& label) { displayLabel_ = label; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }

 private:
  std::string fieldName_;
  std::string displayLabel_;
  bool readOnly_ = false;
  bool visible_ = true;
};

class TDBListBox : public TCustomListBox {
  KORVA_CLASS(TDBListBox, TCustomListBox)
 public:
  using TCustomListBox::TCustomListBox;
  const std::string& DataField() const { return dataField_; }
  void SetDataField(const std::string& name) { dataField_ = name; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }

 private:
  std::string dataField_;
  bool readOnly_ = false;
};

// Its text is the field's value, so it publishes no Text of its own.
class TDBComboBox : public TCustomComboBox {
  KORVA_CLASS(TDBComboBox, TCustomComboBox)
 public:
  using TCustomComboBox::TCustomComboBox;
  const std::string& DataField() const { return dataField_; }
  void SetDataField(const std::string& name) { dataField_ = name; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }

 private:
  std::string dataField_;
  bool readOnly_ = false;
};

class TDBRadioGroup : public TCustomRadioGroup {
  KORVA_CLASS(TDBRadioGroup, TCustomRadioGroup)
 public:
  using TCustomRadioGroup::TCustomRadioGroup;
  const std::string& DataField() const { return dataField_; }
  void SetDataField(const std::string& name) { dataField_ = name; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }

 private:
  std::string dataField_;
  bool readOnly_ = false;
};

class TColumn;

// A column's title. Without a caption of its own it shows its column's default caption.
class TColumnTitle : public TPersistent {
  KORVA_CLASS(TColumnTitle, TPersistent)
 public:
  explicit TColumnTitle(TColumn* column) : column_(column) {}

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool CaptionAssigned() const { return assigned_; }
  // Back to the default caption.
  void RestoreDefaultCaption();
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 private:
  TColumn* column_;
  std::string caption_;
  bool assigned_ = false;
  TAlignment alignment_ = taLeftJustify;
};

class TColumn : public TCollectionItem {
  KORVA_CLASS(TColumn, TCollectionItem)
 public:
  TColumn() = default;

  const std::string& FieldName() const { return fieldName_; }
  void SetFieldName(const std::string& name);
  // The field the column shows, when the grid is bound to one.
  TField* Field() const { return field_; }
  void SetField(TField* field);
  TColumnTitle* Title() const { return title_.get(); }
  int Width() const { return width_; }
  void SetWidth(int width);
  // What the title shows without a caption of its own: the field's label, else the field name.
  std::string DefaultCaption() const;

 private:
  friend class TColumnTitle;
  void TitleChanged() { Changed(); }
  std::string fieldName_;
  TField* field_ = nullptr;
  std::unique_ptr<TColumnTitle> title_ = std::make_unique<TColumnTitle>(this);
  int width_ = 64;
};

class TDBGridColumns : public TTypedCollection<TColumn> {
  KORVA_CLASS(TDBGridColumns, TCollection)
 public:
  TColumn* AddColumn(const std::string& fieldName);
};

class TDBGrid : public TWinControl {
  KORVA_CLASS(TDBGrid, TWinControl)
 public:
  explicit TDBGrid(TComponent* owner);

  TDBGridColumns* Columns() const { return columns_.get(); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }

 protected:
  void ComponentRemoved(TComponent* component) override;

 private:
  std::unique_ptr<TDBGridColumns> columns_ = std::make_unique<TDBGridColumns>();
  bool readOnly_ = false;
};

enum TNavigateBtn {
  nbFirst,
  nbPrior,
  nbNext,
  nbLast,
  nbInsert,
  nbDelete,
  nbEdit,
  nbPost,
  nbCancel,
  nbRefresh,
};
constexpr int kNavigatorButtons = nbRefresh + 1;

// A row of buttons that move through a data set. Hints holds a hint per button; a button whose
// line is missing or empty shows its built-in hint.
class TDBNavigator : public TWinControl {
  KORVA_CLASS(TDBNavigator, TWinControl)
 public:
  explicit TDBNavigator(TComponent* owner);

  TStrings* Hints() const { return hints_.get(); }
  void SetHints(const TStrings* hints);
  const std::string& ButtonHint(TNavigateBtn button) const { return buttonHints_[button]; }

 private:
  void UpdateButtonHints();
  std::unique_ptr<TStrings> hints_ = std::make_unique<TStrings>();
  std::array<std::string, kNavigatorButtons> buttonHints_;
};
