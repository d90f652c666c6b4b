// Colours, fonts, brushes, pens and the canvas interface every control paints through.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "foundation/Component.h"

// A colour: 0x00BBGGRR (red in the low byte), or 0xFF0000nn for the desktop's system colour nn.
using TColor = std::int32_t;

constexpr TColor ColorFromBits(std::uint32_t bits) {
  return static_cast<TColor>(bits);
}
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindowText = ColorFromBits(0xFF000008);
constexpr TColor clWindow = ColorFromBits(0xFF000005);
constexpr TColor clBtnFace = ColorFromBits(0xFF00000F);
constexpr TColor clHighlight = ColorFromBits(0xFF00000D);
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// Named colours a description may use.
std::span<const IntegerIdent> ColorIdents();
// Named character sets (DEFAULT_CHARSET, EASTEUROPE_CHARSET, ...).
std::span<const IntegerIdent> CharsetIdents();

// The red, green and blue of a colour as 0x00RRGGBB, system colours resolved.
std::uint32_t ColorToRgb(TColor color);

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  TRect Intersect(const TRect& other) const;
  bool operator==(const TRect&) const = default;
};

// InflateRect: grows (or with negative amounts shrinks) a rectangle on every side.
inline TRect InflateRect(TRect r, int dx, int dy) {
  return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

enum TFontStyle : unsigned {
  fsBold = 1u << 0,
  fsItalic = 1u << 1,
  fsUnderline = 1u << 2,
  fsStrikeOut = 1u << 3
};
using TFontStyles = unsigned;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr int DEFAULT_CHARSET = 1;
constexpr int ANSI_CHARSET = 0;
constexpr int EASTEUROPE_CHARSET = 238;

class TFont : public TPersistent {
  KORVA_CLASS(TFont, TPersistent)
 public:
  TFont() = default;
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // Negative: the character height in pixels; positive: the cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  // Points at the 96 pixels per inch the layout was made for.
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);

  // Copies every attribute (one change notification).
  void Assign(const TFont& other);
  bool SameAs(const TFont& other) const;

  std::function<void()> OnChange;

 private:
  void Changed();
  std::string name_ = "MS Sans Serif";
  int charset_ = DEFAULT_CHARSET;
  TColor color_ = clWindowText;
  int height_ = -11;
  TFontStyles style_ = 0;
  TFontPitch pitch_ = fpDefault;
};

enum TBrushStyle { bsSolid, bsClear };
struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

enum TPenStyle { psSolid, psClear };
struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
};

// Pixels to draw: 0x00RRGGBB words, rows top-down, `stride` words apart.
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

// DrawText format flags.
enum : unsigned {
  DT_TOP = 0x0,
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_EXPANDTABS = 0x40,
  DT_NOCLIP = 0x100,
  DT_EXTERNALLEADING = 0x200,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
  DT_END_ELLIPSIS = 0x8000,
};

// What text layout needs to know of the canvas's current font.
class FontMetrics {
 public:
  virtual ~FontMetrics() = default;
  virtual int TextWidth(std::string_view text) const = 0;  // in pixels, no prefix processing
  virtual int Ascent() const = 0;
  virtual int Descent() const = 0;
  virtual int ExternalLeading() const = 0;
  virtual int AverageCharWidth() const = 0;
  int LineHeight() const { return Ascent() + Descent(); }
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  TFont& Font() { return font_; }
  TBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }

  // Fills with the brush (nothing for a clear brush).
  virtual void FillRect(const TRect& rect) = 0;
  // Outlines with the pen and fills the inside with the brush; right and bottom exclusive.
  virtual void Rectangle(const TRect& rect) = 0;
  // Stretches the whole picture into `dest`, rows and columns dropped or repeated; pixels of
  // `transparentRgb` are left out.
  virtual void StretchDraw(const TRect& dest, PixelView picture,
                           std::optional<std::uint32_t> transparentRgb) = 0;
  // A dotted outline drawn by inverting the pixels beneath it.
  virtual void DrawFocusRect(const TRect& rect) = 0;

  // Lays the text out as DrawTextA does and draws it with the font and the brush's background
  // (none for a clear brush). With DT_CALCRECT it only measures: `rect` receives the extent.
  // Returns the height of the text.
  int DrawText(std::string_view text, TRect& rect, unsigned format);
  int TextWidth(std::string_view text);

  // Windowless controls paint at their own origin, clipped to their bounds.
  virtual void PushViewport(const TRect& bounds) = 0;
  virtual void PopViewport() = 0;

 protected:
  virtual const FontMetrics& Metrics() = 0;
  // One line of laid-out text at (x, y) (the top of the line); `underline` is the index of the
  // character to underline, or npos.
  virtual void DrawTextLine(int x, int y, std::string_view text, size_t underline) = 0;

 private:
  TFont font_;
  TBrush brush_;
  TPen pen_;
};
