#include "gui/kit/DrawingPainter.h"

#include <QFontMetrics>
#include <QPolygon>
#include <algorithm>

#include "gui/kit/QtColour.h"

namespace plumora::gui {

void Draw(QPainter& painter, const Segment& segment, int penWidth) {
  painter.setPen(QPen(ToQColor(segment.colour), penWidth));
  painter.drawLine(ToQPoint(segment.from), ToQPoint(segment.to));
}

void Draw(QPainter& painter, const Polyline& line, int penWidth, Qt::PenStyle style) {
  painter.setPen(QPen(ToQColor(line.colour), penWidth, style));
  QPolygon points;
  points.reserve(static_cast<qsizetype>(line.points.size()));
  for (const Point& p : line.points) points << ToQPoint(p);
  painter.drawPolyline(points);
}

void Draw(QPainter& painter, const AnchoredText& text, TextPlacement placement) {
  const QString string =
      QString::fromUtf8(text.text.data(), static_cast<qsizetype>(text.text.size()));
  painter.setPen(ToQColor(text.colour));
  if (placement == TextPlacement::kPixelBox) {
    const QFontMetrics metrics(painter.font());
    const Rect box = TextBox(text, metrics.horizontalAdvance(string), metrics.height());
    painter.drawText(ToQRect(box), Qt::AlignCenter, string);
    return;
  }
  // A box far larger than any text, with one corner or edge middle at the anchor.
  constexpr qreal kBox = 1 << 15;
  const qreal x = text.at.x, y = text.at.y;
  QRectF box;
  Qt::Alignment align;
  switch (text.anchor) {
    case Anchor::kLeftTop:
      box = QRectF(x, y, kBox, kBox);
      align = Qt::AlignLeft | Qt::AlignTop;
      break;
    case Anchor::kCentreTop:
      box = QRectF(x - kBox, y, 2 * kBox, kBox);
      align = Qt::AlignHCenter | Qt::AlignTop;
      break;
    case Anchor::kRightTop:
      box = QRectF(x - kBox, y, kBox, kBox);
      align = Qt::AlignRight | Qt::AlignTop;
      break;
    case Anchor::kLeftBottom:
      box = QRectF(x, y - kBox, kBox, kBox);
      align = Qt::AlignLeft | Qt::AlignBottom;
      break;
    case Anchor::kCentreBottom:
      box = QRectF(x - kBox, y - kBox, 2 * kBox, kBox);
      align = Qt::AlignHCenter | Qt::AlignBottom;
      break;
    case Anchor::kRightBottom:
      box = QRectF(x - kBox, y - kBox, kBox, kBox);
      align = Qt::AlignRight | Qt::AlignBottom;
      break;
    case Anchor::kRightMiddle:
      box = QRectF(x - kBox, y - kBox, kBox, 2 * kBox);
      align = Qt::AlignRight | Qt::AlignVCenter;
      break;
  }
  painter.drawText(box, static_cast<int>(align) | Qt::TextSingleLine | Qt::TextDontClip, string);
}

void Draw(QPainter& painter, const Dots& dots) {
  if (dots.points.empty()) return;
  // Round pen ends make each point a dot of the pen's width; one call draws them all.
  QPen pen(ToQColor(dots.colour), std::max(1, dots.diameter));
  pen.setCapStyle(Qt::RoundCap);
  painter.setPen(pen);
  QPolygon points;
  points.reserve(static_cast<qsizetype>(dots.points.size()));
  for (const Point& p : dots.points) points << ToQPoint(p);
  painter.drawPoints(points);
}

void Fill(QPainter& painter, const Rect& rect, Colour colour) {
  painter.fillRect(ToQRect(rect), ToQColor(colour));
}

}  // namespace plumora::gui
