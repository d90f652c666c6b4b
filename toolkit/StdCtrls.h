// Labels.
#pragma once

#include "toolkit/Controls.h"

class TLabel : public TGraphicControl {
  KORVA_CLASS(TLabel, TGraphicControl)
 public:
  explicit TLabel(TComponent* owner);

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetText(caption); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);

  void Paint(TCanvas& canvas) override;
  bool Opaque() const override { return !transparent_; }
  void LoadCompleted() override;
  // The DrawText format the label draws its caption with.
  unsigned TextFormat() const;

 protected:
  void TextChanged() override;
  void FontChanged() override;

 private:
  // Repaints; MeasureChanged also sizes an auto-sized label again first, for changes that can
  // alter the caption's measures.
  void Changed();
  void MeasureChanged();
  // Resizes an auto-sized label to its caption.
  void AdjustBounds();
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
};
