#include "toolkit/qt/QtCanvas.h"

#include <QImage>
#include <QString>
#include <vector>

#include "toolkit/Raster.h"

namespace {

QColor ToQColor(TColor color) {
  return QColor::fromRgb(ColorToRgb(color));
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter) : painter_(painter) {}

QFont QtCanvas::ToQFont(const TFont& font) {
  QFont q(QString::fromStdString(font.Name()));
  // A negative height is the character height in pixels; a positive one the cell height, of which
  // the character takes about four fifths.
  const int pixels = font.Height() < 0 ? -font.Height() : std::max(1, font.Height() * 4 / 5);
  q.setPixelSize(std::max(pixels, 1));
  q.setBold(font.Style() & fsBold);
  q.setItalic(font.Style() & fsItalic);
  q.setUnderline(font.Style() & fsUnderline);
  q.setStrikeOut(font.Style() & fsStrikeOut);
  if (font.Pitch() == fpFixed) q.setFixedPitch(true);
  return q;
}

void QtCanvas::SyncFont() {
  if (qfont_ && lastFont_.SameAs(Font())) return;
  lastFont_.Assign(Font());
  qfont_ = ToQFont(lastFont_);
  metrics_.emplace(*qfont_);
}

const FontMetrics& QtCanvas::Metrics() {
  SyncFont();
  return *metrics_;
}

int QtFontMetrics::TextWidth(std::string_view text) const {
  return metrics_.horizontalAdvance(FromUtf8(text));
}

void QtCanvas::FillRect(const TRect& rect) {
  if (Brush().Style == bsClear || rect.Empty()) return;
  painter_.fillRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), ToQColor(Brush().Color));
}

void QtCanvas::Rectangle(const TRect& rect) {
  if (rect.Empty()) return;
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  if (Pen().Style == psClear)
    painter_.setPen(Qt::NoPen);
  else
    painter_.setPen(QPen(ToQColor(Pen().Color), std::max(Pen().Width, 1)));
  if (Brush().Style == bsClear)
    painter_.setBrush(Qt::NoBrush);
  else
    painter_.setBrush(ToQColor(Brush().Color));
  painter_.drawRect(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
  painter_.restore();
}

void QtCanvas::StretchDraw(const TRect& dest, PixelView picture,
                           std::optional<std::uint32_t> transparentRgb) {
  if (dest.Empty() || picture.width <= 0 || picture.height <= 0 || !picture.pixels) return;
  // Rows and columns are dropped or repeated in device pixels, so high-resolution screens get a
  // sharp picture of the same proportions.
  const qreal ratio = painter_.device() ? painter_.device()->devicePixelRatioF() : 1.0;
  const int width = std::max(1, qRound(dest.Width() * ratio));
  const int height = std::max(1, qRound(dest.Height() * ratio));
  QImage image(width, height, transparentRgb ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  const std::vector<int> columns = StretchSourceLines(picture.width, width, StretchAxis::Horizontal);
  const std::vector<int> rows = StretchSourceLines(picture.height, height, StretchAxis::Vertical);
  for (int y = 0; y < height; ++y) {
    const int sy = rows[static_cast<size_t>(y)];
    const std::uint32_t* src = picture.pixels + static_cast<std::ptrdiff_t>(sy) * picture.stride;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const std::uint32_t rgb = src[columns[static_cast<size_t>(x)]] & 0xFFFFFF;
      line[x] = (transparentRgb && rgb == *transparentRgb) ? 0u : (0xFF000000u | rgb);
    }
  }
  image.setDevicePixelRatio(ratio);
  painter_.drawImage(QPoint(dest.Left, dest.Top), image);
}

void QtCanvas::DrawFocusRect(const TRect& rect) {
  if (rect.Empty()) return;
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter_.setPen(QPen(Qt::white, 1));
  // Every other pixel along the outline, as a dotted focus frame.
  for (int x = rect.Left; x < rect.Right; x += 2) {
    painter_.drawPoint(x, rect.Top);
    painter_.drawPoint(x, rect.Bottom - 1);
  }
  for (int y = rect.Top + 2; y < rect.Bottom - 1; y += 2) {
    painter_.drawPoint(rect.Left, y);
    painter_.drawPoint(rect.Right - 1, y);
  }
  painter_.restore();
}

void QtCanvas::PushViewport(const TRect& bounds) {
  painter_.save();
  painter_.translate(bounds.Left, bounds.Top);
  painter_.setClipRect(QRect(0, 0, bounds.Width(), bounds.Height()), Qt::IntersectClip);
}

void QtCanvas::PopViewport() {
  painter_.restore();
}

void QtCanvas::DrawTextLine(int x, int y, std::string_view text, size_t underline) {
  SyncFont();
  painter_.save();
  painter_.setFont(*qfont_);
  painter_.setPen(ToQColor(Font().Color()));
  const int baseline = y + metrics_->Ascent();
  const QString line = FromUtf8(text);
  painter_.drawText(QPoint(x, baseline), line);
  if (underline < text.size()) {
    const QString before = FromUtf8(text.substr(0, underline));
    const QString marked = line.mid(before.size(), 1);
    const QFontMetrics fm(*qfont_);
    const int start = x + fm.horizontalAdvance(before);
    const int end = start + fm.horizontalAdvance(marked);
    const int uy = baseline + std::max(1, fm.underlinePos());
    painter_.drawLine(start, uy, end - 1, uy);
  }
  painter_.restore();
}
