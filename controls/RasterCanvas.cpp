#include "controls/RasterCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace {

class RoughMetrics : public FontMetrics {
 public:
  explicit RoughMetrics(int height) : height_(std::max(1, height)) {}
  int TextWidth(std::string_view text) const override { return int(text.size()) * (height_ + 1) / 2; }
  int Ascent() const override { return height_ * 4 / 5; }
  int Descent() const override { return height_ - Ascent(); }
  int ExternalLeading() const override { return 0; }
  int AverageCharWidth() const override { return (height_ + 1) / 2; }

 private:
  int height_;
};

}  // namespace

RasterCanvas::RasterCanvas(RgbImage& target, std::function<RgbPixel(RgbPixel)> fit,
                           std::function<void()> changed)
    : target_(target), fit_(std::move(fit)), changed_(std::move(changed)) {}

RasterRect RasterCanvas::ToTarget(const TRect& rect) const {
  RasterRect r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  if (viewports_.empty()) return r.Intersect(target_.Bounds());
  const Viewport& v = viewports_.back();
  r = {r.left + v.dx, r.top + v.dy, r.right + v.dx, r.bottom + v.dy};
  return r.Intersect(v.clip);
}

RgbPixel RasterCanvas::Fit(TColor color) const {
  const RgbPixel rgb = ColorToRgb(color) & 0xFFFFFF;
  return fit_ ? fit_(rgb) : rgb;
}

void RasterCanvas::Fill(const RasterRect& rect, RgbPixel color) {
  ::FillRect(target_, rect, color);
}

void RasterCanvas::Changed() {
  if (changed_) changed_();
}

void RasterCanvas::FillRect(const TRect& rect) {
  if (Brush().Style == bsClear) return;
  const RasterRect area = ToTarget(rect);
  if (area.IsEmpty()) return;
  Fill(area, Fit(Brush().Color));
  Changed();
}

void RasterCanvas::Rectangle(const TRect& rect) {
  if (rect.Empty() || target_.IsEmpty()) return;
  const bool pen = Pen().Style != psClear;
  const int w = pen ? std::max(1, Pen().Width) : 0;
  if (Brush().Style != bsClear) {
    // Without a pen the filled area ends one pixel short on the right and at the bottom.
    const TRect inside = pen ? TRect{rect.Left + w, rect.Top + w, rect.Right - w, rect.Bottom - w}
                             : TRect{rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1};
    if (!inside.Empty()) Fill(ToTarget(inside), Fit(Brush().Color));
  }
  if (pen) {
    const RgbPixel color = Fit(Pen().Color);
    const int wide = std::min(w, std::max(rect.Width(), rect.Height()));
    Fill(ToTarget({rect.Left, rect.Top, rect.Right, rect.Top + wide}), color);
    Fill(ToTarget({rect.Left, rect.Bottom - wide, rect.Right, rect.Bottom}), color);
    Fill(ToTarget({rect.Left, rect.Top, rect.Left + wide, rect.Bottom}), color);
    Fill(ToTarget({rect.Right - wide, rect.Top, rect.Right, rect.Bottom}), color);
  }
  Changed();
}

void RasterCanvas::StretchDraw(const TRect& dest, PixelView picture,
                               std::optional<std::uint32_t> transparentRgb) {
  if (dest.Empty() || picture.pixels == nullptr || picture.width <= 0 || picture.height <= 0) return;
  RgbImage source(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      source.Set(x, y,
                 picture.pixels[std::size_t(y) * std::size_t(picture.stride) + std::size_t(x)] & 0xFFFFFF);
  const Viewport v = viewports_.empty() ? Viewport{0, 0, target_.Bounds()} : viewports_.back();
  const RasterRect placed{dest.Left + v.dx, dest.Top + v.dy, dest.Right + v.dx, dest.Bottom + v.dy};
  if (fit_) {
    // The picture's colours become colours of this bitmap's table.
    for (int y = 0; y < source.Height(); ++y)
      for (int x = 0; x < source.Width(); ++x) {
        const RgbPixel pixel = source.At(x, y);
        if (!transparentRgb || pixel != *transparentRgb) source.Set(x, y, fit_(pixel));
      }
  }
  StretchCopy(target_, placed, v.clip, source, transparentRgb);
  Changed();
}

void RasterCanvas::DrawFocusRect(const TRect& rect) {
  if (rect.Empty()) return;
  const RasterRect clip = ToTarget(rect);
  auto invert = [&](int x, int y) {
    const Viewport v = viewports_.empty() ? Viewport{} : viewports_.back();
    const int tx = x + v.dx;
    const int ty = y + v.dy;
    if (tx >= clip.left && tx < clip.right && ty >= clip.top && ty < clip.bottom)
      target_.Set(tx, ty, target_.At(tx, ty) ^ 0xFFFFFF);
  };
  for (int x = rect.Left; x < rect.Right; x += 2) {
    invert(x, rect.Top);
    if (rect.Bottom - 1 != rect.Top) invert(x, rect.Bottom - 1);
  }
  for (int y = rect.Top + 2; y < rect.Bottom - 1; y += 2) {
    invert(rect.Left, y);
    if (rect.Right - 1 != rect.Left) invert(rect.Right - 1, y);
  }
  Changed();
}

void RasterCanvas::PushViewport(const TRect& bounds) {
  const Viewport outer = viewports_.empty() ? Viewport{0, 0, target_.Bounds()} : viewports_.back();
  Viewport inner;
  inner.dx = outer.dx + bounds.Left;
  inner.dy = outer.dy + bounds.Top;
  inner.clip = RasterRect{outer.dx + bounds.Left, outer.dy + bounds.Top, outer.dx + bounds.Right,
                          outer.dy + bounds.Bottom}
                   .Intersect(outer.clip);
  viewports_.push_back(inner);
}

void RasterCanvas::PopViewport() {
  if (!viewports_.empty()) viewports_.pop_back();
}

const FontMetrics& RasterCanvas::Metrics() {
  metrics_ = std::make_unique<RoughMetrics>(std::abs(Font().Height()));
  return *metrics_;
}

void RasterCanvas::DrawTextLine(int, int, std::string_view, size_t) {}
