// A canvas that draws into pixels held in memory: a bitmap's own canvas, and the canvas the
// picture tests paint on.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "toolkit/Graphics.h"
#include "toolkit/Raster.h"

class RasterCanvas : public TCanvas {
 public:
  // `fit` turns a colour into one the pixels can hold (the nearest table colour of an 8-bit
  // bitmap); `changed` is told after every drawing call that may have changed a pixel.
  explicit RasterCanvas(RgbImage& target, std::function<RgbPixel(RgbPixel)> fit = {},
                        std::function<void()> changed = {});

  void FillRect(const TRect& rect) override;
  // A one-pixel pen draws on the outermost pixels; a wider one grows inwards.
  void Rectangle(const TRect& rect) override;
  void StretchDraw(const TRect& dest, PixelView picture,
                   std::optional<std::uint32_t> transparentRgb) override;
  void DrawFocusRect(const TRect& rect) override;
  void PushViewport(const TRect& bounds) override;
  void PopViewport() override;

 protected:
  // Pictures carry no fonts: text is measured roughly and not drawn.
  const FontMetrics& Metrics() override;
  void DrawTextLine(int x, int y, std::string_view text, size_t underline) override;

 private:
  struct Viewport {
    int dx = 0;
    int dy = 0;
    RasterRect clip;
  };
  RasterRect ToTarget(const TRect& rect) const;
  RgbPixel Fit(TColor color) const;
  void Fill(const RasterRect& rect, RgbPixel color);
  void Changed();

  RgbImage& target_;
  std::function<RgbPixel(RgbPixel)> fit_;
  std::function<void()> changed_;
  std::vector<Viewport> viewports_;
  std::unique_ptr<FontMetrics> metrics_;
};
