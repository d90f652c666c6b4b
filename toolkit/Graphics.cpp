#include "toolkit/Graphics.h"

#include <algorithm>

#include "toolkit/TextLayout.h"

namespace {

constexpr IntegerIdent kColorIdents[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {"clWindowText", clWindowText},
    {"clWindow", clWindow},
    {"clBtnFace", clBtnFace},
    {"clHighlight", clHighlight},
};

constexpr IntegerIdent kCharsetIdents[] = {
    {"ANSI_CHARSET", 0},     {"DEFAULT_CHARSET", 1},       {"SYMBOL_CHARSET", 2},   {"SHIFTJIS_CHARSET", 128},
    {"GB2312_CHARSET", 134}, {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},  {"TURKISH_CHARSET", 162},
    {"HEBREW_CHARSET", 177}, {"ARABIC_CHARSET", 178},      {"BALTIC_CHARSET", 186}, {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},   {"EASTEUROPE_CHARSET", 238},  {"OEM_CHARSET", 255},
};

constexpr std::string_view kStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr std::string_view kPitchNames[] = {"fpDefault", "fpVariable", "fpFixed"};

// The desktop's system colours (0x00RRGGBB), indexed by the low byte of a system colour.
constexpr std::uint32_t kSystemColors[] = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x0078D7, 0xF0F0F0,
};

}  // namespace

std::span<const IntegerIdent> ColorIdents() {
  return kColorIdents;
}
std::span<const IntegerIdent> CharsetIdents() {
  return kCharsetIdents;
}

std::uint32_t ColorToRgb(TColor color) {
  const auto bits = static_cast<std::uint32_t>(color);
  std::uint32_t bgr = bits & 0xFFFFFF;
  if ((bits >> 24) == 0xFF) {
    const std::uint32_t index = bits & 0xFF;
    return index < std::size(kSystemColors) ? kSystemColors[index] : 0;
  }
  return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

TRect TRect::Intersect(const TRect& o) const {
  TRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right), std::min(Bottom, o.Bottom)};
  if (r.Empty()) return {};
  return r;
}

// ---------------------------------------------------------------------------------------------

KORVA_IMPLEMENT_CLASS(TFont, TPersistent) {
  c.Integer("Charset", &TFont::Charset, &TFont::SetCharset, kCharsetIdents);
  c.Integer("Color", &TFont::Color, &TFont::SetColor, kColorIdents);
  c.Integer("Height", &TFont::Height, &TFont::SetHeight);
  c.String("Name", &TFont::Name, &TFont::SetName);
  c.Enum("Pitch", &TFont::Pitch, &TFont::SetPitch, kPitchNames);
  c.Integer("Size", &TFont::Size, &TFont::SetSize).StoredWhen([](const TFont&) { return false; });
  c.SetOf("Style", &TFont::Style, &TFont::SetStyle, kStyleNames);
}

TFont::TFont(const TFont& other) : TPersistent() {
  Assign(other);
}

TFont& TFont::operator=(const TFont& other) {
  Assign(other);
  return *this;
}

void TFont::Changed() {
  if (OnChange) OnChange();
}

void TFont::SetName(const std::string& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetCharset(int charset) {
  charset = std::clamp(charset, 0, 255);
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const {
  return -(height_ * 72 - (height_ < 0 ? 48 : -48)) / 96;
}

void TFont::SetSize(int points) {
  SetHeight(-(points * 96 + 36) / 72);
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

bool TFont::SameAs(const TFont& o) const {
  return name_ == o.name_ && charset_ == o.charset_ && color_ == o.color_ && height_ == o.height_ &&
         style_ == o.style_ && pitch_ == o.pitch_;
}

void TFont::Assign(const TFont& other) {
  if (SameAs(other)) return;
  name_ = other.name_;
  charset_ = other.charset_;
  color_ = other.color_;
  height_ = other.height_;
  style_ = other.style_;
  pitch_ = other.pitch_;
  Changed();
}

// ---------------------------------------------------------------------------------------------

int TCanvas::DrawText(std::string_view text, TRect& rect, unsigned format) {
  const TextLayoutResult layout = LayoutText(text, rect, format, Metrics());
  if (format & DT_CALCRECT) {
    rect = layout.extent;
    return layout.extent.Height();
  }
  if (brush_.Style == bsSolid) {
    TBrush saved = brush_;
    for (const auto& line : layout.lines)
      FillRect({line.x, line.y, line.x + line.width, line.y + Metrics().LineHeight()});
    brush_ = saved;
  }
  for (const auto& line : layout.lines) {
    if (!(format & DT_EXPANDTABS) || line.text.find('\t') == std::string::npos) {
      DrawTextLine(line.x, line.y, line.text, line.underline);
      continue;
    }
    for (const TextRun& run : TabRuns(line.text, Metrics())) {
      if (run.begin == run.end) continue;
      const bool marked = line.underline >= run.begin && line.underline < run.end;
      DrawTextLine(line.x + run.x, line.y, std::string_view(line.text).substr(run.begin, run.end - run.begin),
                   marked ? line.underline - run.begin : std::string::npos);
    }
  }
  return layout.height;
}

int TCanvas::TextWidth(std::string_view text) {
  return Metrics().TextWidth(text);
}
