// A canvas without a screen: it records every drawing call with the brush and font in effect,
// and measures text with simple fixed metrics, so layouts are easy to compute by hand.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolkit/Graphics.h"

// Every character is 10 pixels wide except ' ' (5), '.' (4) and 'W' (16); a UTF-8 character
// counts once. Ascent 12, descent 4, external leading 3, average width 5 (tab stops every 40).
class FixedFontMetrics : public FontMetrics {
 public:
  int TextWidth(std::string_view text) const override {
    int width = 0;
    for (char c : text) {
      if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
      width += c == ' ' ? 5 : c == '.' ? 4 : c == 'W' ? 16 : 10;
    }
    return width;
  }
  int Ascent() const override { return 12; }
  int Descent() const override { return 4; }
  int ExternalLeading() const override { return 3; }
  int AverageCharWidth() const override { return 5; }
};

class RecordingCanvas : public TCanvas {
 public:
  struct Fill {
    TRect rect;
    TColor color;
  };
  struct Stretch {
    TRect dest;
    int width, height;
    std::uint32_t firstPixel;
  };
  struct Text {
    int x, y;
    std::string text;
    size_t underline;
    TFont font;
    TBrushStyle brushStyle;
  };
  enum class Call { Fill, Stretch, Text, FocusRect };

  std::vector<Call> calls;
  std::vector<Fill> fills;
  std::vector<Stretch> stretches;
  std::vector<Text> texts;
  std::vector<TRect> focusRects;

  void FillRect(const TRect& rect) override {
    if (Brush().Style == bsClear) return;
    calls.push_back(Call::Fill);
    fills.push_back({rect, Brush().Color});
  }
  void Rectangle(const TRect& rect) override { FillRect(rect); }
  void StretchDraw(const TRect& dest, PixelView picture, std::optional<std::uint32_t>) override {
    calls.push_back(Call::Stretch);
    stretches.push_back({dest, picture.width, picture.height, picture.pixels ? picture.pixels[0] : 0u});
  }
  void DrawFocusRect(const TRect& rect) override {
    calls.push_back(Call::FocusRect);
    focusRects.push_back(rect);
  }
  void PushViewport(const TRect&) override {}
  void PopViewport() override {}

 protected:
  const FontMetrics& Metrics() override { return metrics_; }
  void DrawTextLine(int x, int y, std::string_view text, size_t underline) override {
    calls.push_back(Call::Text);
    texts.push_back({x, y, std::string(text), underline, Font(), Brush().Style});
  }

 private:
  FixedFontMetrics metrics_;
};
