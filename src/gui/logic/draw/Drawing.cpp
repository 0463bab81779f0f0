#include "gui/logic/draw/Drawing.h"

namespace plumora::gui {

Rect TextBox(const AnchoredText& text, int width, int lineHeight) {
  int left = text.at.x;
  switch (text.anchor) {
    case Anchor::kCentreTop:
    case Anchor::kCentreBottom:
      left -= width / 2;
      break;
    case Anchor::kRightTop:
    case Anchor::kRightBottom:
      left -= width;
      break;
    case Anchor::kLeftTop:
    case Anchor::kLeftBottom:
      break;
  }
  const bool bottom = text.anchor == Anchor::kLeftBottom || text.anchor == Anchor::kCentreBottom ||
                      text.anchor == Anchor::kRightBottom;
  return {left, bottom ? text.at.y - lineHeight : text.at.y, width, lineHeight};
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

}  // namespace plumora::gui
