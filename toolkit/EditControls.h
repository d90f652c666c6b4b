// Text input and buttons: edit boxes, memos, labelled edits and push buttons.
#pragma once

#include <memory>

#include "foundation/MessageBoxes.h"
#include "foundation/StringList.h"
#include "toolkit/Controls.h"
#include "toolkit/StdCtrls.h"

class TCustomEdit : public TWinControl {
  KORVA_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* owner);

  const std::string& Text() const { return GetText(); }
  void SetText(const std::string& text) { TControl::SetText(text); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);

  TNotifyEvent OnChange;

 protected:
  void TextChanged() override;

 private:
  bool readOnly_ = false;
  int maxLength_ = 0;  // 0: no limit
};

class TEdit : public TCustomEdit {
  KORVA_CLASS(TEdit, TCustomEdit)
 public:
  using TCustomEdit::TCustomEdit;
};

// A multi-line edit; its lines are its text.
class TMemo : public TCustomEdit {
  KORVA_CLASS(TMemo, TCustomEdit)
 public:
  explicit TMemo(TComponent* owner);

  TStrings* Lines() const { return lines_.get(); }
  void SetLines(const TStrings* lines);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

 private:
  std::unique_ptr<TStrings> lines_ = std::make_unique<TStrings>();
  bool wordWrap_ = true;
};

// The label attached to a labelled edit: a sub-object of the edit, not a component of the form.
class TBoundLabel : public TLabel {
  KORVA_CLASS(TBoundLabel, TLabel)
 public:
  TBoundLabel() : TLabel(nullptr) {}
};

enum TLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };

class TLabeledEdit : public TCustomEdit {
  KORVA_CLASS(TLabeledEdit, TCustomEdit)
 public:
  explicit TLabeledEdit(TComponent* owner);

  TBoundLabel* EditLabel() const { return label_.get(); }
  TLabelPosition LabelPosition() const { return labelPosition_; }
  void SetLabelPosition(TLabelPosition value);
  int LabelSpacing() const { return labelSpacing_; }
  void SetLabelSpacing(int value);

  void SetParent(TWinControl* parent) override;
  void SetVisible(bool visible) override;

 protected:
  void BoundsChanged() override;

 private:
  void PlaceLabel();
  std::unique_ptr<TBoundLabel> label_ = std::make_unique<TBoundLabel>();
  TLabelPosition labelPosition_ = lpAbove;
  int labelSpacing_ = 3;
};


class TButton : public TWinControl {
  KORVA_CLASS(TButton, TWinControl)
 public:
  explicit TButton(TComponent* owner);

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetText(caption); }
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = mrNone;
};
