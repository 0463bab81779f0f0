// What the study's plots share: a plot area with two value axes and ticks at round values, laid
// out in the drawing vocabulary (gui/logic/draw). The landing scatter and the histograms fill
// these; the pane, the printer and the benchmark only draw them.
#pragma once

#include <string>
#include <vector>

#include "gui/logic/draw/Drawing.h"
#include "gui/logic/draw/RoundTicks.h"

namespace plumora::gui {

inline constexpr Colour kStudyInk{0, 0, 0};  // axes, ticks, texts

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

  // The point of the drawing showing (x, y), to the nearest unit.
  Point PointOf(double x, double y) const;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
};

// The area left for the plot inside the geometry, once the margins, the Y labels (at most
// yLabelWidth wide) and the axis titles have their room.
StudyArea StudyAreaFor(const StudyGeometry& geometry, int yLabelWidth);

// The frame of a plot: its box, the ticks with their labels and the two axis titles, in ink.
struct StudyFrame {
  std::vector<Polyline> lines;
  std::vector<AnchoredText> texts;
  TicksWithin xTicks;
  TicksWithin yTicks;
};
StudyFrame LayoutStudyFrame(const StudyArea& area, const StudyGeometry& geometry,
                            const std::string& xTitle, const std::string& yTitle);

// How many ticks fit along an axis of this length with labels of that extent.
int TickRoom(double length, int labelExtent, int unit);

// The widest Y label the ticks of [low, high] would have.
int WidestTickText(double low, double high, int maxCount, const TextWidth& textWidth);

}  // namespace plumora::gui
