// Panels.
#pragma once

#include "toolkit/Controls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
  KORVA_CLASS(TPanel, TCustomControl)
 public:
  explicit TPanel(TComponent* owner);

  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& caption) { SetText(caption); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);

  void Paint(TCanvas& canvas) override;

 private:
  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
};
