// Device-independent bitmaps: 24 bits per pixel, or 8 with a colour table.
#pragma once

#include <memory>

#include "controls/BmpFile.h"
#include "controls/Graphic.h"
#include "controls/RasterCanvas.h"

class TBitmap : public TGraphic {
  KORVA_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  ~TBitmap() override;

  bool Empty() const override { return dib_.pixels.IsEmpty(); }
  int Width() const override { return dib_.pixels.Width(); }
  int Height() const override { return dib_.pixels.Height(); }
  int BitsPerPixel() const { return dib_.bitsPerPixel; }
  const std::vector<RgbPixel>& ColorTable() const { return dib_.colorTable; }
  const RgbImage& Pixels() const { return dib_.pixels; }
  // The colour left out when the transparent flag is set: that of the bottom-left pixel.
  RgbPixel TransparentColor() const;

  // Copied with the colour-on-colour stretch; with the transparent flag set, pixels of the
  // transparent colour are left out.
  void Draw(TCanvas& canvas, const TRect& rect) override;
  // Reads a BMP file (see BmpFile.h for the errors); the bitmap is unchanged when it fails.
  void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
  std::unique_ptr<TGraphic> Clone() const override;

  // Takes over the other bitmap's pixels, colour table and transparent flag.
  void Assign(const TBitmap& other);
  void SetImage(DibImage image);
  // Drawing here changes the bitmap's own pixels; on an empty bitmap it changes nothing.
  TCanvas& Canvas();

 private:
  RgbPixel FitColor(RgbPixel color) const;

  DibImage dib_;
  std::unique_ptr<RasterCanvas> canvas_;
};
