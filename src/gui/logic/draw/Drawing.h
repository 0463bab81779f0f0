// What every drawing decided here is made of, whoever paints it: colours, points, segments,
// polylines, texts anchored at a point, rectangles, the width of a text in the drawing's font,
// and the line shown where there is nothing to draw. Coordinates are whole units of the drawing
// (pixels on the screen, tenths of a millimetre on paper), y growing downwards.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plumora::gui {

struct Colour {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Colour&) const = default;
};
inline constexpr Colour kBlack{0, 0, 0};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// A straight line from one point to the other, both ends drawn.
struct Segment {
  Point from;
  Point to;
  Colour colour = kBlack;
  bool operator==(const Segment&) const = default;
};

// Straight lines joining the points in order, in one colour.
struct Polyline {
  std::vector<Point> points;
  Colour colour = kBlack;
  bool operator==(const Polyline&) const = default;
};

// Which point of a text's box lies on its anchor: a corner, the middle of its top or bottom
// edge, or the middle of its right edge (a label left of an axis). The box is one line of the
// font high.
enum class Anchor {
  kLeftTop,
  kCentreTop,
  kRightTop,
  kLeftBottom,
  kCentreBottom,
  kRightBottom,
  kRightMiddle,
};

struct AnchoredText {
  Point at;
  std::string text;  // UTF-8, one line
  Anchor anchor = Anchor::kLeftTop;
  Colour colour = kBlack;
  bool operator==(const AnchoredText&) const = default;
};

// Round dots of one size and colour, each centred on its point (a scatter of many points).
struct Dots {
  std::vector<Point> points;
  Colour colour = kBlack;
  int diameter = 1;
};

// A rectangle of width × height units from (left, top); right() and bottom() are the first
// column and row past it.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// A number with this many decimals, at least width characters wide (right-aligned, as printf
// pads); a value that rounds to zero reads "0", never "-0" (a landing a little below the ground,
// a tick at zero reached from below).
std::string DecimalText(double value, int decimals, int width = 0);

// Width of a text in the drawing's units and font.
using TextWidth = std::function<int(const std::string&)>;

// The box a text anchored so covers, in a font whose lines are lineHeight high.
Rect TextBox(const AnchoredText& text, int width, int lineHeight);
// Whether two boxes share a unit.
bool Overlap(const Rect& a, const Rect& b);

// Shown instead of a table or a plot when there is nothing to show.
inline constexpr std::string_view kNoDataAvailable = "No data available";

}  // namespace plumora::gui
