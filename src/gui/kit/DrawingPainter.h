// Paints the drawing vocabulary of gui/logic/draw with a QPainter, in the painter's units: every
// pane and plot that lays out its picture without Qt draws it through here.
#pragma once

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <vector>

#include "gui/logic/draw/Drawing.h"

namespace plumora::gui {

inline QPoint ToQPoint(Point p) {
  return {p.x, p.y};
}
inline QRect ToQRect(const Rect& r) {
  return {r.left, r.top, r.width, r.height};
}

// Lines in their colour, penWidth units wide; the pen is left as the last one set.
void Draw(QPainter& painter, const Segment& segment, int penWidth = 1);
void Draw(QPainter& painter, const Polyline& line, int penWidth = 1,
          Qt::PenStyle style = Qt::SolidLine);
// A text in its colour and the painter's font, its box's corner or edge middle on the anchor.
// Exactly: the text's own edge or middle is there, and nothing clips it. In a pixel box: the
// text is centred in a box of whole pixels as wide as its rounded width and one line high,
// which clips it.
enum class TextPlacement { kExact, kPixelBox };
void Draw(QPainter& painter, const AnchoredText& text,
          TextPlacement placement = TextPlacement::kExact);
// The dots in their colour and size.
void Draw(QPainter& painter, const Dots& dots);
// The rectangle filled in a colour, without an outline.
void Fill(QPainter& painter, const Rect& rect, Colour colour);

template <typename Shape>
void Draw(QPainter& painter, const std::vector<Shape>& shapes) {
  for (const Shape& shape : shapes) Draw(painter, shape);
}
inline void Draw(QPainter& painter, const std::vector<AnchoredText>& texts,
                 TextPlacement placement) {
  for (const AnchoredText& text : texts) Draw(painter, text, placement);
}
template <typename Line>
void Draw(QPainter& painter, const std::vector<Line>& lines, int penWidth) {
  for (const Line& line : lines) Draw(painter, line, penWidth);
}

}  // namespace plumora::gui
