// What the two data viewers' plots share: value ranges that a scale can divide by, the eleven
// ticks of an axis, pixel positions that stay within reach of a painter, and labels that keep
// out of each other's way.
#pragma once

#include <string>
#include <string_view>

#include <vector>

#include "gui/logic/draw/Drawing.h"

namespace plumora::gui {

// The lines that follow the pointer: olive, dark enough for both plots' backgrounds.
inline constexpr Colour kReadoutColour{128, 128, 0};

// The extremes of a quantity, in its own unit.
struct ValueRange {
  double minimum = 0.0;
  double maximum = 0.0;
  double span() const { return maximum - minimum; }
};

// A range a scale can be divided by: a flat one (a single point, a constant quantity) becomes
// its value ± 1, so the plot shows a straight line in the middle instead of dividing by zero.
ValueRange Drawable(ValueRange range);

// Ticks split an axis into ten equal parts.
inline constexpr int kTickIntervals = 10;
// Offset of tick i along an axis `length` pixels long, in whole pixels: (length × i) / 10.
int TickOffset(int length, int i);
// The value at tick i: minimum + i × span × 0.1.
double TickValue(const ValueRange& range, int i);

// A value in pixels as a painter can take it: rounded towards zero, and held within a few
// screens of the plot (a value that is not a number gives 0), so no far-off value overflows.
int ToPixel(double pixels);

// One number through a printf format.
std::string FormatValue(const char* format, double value);

// Strictly inside: the rectangle's own edges are not.
bool StrictlyInside(const Rect& rect, Point p);

// Leaves out each label centred under an axis that would run into the one before it (kept two
// units apart), so no label covers another; labels anchored otherwise all stay.
void KeepLabelsApart(std::vector<AnchoredText>& labels, const TextWidth& textWidth);

}  // namespace plumora::gui
