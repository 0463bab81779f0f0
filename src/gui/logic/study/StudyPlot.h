// What the study's plots are drawn with: a plot area with two value axes, ticks at round values,
// and a few plain shapes (dots, polylines, texts) in the drawing's units. The landing scatter
// and the histograms fill these; the pane, the printer and the benchmark only draw them.
#pragma once

#include <string>
#include <vector>

#include "gui/logic/draw/Drawing.h"

namespace plumora::gui {

inline constexpr Colour kStudyInk{0, 0, 0};  // axes, ticks, texts

struct StudyPoint {
  double x = 0.0;
  double y = 0.0;
};

struct StudyPolyline {
  Colour colour;
  std::vector<StudyPoint> points;
};

// Which point of its box a text is anchored at.
enum class StudyAnchor { kCentreTop, kCentreBottom, kRightMiddle, kLeftTop };

struct StudyText {
  StudyPoint at;
  std::string text;  // UTF-8
  StudyAnchor anchor = StudyAnchor::kLeftTop;
};

// Round values to put ticks at: steps of 1, 2 or 5 times a power of ten, every tick within
// [low, high], at most maxCount of them (at least 2). A span of nothing gives its one value.
struct StudyTicks {
  double step = 0.0;
  std::vector<double> values;
};
StudyTicks RoundTicks(double low, double high, int maxCount);

// A tick value with as many decimals as its step needs ("0.25", "-10", "28.5000000001").
std::string StudyTickText(double value, double step);

// The drawing's size and its font, as the chart has them: unit scales the fixed gaps (1 for
// screen pixels, 10 on paper in tenths of a millimetre).
struct StudyGeometry {
  int width = 0;
  int height = 0;
  int textHeight = 0;
  int unit = 1;
};

// The plot area and the values it shows: x from xLow (left) to xHigh, y from yLow (bottom) to
// yHigh, in the drawing's units with y growing downwards.
struct StudyArea {
  double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
  double xLow = 0.0, xHigh = 1.0, yLow = 0.0, yHigh = 1.0;

  StudyPoint PointOf(double x, double y) const;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
};

// The area left for the plot inside the geometry, once the margins, the Y labels (at most
// yLabelWidth wide) and the axis titles have their room.
StudyArea StudyAreaFor(const StudyGeometry& geometry, int yLabelWidth);

// The frame of a plot: its box, the ticks with their labels and the two axis titles, in ink.
struct StudyFrame {
  std::vector<StudyPolyline> lines;
  std::vector<StudyText> texts;
  StudyTicks xTicks;
  StudyTicks yTicks;
};
StudyFrame LayoutStudyFrame(const StudyArea& area, const StudyGeometry& geometry,
                            const std::string& xTitle, const std::string& yTitle);

// How many ticks fit along an axis of this length with labels of that extent.
int TickRoom(double length, int labelExtent, int unit);

// The widest Y label the ticks of [low, high] would have.
int WidestTickText(double low, double high, int maxCount, const TextWidth& textWidth);

}  // namespace plumora::gui
