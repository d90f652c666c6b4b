#include "Painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace {

// The product's greens.
const QColor kGreen(0x63, 0x9E, 0x5A);
const QColor kLightGreen(0x83, 0xC5, 0x97);
const QColor kHoverGreen(0x66, 0x9C, 0x59);
const QColor kDeepGreen(0x3E, 0x72, 0x38);
const QColor kPaleGreen(0xEE, 0xF7, 0xEF);
const QColor kInk(0x2E, 0x3B, 0x2C);

const char* const kFont = "Liberation Sans";

QImage Canvas(int width, int height, QColor fill = Qt::white) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

void Smooth(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QPen WhitePen(double width) {
  return QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QFont Font(double pixels, int weight = QFont::Bold, bool italic = false) {
  QFont font(kFont);
  font.setPixelSize(int(std::lround(pixels)));
  font.setWeight(QFont::Weight(weight));
  font.setItalic(italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// A compact disc: a ring with its hole, and a light sheen across it.
void Disc(QPainter& p, QPointF centre, double radius, QColor hole) {
  QPainterPath ring;
  ring.addEllipse(centre, radius, radius);
  QPainterPath inner;
  inner.addEllipse(centre, radius * 0.28, radius * 0.28);
  p.fillPath(ring.subtracted(inner), Qt::white);
  p.setPen(QPen(hole, 1.1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(centre, radius * 0.62, radius * 0.62);
  p.setBrush(hole);
  p.setPen(Qt::NoPen);
  p.drawEllipse(centre, radius * 0.16, radius * 0.16);
}

// A gate valve seen from the side: bow-tie body, stem and hand wheel.
void ValveSymbol(QPainter& p, QPointF centre, double size, QColor on, bool wheel = true) {
  const double w = size / 2;
  const double h = size * 0.3;
  QPainterPath body;
  body.moveTo(centre.x() - w, centre.y() - h);
  body.lineTo(centre.x() + w, centre.y() + h);
  body.lineTo(centre.x() + w, centre.y() - h);
  body.lineTo(centre.x() - w, centre.y() + h);
  body.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(on);
  p.drawPath(body);
  p.drawEllipse(centre, size * 0.11, size * 0.11);
  if (!wheel) return;
  p.setPen(QPen(on, std::max(1.2, size * 0.08), Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre, centre - QPointF(0, size * 0.52));
  p.drawLine(centre - QPointF(size * 0.3, size * 0.55), centre - QPointF(-size * 0.3, size * 0.55));
}

void OpenBook(QPainter& p, QPointF centre, double width, QColor shade) {
  const double half = width / 2;
  const double height = width * 0.62;
  const double top = centre.y() - height / 2;
  const double bottom = centre.y() + height / 2;
  for (int side : {-1, 1}) {
    QPainterPath page;
    page.moveTo(centre.x(), top + 3);
    page.cubicTo(centre.x() + side * half * 0.35, top - 2, centre.x() + side * half * 0.7, top - 1,
                 centre.x() + side * half, top + 1);
    page.lineTo(centre.x() + side * half, bottom - 2);
    page.cubicTo(centre.x() + side * half * 0.7, bottom - 4, centre.x() + side * half * 0.35, bottom - 5,
                 centre.x(), bottom);
    page.closeSubpath();
    p.fillPath(page, Qt::white);
    p.setPen(QPen(shade, 1.0, Qt::SolidLine, Qt::RoundCap));
    for (int line = 1; line <= 4; ++line) {
      const double y = top + 3 + line * (height - 6) / 5.5;
      p.drawLine(QPointF(centre.x() + side * half * 0.18, y),
                 QPointF(centre.x() + side * half * 0.82, y - 1));
    }
  }
  p.setPen(QPen(shade, 1.2));
  p.drawLine(QPointF(centre.x(), top + 3), QPointF(centre.x(), bottom));
}

}  // namespace

QImage PaintActionFace(Action action, Look look) {
  QImage image = Canvas(222, 65);
  QPainter p(&image);
  Smooth(p);
  const bool lit = look == Look::Highlighted;
  const QRectF faceRect(1, 1, 220, 63);
  QPainterPath face;
  face.addRoundedRect(faceRect, 10, 10);

  QLinearGradient fill(0, 1, 0, 64);
  if (lit) {
    fill.setColorAt(0, QColor(0xF7, 0xFC, 0xF7));
    fill.setColorAt(1, QColor(0xDD, 0xEF, 0xE0));
  } else {
    fill.setColorAt(0, QColor(0x74, 0xB0, 0x6A));
    fill.setColorAt(1, QColor(0x58, 0x92, 0x4F));
  }
  p.fillPath(face, fill);

  // The quarter disc in the bottom-left corner, clipped to the face.
  p.save();
  p.setClipPath(face);
  QRadialGradient disc(QPointF(0, 65), 62);
  const QColor discColor = lit ? kHoverGreen : kLightGreen;
  disc.setColorAt(0, discColor.lighter(lit ? 100 : 106));
  disc.setColorAt(1, discColor);
  p.setPen(Qt::NoPen);
  p.setBrush(disc);
  p.drawEllipse(QPointF(0, 65), 62, 62);
  p.setPen(QPen(QColor(255, 255, 255, lit ? 200 : 110), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(0, 65), 62, 62);
  // A soft highlight along the top edge.
  p.setPen(QPen(QColor(255, 255, 255, lit ? 255 : 70), 1.2));
  p.drawLine(QPointF(10, 2.2), QPointF(212, 2.2));
  p.restore();

  p.setPen(QPen(lit ? kHoverGreen : kDeepGreen, lit ? 2.0 : 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(faceRect.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);

  const QColor behind = lit ? kHoverGreen : kLightGreen;
  switch (action) {
    case Action::Install:
      Disc(p, QPointF(34, 33), 12.5, behind);
      p.setPen(QPen(behind, 2.4));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(22, 44), 13.6, 13.6);
      Disc(p, QPointF(22, 44), 13, behind);
      break;
    case Action::CdRun:
      ValveSymbol(p, QPointF(25, 29), 22, Qt::white);
      Disc(p, QPointF(25, 51), 10, behind);
      break;
    case Action::Manual:
      OpenBook(p, QPointF(24, 42), 34, behind);
      break;
  }
  return image;
}

QImage PaintFirstLanguageFlag() {
  QImage image = Canvas(136, 85);
  QPainter p(&image);
  Smooth(p);
  const QRectF flag(7, 7, 122, 71);
  p.fillRect(flag.translated(1.5, 1.5), QColor(0xD8, 0xD8, 0xD8));
  const QColor bands[] = {QColor(0, 0, 0), QColor(0xDD, 0x00, 0x00), QColor(0xFF, 0xCE, 0x00)};
  for (int i = 0; i < 3; ++i) {
    const double top = flag.top() + flag.height() * i / 3;
    p.fillRect(QRectF(flag.left(), top, flag.width(), flag.height() / 3 + (i < 2 ? 0.5 : 0)), bands[i]);
  }
  return image;
}

QImage PaintSecondLanguageFlag() {
  QImage image = Canvas(142, 91);
  QPainter p(&image);
  Smooth(p);
  const QRectF flag(7, 7, 128, 77);
  p.fillRect(flag.translated(1.5, 1.5), QColor(0xD8, 0xD8, 0xD8));
  // Drawn on the flag's own 60 × 30 grid, stretched onto the rectangle.
  p.save();
  p.translate(flag.topLeft());
  p.scale(flag.width() / 60, flag.height() / 30);
  p.setClipRect(QRectF(0, 0, 60, 30));
  const QColor blue(0x01, 0x21, 0x69);
  const QColor red(0xC8, 0x10, 0x2E);
  p.fillRect(QRectF(0, 0, 60, 30), blue);
  p.setPen(QPen(Qt::white, 6));
  p.drawLine(QPointF(0, 0), QPointF(60, 30));
  p.drawLine(QPointF(60, 0), QPointF(0, 30));
  // The red diagonals are counterchanged: below the white one in the hoist, above it in the fly.
  struct Arm {
    QPointF corner;
    QRectF quarter;
    double side;
  } arms[] = {{{0, 0}, {0, 0, 30, 15}, 1},
              {{0, 30}, {0, 15, 30, 15}, 1},
              {{60, 0}, {30, 0, 30, 15}, -1},
              {{60, 30}, {30, 15, 30, 15}, -1}};
  for (const Arm& arm : arms) {
    const QPointF along = QPointF(30, 15) - arm.corner;
    const double length = std::hypot(along.x(), along.y());
    QPointF normal(-along.y() / length, along.x() / length);
    if ((arm.side > 0) != (normal.y() > 0)) normal = -normal;
    p.save();
    p.setClipRect(arm.quarter, Qt::IntersectClip);
    p.setPen(QPen(red, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(arm.corner - along + normal, arm.corner + along * 2 + normal);
    p.restore();
  }
  p.fillRect(QRectF(25, 0, 10, 30), Qt::white);
  p.fillRect(QRectF(0, 10, 60, 10), Qt::white);
  p.fillRect(QRectF(27, 0, 6, 30), red);
  p.fillRect(QRectF(0, 12, 60, 6), red);
  p.restore();
  return image;
}

QImage PaintThirdLanguageFlag() {
  QImage image = Canvas(70, 35);
  QPainter p(&image);
  Smooth(p);
  const QRectF oval(3.5, 2.5, 63, 30);
  QPainterPath inside;
  inside.addEllipse(oval);
  p.save();
  p.setClipPath(inside);
  p.fillRect(QRectF(0, 0, 70, oval.center().y()), Qt::white);
  p.fillRect(QRectF(0, oval.center().y(), 70, 35), QColor(0xDC, 0x14, 0x3C));
  p.restore();
  p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.8));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(oval);
  return image;
}

namespace {

// Outline drawings of valves and pipe for the header band.
void HeaderValves(QPainter& p) {
  const QColor line(255, 255, 255, 60);
  p.setPen(QPen(line, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  const double y = 80;
  // The pipe with its flanges.
  p.drawLine(QPointF(336, y - 6), QPointF(580, y - 6));
  p.drawLine(QPointF(336, y + 6), QPointF(580, y + 6));
  for (double x : {346.0, 358.0, 418.0, 443.0, 487.0, 514.0, 546.0})
    p.drawLine(QPointF(x, y - 11), QPointF(x, y + 11));

  // Gate valve with bonnet and hand wheel.
  const double gate = 388;
  QPainterPath body;
  body.moveTo(gate - 22, y - 13);
  body.lineTo(gate + 22, y + 13);
  body.lineTo(gate + 22, y - 13);
  body.lineTo(gate - 22, y + 13);
  body.closeSubpath();
  p.drawPath(body);
  p.drawRect(QRectF(gate - 7, y - 27, 14, 13));
  p.drawLine(QPointF(gate, y - 27), QPointF(gate, y - 43));
  p.drawEllipse(QPointF(gate, y - 47), 18, 4.5);

  // Ball valve with its lever.
  const double ball = 465;
  p.drawEllipse(QPointF(ball, y), 17, 17);
  p.drawEllipse(QPointF(ball, y), 7, 7);
  p.drawLine(QPointF(ball, y - 17), QPointF(ball, y - 29));
  p.drawLine(QPointF(ball - 6, y - 29), QPointF(ball + 38, y - 29));
  p.drawEllipse(QPointF(ball + 41, y - 29), 3, 3);

  // Butterfly valve: the disc between flanges, with its gear box.
  const double fly = 530;
  p.drawEllipse(QPointF(fly, y), 6, 16);
  p.drawLine(QPointF(fly, y - 16), QPointF(fly, y - 34));
  p.drawRect(QRectF(fly - 9, y - 46, 18, 12));
}

void MakerLogo(QPainter& p, QPointF origin) {
  // A drop inside a ring: water and the valve's round body.
  const QPointF mark = origin + QPointF(20, 0);
  QRadialGradient ring(mark, 18);
  ring.setColorAt(0, kLightGreen);
  ring.setColorAt(1, kGreen);
  p.setPen(Qt::NoPen);
  p.setBrush(ring);
  p.drawEllipse(mark, 18, 18);
  QPainterPath drop;
  drop.moveTo(mark + QPointF(0, -13));
  drop.cubicTo(mark + QPointF(4, -6), mark + QPointF(10, 0), mark + QPointF(10, 5));
  drop.cubicTo(mark + QPointF(10, 11), mark + QPointF(5.5, 14), mark + QPointF(0, 14));
  drop.cubicTo(mark + QPointF(-5.5, 14), mark + QPointF(-10, 11), mark + QPointF(-10, 5));
  drop.cubicTo(mark + QPointF(-10, 0), mark + QPointF(-4, -6), mark + QPointF(0, -13));
  p.fillPath(drop, Qt::white);

  p.setPen(kInk);
  p.setFont(Font(17, QFont::Bold));
  p.drawText(origin + QPointF(45, 1), "ZEP");
  p.setPen(kGreen);
  QFont small = Font(9, QFont::Normal);
  small.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  p.setFont(small);
  p.drawText(origin + QPointF(46, 15), "ARMATUREN");
}

}  // namespace

QImage PaintHeader(Language language) {
  QImage image = Canvas(780, 112);
  QPainter p(&image);
  Smooth(p);

  // The green band ends in a sweeping curve; the white end carries the maker's logo.
  QPainterPath band;
  band.moveTo(0, 0);
  band.lineTo(586, 0);
  band.cubicTo(551, 30, 536, 80, 566, 112);
  band.lineTo(0, 112);
  band.closeSubpath();
  QLinearGradient green(0, 0, 586, 0);
  green.setColorAt(0, QColor(0x4A, 0x86, 0x43));
  green.setColorAt(0.55, kGreen);
  green.setColorAt(1, QColor(0x78, 0xB4, 0x6E));
  p.fillPath(band, green);
  QLinearGradient shade(0, 0, 0, 112);
  shade.setColorAt(0, QColor(255, 255, 255, 28));
  shade.setColorAt(0.5, QColor(255, 255, 255, 0));
  shade.setColorAt(1, QColor(0, 0, 0, 30));
  p.fillPath(band, shade);

  p.save();
  p.setClipPath(band);
  HeaderValves(p);
  p.restore();

  // A light accent following the curve.
  QPainterPath accent;
  accent.moveTo(598, 0);
  accent.cubicTo(563, 30, 548, 80, 578, 112);
  p.setPen(QPen(kLightGreen, 3));
  p.setBrush(Qt::NoBrush);
  p.drawPath(accent);

  // The product's name and version.
  p.setPen(Qt::white);
  QFont name = Font(38, QFont::Bold);
  p.setFont(name);
  const QPointF nameAt(26, 50);
  p.drawText(nameAt, "ZEP KORVA");
  const double nameWidth = QFontMetricsF(name).horizontalAdvance("ZEP KORVA");
  p.setFont(Font(15, QFont::Bold));
  p.drawText(nameAt + QPointF(nameWidth + 1, -20), QString::fromUtf8("\u00AE"));
  p.setFont(Font(38, QFont::Normal, true));
  p.drawText(nameAt + QPointF(nameWidth + 12, 0), "plus");

  const bool german = language == Language::German;
  p.setFont(Font(20, QFont::Bold));
  p.setPen(QColor(255, 255, 255, 235));
  p.drawText(QPointF(28, 78), german ? "Planung 6.1" : "Planning 6.1");
  p.setFont(Font(12.5, QFont::Normal));
  p.setPen(QColor(0xE4, 0xF3, 0xE4));
  p.drawText(QPointF(28, 97), german ? "Auslegung und Planung von Armaturen" : "Valve sizing and planning");

  MakerLogo(p, QPointF(604, 57));
  return image;
}

QImage PaintButtonBar(Look look) {
  QImage image = Canvas(224, 55);
  QPainter p(&image);
  Smooth(p);
  const QRectF bar(4, 4, 212, 43);
  if (look == Look::Normal) {
    // A soft shadow below and to the right.
    for (int i = 4; i >= 1; --i) {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0, 0, 0, 14));
      p.drawRoundedRect(bar.translated(2.5, 3).adjusted(-i * 0.5, -i * 0.5, i * 0.5, i * 0.5), 8 + i * 0.5,
                        8 + i * 0.5);
    }
  }
  p.setPen(Qt::NoPen);
  p.setBrush(look == Look::Normal ? kGreen : kLightGreen);
  p.drawRoundedRect(bar, 8, 8);
  return image;
}

QImage PaintProgramIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  Smooth(p);
  const double s = size;
  const QPointF centre(s / 2, s / 2);
  const double radius = s / 2 - std::max(0.5, s / 48);
  QRadialGradient disc(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.5);
  disc.setColorAt(0, kLightGreen);
  disc.setColorAt(0.55, kGreen);
  disc.setColorAt(1, kDeepGreen);
  p.setPen(Qt::NoPen);
  p.setBrush(disc);
  p.drawEllipse(centre, radius, radius);
  if (size >= 32) {
    p.setPen(QPen(QColor(255, 255, 255, 90), s / 32));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius * 0.86, radius * 0.86);
  }
  // Small sizes show the valve body alone, so it stays legible.
  const bool wheel = size >= 32;
  ValveSymbol(p, centre + QPointF(0, wheel ? s * 0.1 : 0), s * (wheel ? 0.52 : 0.62), Qt::white, wheel);
  return image;
}
