#include "toolkit/Raster.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

RasterRect RasterRect::Intersect(const RasterRect& other) const {
  RasterRect result{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                    std::min(bottom, other.bottom)};
  if (result.IsEmpty()) return {};
  return result;
}

RgbImage::RgbImage(int width, int height, RgbPixel fill) {
  *this = Uninitialized(width, height);
  std::fill(pixels_.begin(), pixels_.end(), fill);
}

RgbImage RgbImage::Uninitialized(int width, int height) {
  RgbImage image;
  if (width <= 0 || height <= 0) return image;
  const auto count = static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height);
  if (count > std::numeric_limits<std::size_t>::max() / sizeof(RgbPixel)) throw std::length_error("RgbImage");
  image.pixels_.resize(static_cast<std::size_t>(count));
  image.width_ = width;
  image.height_ = height;
  return image;
}

std::vector<int> StretchSourceLines(int sourceLength, int destLength, StretchAxis axis) {
  std::vector<int> lines;
  if (sourceLength <= 0 || destLength <= 0) return lines;
  lines.resize(static_cast<std::size_t>(destLength));
  // A single target line shows the first of all but the last source line.
  if (destLength == 1 && sourceLength > 1) --sourceLength;

  const long long s = sourceLength;
  const long long d = destLength;
  if (d >= s) {
    // Stretching: walk the target lines, stepping the source line at the midpoint.
    long long err = 3 * s - 2 * d;
    int source = 0;
    for (int target = 0; target < destLength; ++target) {
      lines[target] = std::min(source, sourceLength - 1);
      if (err > 0) {
        ++source;
        err += 2 * s - 2 * d;
      } else {
        err += 2 * s;
      }
    }
    return lines;
  }
  // Shrinking: walk the source lines; several fall onto one target line and only one stays.
  long long err = 3 * d - 2 * s;
  int target = 0;
  bool firstOfGroup = true;
  for (int source = 0; source < sourceLength && target < destLength; ++source) {
    if (axis == StretchAxis::Horizontal || firstOfGroup) lines[target] = source;
    firstOfGroup = false;
    if (err > 0) {
      ++target;
      firstOfGroup = true;
      err += 2 * d - 2 * s;
    } else {
      err += 2 * d;
    }
  }
  return lines;
}

void StretchCopy(RgbImage& target, const RasterRect& dest, const RasterRect& clip, const RgbImage& source,
                 std::optional<RgbPixel> transparentColor) {
  if (source.IsEmpty() || dest.IsEmpty()) return;
  const RasterRect visible = dest.Intersect(clip).Intersect(target.Bounds());
  if (visible.IsEmpty()) return;

  const std::vector<int> columns = StretchSourceLines(source.Width(), dest.Width(), StretchAxis::Horizontal);
  const std::vector<int> rows = StretchSourceLines(source.Height(), dest.Height(), StretchAxis::Vertical);
  for (int y = visible.top; y < visible.bottom; ++y) {
    const RgbPixel* from = source.Row(rows[y - dest.top]);
    RgbPixel* to = target.Row(y);
    const int* column = columns.data() + (visible.left - dest.left);
    if (transparentColor) {
      const RgbPixel skip = *transparentColor;
      for (int x = visible.left; x < visible.right; ++x) {
        const RgbPixel pixel = from[column[x - visible.left]];
        if (pixel != skip) to[x] = pixel;
      }
    } else {
      for (int x = visible.left; x < visible.right; ++x) to[x] = from[column[x - visible.left]];
    }
  }
}

void FillRect(RgbImage& target, const RasterRect& rect, RgbPixel color) {
  const RasterRect visible = rect.Intersect(target.Bounds());
  for (int y = visible.top; y < visible.bottom; ++y)
    std::fill(target.Row(y) + visible.left, target.Row(y) + visible.right, color);
}
