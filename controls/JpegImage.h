// JPEG pictures: the compressed bytes are kept as they are and decoded on the first drawing.
#pragma once

#include <memory>
#include <vector>

#include "controls/Bitmap.h"
#include "controls/Graphic.h"

class TJPEGImage : public TGraphic {
  KORVA_CLASS(TJPEGImage, TGraphic)
 public:
  TJPEGImage();
  ~TJPEGImage() override;

  bool Empty() const override { return data_.empty() && !bitmap_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }

  // Decodes once, on the first call, with the display depth the program started with, and keeps
  // the result. A decoding error (EJPEG) keeps what was decoded up to it; that is drawn from then
  // on and nothing is decoded again. Always opaque, whatever the transparent flag says.
  void Draw(TCanvas& canvas, const TRect& rect) override;
  // Keeps the bytes and reads their header (width and height); a damaged header fails with
  // EJPEG and changes nothing.
  void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
  std::unique_ptr<TGraphic> Clone() const override;

  const std::vector<std::uint8_t>& Data() const { return data_; }
  // The decoded picture; null until the first drawing.
  const TBitmap* DecodedBitmap() const { return bitmap_.get(); }

 private:
  std::vector<std::uint8_t> data_;
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<TBitmap> bitmap_;
};
