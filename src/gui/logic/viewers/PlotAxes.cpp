#include "gui/logic/viewers/PlotAxes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace plumora::gui {

namespace {

// Far enough beyond any plot that a line to it leaves the plot as it should.
constexpr double kPixelReach = 100000.0;
constexpr int kLabelSpacing = 2;  // units kept free between two labels of one axis

}  // namespace

ValueRange Drawable(ValueRange range) {
  if (range.span() > 0.0) return range;
  return {range.minimum - 1.0, range.minimum + 1.0};
}

int TickOffset(int length, int i) {
  return (length * i) / kTickIntervals;
}

double TickValue(const ValueRange& range, int i) {
  return range.minimum + i * range.span() * 0.1;
}

int ToPixel(double pixels) {
  if (std::isnan(pixels)) return 0;
  if (pixels > kPixelReach) return static_cast<int>(kPixelReach);
  if (pixels < -kPixelReach) return static_cast<int>(-kPixelReach);
  return static_cast<int>(pixels);
}

std::string FormatValue(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

bool StrictlyInside(const Rect& rect, Point p) {
  return rect.left < p.x && p.x < rect.right() && rect.top < p.y && p.y < rect.bottom();
}

void KeepLabelsApart(std::vector<AnchoredText>& labels, const TextWidth& textWidth) {
  int freeFrom = INT_MIN;  // the first column right of the last centred label kept
  std::erase_if(labels, [&](const AnchoredText& t) {
    if (t.anchor != Anchor::kCentreTop) return false;
    const int width = textWidth(t.text);
    const int left = t.at.x - width / 2;
    if (left < freeFrom) return true;
    freeFrom = left + width + kLabelSpacing;
    return false;
  });
}

}  // namespace plumora::gui
