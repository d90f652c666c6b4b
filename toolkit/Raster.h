// Software pixel routines: a plain 32-bit image and the stretch copy that pictures are drawn
// with. Nothing here knows about windows or toolkits, so the same pixels come out on every backend.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// One pixel as 0x00RRGGBB (blue in the lowest byte).
using RgbPixel = std::uint32_t;

constexpr RgbPixel MakeRgbPixel(unsigned red, unsigned green, unsigned blue) {
  return (RgbPixel(red & 0xFF) << 16) | (RgbPixel(green & 0xFF) << 8) | RgbPixel(blue & 0xFF);
}

// Left, top inclusive; right, bottom exclusive, as window rectangles are.
struct RasterRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  RasterRect Intersect(const RasterRect& other) const;
  friend bool operator==(const RasterRect&, const RasterRect&) = default;
};

// Leaves new elements uninitialised, so pixels about to be overwritten are not written twice.
template <class T>
struct UninitializedAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = UninitializedAllocator<U>;
  };
  UninitializedAllocator() = default;
  template <class U>
  UninitializedAllocator(const UninitializedAllocator<U>&) noexcept {}
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

// Width × height pixels, rows top-down, no padding.
class RgbImage {
 public:
  RgbImage() = default;
  // Throws std::length_error when the pixel count does not fit in memory terms.
  RgbImage(int width, int height, RgbPixel fill = 0);
  // Pixels whose values are undefined until written: for decoders that write every one.
  static RgbImage Uninitialized(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  RasterRect Bounds() const { return {0, 0, width_, height_}; }

  RgbPixel At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, RgbPixel pixel) { pixels_[Index(x, y)] = pixel; }
  RgbPixel* Row(int y) { return pixels_.data() + Index(0, y); }
  const RgbPixel* Row(int y) const { return pixels_.data() + Index(0, y); }
  std::span<const RgbPixel> Pixels() const { return pixels_; }

  friend bool operator==(const RgbImage&, const RgbImage&) = default;

 private:
  std::size_t Index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + std::size_t(x); }

  int width_ = 0;
  int height_ = 0;
  std::vector<RgbPixel, UninitializedAllocator<RgbPixel>> pixels_;
};

// The two directions differ in which source line wins when several fall onto one target
// line: across a row the last one does, down the columns the first one does.
enum class StretchAxis { Horizontal, Vertical };

// For each of the destLength target lines, the source line it shows, when sourceLength
// lines are stretched onto destLength by dropping or repeating lines (no blending). Lines are
// chosen along the midpoint line from (0, 0) to (sourceLength, destLength), the way the
// platform's "colour on colour" stretch chooses them, so pictures drop the same rows and
// columns everywhere. Both lengths must be positive.
std::vector<int> StretchSourceLines(int sourceLength, int destLength, StretchAxis axis);

// Copies the whole of `source` scaled into `dest` (which may lie partly outside `target`),
// touching only pixels inside `clip` and inside `target`. With a transparent colour, target
// pixels whose chosen source pixel has that colour are left as they were.
void StretchCopy(RgbImage& target, const RasterRect& dest, const RasterRect& clip, const RgbImage& source,
                 std::optional<RgbPixel> transparentColor = std::nullopt);

// Sets every pixel of `rect` that lies inside `target` to `color`.
void FillRect(RgbImage& target, const RasterRect& rect, RgbPixel color);
