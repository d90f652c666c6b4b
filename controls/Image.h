// The image control: a windowless control that shows a picture.
#pragma once

#include <memory>

#include "controls/Picture.h"
#include "toolkit/Controls.h"

class TImage : public TGraphicControl {
  KORVA_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;

  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* value) { picture_->Assign(value); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  // Passed on to the picture's graphic; only bitmaps leave pixels out.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // Where the picture goes: the whole control when stretched, else the picture's own size.
  TRect DestRect() const;
  void Paint(TCanvas& canvas) override;
  // Only a picture that is not transparent and covers the whole control hides what lies beneath.
  bool Opaque() const override;

 private:
  void PictureChanged();

  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false;
  bool transparent_ = false;
};

// Makes the image control known to the description reader.
void RegisterControlClasses();
