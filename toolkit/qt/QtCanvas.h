// The canvas on a QPainter.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <optional>

#include "toolkit/Graphics.h"

// Text measures of a Qt font.
class QtFontMetrics : public FontMetrics {
 public:
  explicit QtFontMetrics(const QFont& font) : metrics_(font) {}
  int TextWidth(std::string_view text) const override;
  int Ascent() const override { return metrics_.ascent(); }
  int Descent() const override { return metrics_.descent(); }
  int ExternalLeading() const override { return metrics_.leading(); }
  int AverageCharWidth() const override { return metrics_.averageCharWidth(); }

 private:
  QFontMetrics metrics_;
};

class QtCanvas : public TCanvas {
 public:
  explicit QtCanvas(QPainter& painter);

  void FillRect(const TRect& rect) override;
  void Rectangle(const TRect& rect) override;
  void StretchDraw(const TRect& dest, PixelView picture,
                   std::optional<std::uint32_t> transparentRgb) override;
  void DrawFocusRect(const TRect& rect) override;
  void PushViewport(const TRect& bounds) override;
  void PopViewport() override;

  // The Qt font for a toolkit font (family substitution is fontconfig's).
  static QFont ToQFont(const TFont& font);

 protected:
  const FontMetrics& Metrics() override;
  void DrawTextLine(int x, int y, std::string_view text, size_t underline) override;

 private:
  void SyncFont();

  QPainter& painter_;
  TFont lastFont_;
  std::optional<QFont> qfont_;
  std::optional<QtFontMetrics> metrics_;
};
