#include "gui/logic/draw/Drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plumora::gui {

std::string DecimalText(double value, int decimals, int width) {
  if (std::fabs(value) <= 0.5 * std::pow(10.0, -decimals)) value = 0.0;
  const int shown = std::max(0, decimals);
  const int length = std::snprintf(nullptr, 0, "%*.*f", width, shown, value);
  std::string text(static_cast<std::size_t>(std::max(0, length)), '\0');
  std::snprintf(text.data(), text.size() + 1, "%*.*f", width, shown, value);
  return text;
}

Rect TextBox(const AnchoredText& text, int width, int lineHeight) {
  int left = text.at.x;
  switch (text.anchor) {
    case Anchor::kCentreTop:
    case Anchor::kCentreBottom:
      left -= width / 2;
      break;
    case Anchor::kRightTop:
    case Anchor::kRightBottom:
    case Anchor::kRightMiddle:
      left -= width;
      break;
    case Anchor::kLeftTop:
    case Anchor::kLeftBottom:
      break;
  }
  const bool bottom = text.anchor == Anchor::kLeftBottom || text.anchor == Anchor::kCentreBottom ||
                      text.anchor == Anchor::kRightBottom;
  int top = bottom ? text.at.y - lineHeight : text.at.y;
  if (text.anchor == Anchor::kRightMiddle) top = text.at.y - lineHeight / 2;
  return {left, top, width, lineHeight};
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

}  // namespace plumora::gui
