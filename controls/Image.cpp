#include "controls/Image.h"

#include "controls/ColorButtonZEP.h"

KORVA_IMPLEMENT_CLASS(TImage, TGraphicControl) {
  c.Object("Picture", &TImage::Picture, &TImage::SetPicture);
  c.Bool("Stretch", &TImage::Stretch, &TImage::SetStretch);
  c.Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent);
  c.Event("OnClick", &TImage::OnClick);
  c.Event("OnDblClick", &TImage::OnDblClick);
  c.Event("OnMouseDown", &TImage::OnMouseDown);
  c.Event("OnMouseEnter", &TImage::OnMouseEnter);
  c.Event("OnMouseLeave", &TImage::OnMouseLeave);
  c.Event("OnMouseUp", &TImage::OnMouseUp);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  picture_->OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() {
  picture_->OnChange = nullptr;
}

void TImage::PictureChanged() {
  // Passing the flag on reports one more change, which finds the flag already set.
  if (TGraphic* graphic = picture_->Graphic()) graphic->SetTransparent(transparent_);
  Invalidate();
}

void TImage::SetStretch(bool value) {
  if (value == stretch_) return;
  stretch_ = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  PictureChanged();
}

TRect TImage::DestRect() const {
  if (stretch_) return {0, 0, Width(), Height()};
  return {0, 0, picture_->Width(), picture_->Height()};
}

void TImage::Paint(TCanvas& canvas) {
  if (TGraphic* graphic = picture_->Graphic()) graphic->Draw(canvas, DestRect());
}

bool TImage::Opaque() const {
  const TGraphic* graphic = picture_->Graphic();
  if (!graphic || graphic->Empty() || graphic->Transparent()) return false;
  const TRect dest = DestRect();
  return dest.Left <= 0 && dest.Top <= 0 && dest.Right >= Width() && dest.Bottom >= Height();
}

void RegisterControlClasses() {
  RegisterClass(TImage::StaticClass());
  RegisterClass(TColorButtonZEP::StaticClass());
}
