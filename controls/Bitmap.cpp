#include "controls/Bitmap.h"

#include <limits>

KORVA_IMPLEMENT_CLASS(TBitmap, TGraphic) {
  c.Binary("Data", &TBitmap::ReadData);
}

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() = default;

RgbPixel TBitmap::TransparentColor() const {
  if (Empty()) return 0;
  return dib_.pixels.At(0, dib_.pixels.Height() - 1);
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  if (Empty()) return;
  const RgbImage& pixels = dib_.pixels;
  const PixelView view{pixels.Row(0), pixels.Width(), pixels.Height(), pixels.Width()};
  canvas.StretchDraw(rect, view,
                     Transparent() ? std::optional<std::uint32_t>(TransparentColor()) : std::nullopt);
}

void TBitmap::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  SetImage(bytes.empty() ? DibImage{} : ReadBmpFile(bytes.data(), bytes.size()));
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(*this);
  return copy;
}

void TBitmap::Assign(const TBitmap& other) {
  if (&other == this) return;
  dib_ = other.dib_;
  SetTransparent(other.Transparent());
  Changed();
}

void TBitmap::SetImage(DibImage image) {
  dib_ = std::move(image);
  Changed();
}

RgbPixel TBitmap::FitColor(RgbPixel color) const {
  if (dib_.bitsPerPixel > 8 || dib_.colorTable.empty()) return color;
  RgbPixel best = dib_.colorTable.front();
  long bestDistance = std::numeric_limits<long>::max();
  for (RgbPixel entry : dib_.colorTable) {
    long distance = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const long delta = long((color >> shift) & 0xFF) - long((entry >> shift) & 0xFF);
      distance += delta * delta;
    }
    if (distance < bestDistance) {
      bestDistance = distance;
      best = entry;
    }
  }
  return best;
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<RasterCanvas>(
        dib_.pixels, [this](RgbPixel color) { return FitColor(color); }, [this] { Changed(); });
  }
  return *canvas_;
}
