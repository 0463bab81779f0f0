// The results chart without a device: what is plotted over which ranges, where the axes, ticks
// and texts go, the curve as polylines in the pens of the samples' phases, which sample each
// pixel column shows, and the read-out, cursor and zoom that the mouse and the animation take
// from the last drawing. The pane, the printer and the benchmark only draw what this gives them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/flight/TrajectoryStore.h"
#include "gui/logic/draw/Drawing.h"
#include "gui/logic/results/DerivedSeries.h"
#include "gui/logic/draw/RoundTicks.h"
#include "gui/logic/results/ResultsViewState.h"

namespace plumora::gui {

inline constexpr Colour kChartBackground{180, 200, 180};  // the screen only
inline constexpr Colour kChartInk = kBlack;               // axes, ticks, texts
inline constexpr Colour kChartCursor{0, 119, 119};        // solid paused, dotted while playing
inline constexpr Colour kChartCrossHair{217, 0, 0};
inline constexpr Colour kChartBand{200, 200, 200};  // hatched frame of the selection band
// Grid lines: a shade lighter than the background, so that they guide the eye and leave the
// curve, the axes and the texts in front (on paper, a pale grey-green).
inline constexpr Colour kChartGrid{212, 226, 212};

// The curve's colour for a sample's phase type; none for a type without one of its own (the
// curve then keeps the colour it had). Red, blue, cyan and green, each as dark as it must be to
// stand out against the background; so are the cursor and the cross-hair.
std::optional<Colour> PhaseColour(int phaseType);

// The colour of each curve of a chart that draws several (curve 0 is the Y variable's): one
// colour a curve, none of them a phase's nor the ink, each dark enough for the background.
Colour CurveColour(int curve);

// Chart variables 0 to 14 of a body (0 payload, 1 parachute): the index of their extremes in
// the store's ranges, and their value in a sample.
int ChartRangeIndex(int variable, int body);
double ChartValue(const CTrajectorySample& sample, int variable, int body);
// Any chart variable, the derived ones (the payload's, whichever the body) included: its value
// in sample index (NaN where it is not known) and its extremes over the run.
double ChartValue(const ResultsSource& source, int index, int variable, int body);
ValueRange ChartRange(const ResultsSource& source, int variable, int body);

// The extent rounded up to the next multiple of ten strictly above it: 0 gives 10, 25 gives 30
// and 30 gives 40.
double RoundedRange(double minimum, double maximum);

// What is plotted against what, and over which ranges: the store's extremes, with the X axis
// restricted to the zoom when there is one. Axes run from min to min + range, split into
// xTicks and yTicks intervals (ten each, unless the switches ask for round ticks: then the axes
// run from tick to tick and the labels carry the decimals the step needs). Further curves share
// the Y axis, which then spans the extremes of them all. On a logarithmic Y axis ymin, ymax and
// yrange are in decades (the base-ten logarithm of the values), the axis runs from whole decade
// to whole decade, and values of 0 and below are left out (leftOut tells whether there were).
struct ChartExtents {
  int xVariable = 0;
  int yVariable = 1;
  std::vector<int> moreY;
  int body = 0;
  bool logY = false;
  bool leftOut = false;
  bool zoomed = false;
  double xmin = 0.0, xmax = 0.0, xrange = 10.0;  // X variable's units
  double ymin = 0.0, ymax = 0.0, yrange = 10.0;  // Y variable's units
  int xTicks = 10, yTicks = 10;
  int xDecimals = 0, yDecimals = 0;
  bool gridLines = false;
};
ChartExtents ChartExtentsFor(const ResultsSource& source, const ResultsViewState& state);

// The smallest and largest Y value of the samples whose X value lies within low to high (both
// included); none when no sample there has a finite Y.
std::optional<ValueRange> YRangeWithin(const ResultsSource& source, int xVariable, int yVariable,
                                       int body, double low, double high);

// Whether the chart of these settings reads a derived quantity on an axis or in a curve.
bool ChartUsesDerived(const ResultsViewState& state);

// The value at tick i of each axis.
double XTickValue(const ChartExtents& extents, int i);
double YTickValue(const ChartExtents& extents, int i);

// Tick texts: "%.0f" on the X axis, "%2.0f" on the Y axis, or with the decimals given.
std::string XTickText(double value, int decimals = 0);
std::string YTickText(double value, int decimals = 0);
// The label of Y tick i, a power of ten on a logarithmic axis ("0.01", "1000", "1e+06").
std::string YTickLabel(const ChartExtents& extents, int i);

// The room the Y axis's labels need: the widest of them. The top one, a little past the
// largest value, may have a digit more than that value ("10000" over 9995).
int YLabelWidth(const ChartExtents& extents, const TextWidth& textWidth);

// The drawing area in its own units, the width of the Y axis's labels (YLabelWidth) and the
// height of a line of text, in the font of the drawing. unit scales the fixed gaps (margin,
// tick length, label offsets): 1 for screen pixels, 10 on paper drawn in tenths of a millimetre.
struct ChartGeometry {
  int width = 0;
  int height = 0;
  int textWidth = 0;
  int textHeight = 0;
  int unit = 1;
};

// The font height of the chart on the screen: a 25th of the smaller side.
int ChartFontPixels(int width, int height);
// On paper, in tenths of a millimetre: 4 mm.
inline constexpr int kChartPrintFontHeight = 40;
inline constexpr int kChartPrintUnit = 10;

// Where everything goes. lm and mt are the left and top margins, pw and ph the plot's width and
// height, x0 the Y axis's column and y0 the X axis's row, sx and sy the scales (units per value).
struct ChartLayout {
  ChartExtents extents;
  int width = 0;
  int height = 0;
  int unit = 1;
  int textHeight = 0;  // of the tick labels
  int lm = 0, mt = 0, pw = 0, ph = 0;
  int x0 = 0, y0 = 0;
  double sx = 1.0, sy = 1.0;
  bool yLabelsRight = false;  // Y tick labels right of the Y axis (else left)
  bool xLabelsAbove = false;  // X tick labels above the X axis (else below)

  // The point a pair of values is drawn at, as the curve draws it (clamped far outside the
  // area for values beyond it, so nothing overflows).
  Point PointOf(double x, double y) const;
  // Whether a Y value has a place on the axis: finite, and above 0 on a logarithmic one.
  bool Plottable(double y) const;
  // The X value of a column, read off the axis the curve is drawn on.
  double XAt(int column) const;
};
ChartLayout LayoutChart(const ChartExtents& extents, const ChartGeometry& geometry);

// The axes, their ticks each with their labels, and the two axis titles: all in ink. A chart of
// several curves names them in a legend across the top instead of the Y axis's title: a stroke
// of each curve's colour and its label, wrapping to another row where the drawing ends. A
// logarithmic axis says so after the title or legend, and that values of 0 and below were left
// out when there were.
// Where the labels of an axis are wider (or taller) than the gap between ticks, only every
// second, fifth or tenth one is kept, always with both ends, so none covers another. With grid
// lines on, grid holds a line across the plot at every tick that is not on an axis; they are
// drawn first, under everything else.
struct ChartFrame {
  std::vector<Segment> grid;
  std::vector<Segment> lines;
  std::vector<AnchoredText> texts;
};
ChartFrame LayoutChartFrame(const ChartLayout& layout, const TextWidth& textWidth);

// The curve as runs of one colour each, and for each column of the drawing the index of the
// last sample drawn in it (-1 where none was). Each run after the first starts at the last
// point of the one before, so the curve is unbroken.
struct ChartCurve {
  std::vector<Polyline> runs;
  std::vector<int> sampleAtColumn;
};
// With several curves the first is the Y variable's, then the others in order, each in its
// CurveColour; the columns name the samples of the first.
ChartCurve TraceChartCurve(const ResultsSource& source, const ChartLayout& layout);

// The values under a column of the last drawing, as the status bar reads them out: both 0 for
// an empty store or a column beyond the X axis's values; the Y value is the sample's in the
// column, else interpolated between the drawn neighbours, else 0.
struct ChartReadout {
  double x = 0.0;
  double y = 0.0;
};
ChartReadout MapPixelToValues(const ResultsSource& source, const ChartLayout& layout,
                              const std::vector<int>& sampleAtColumn, int column);

// A cursor or cross-hair: up from the X axis at the column to the curve's height, and across to
// the Y axis.
struct ChartCursorLines {
  Point foot;
  Point corner;
  Point end;
};
// The animation cursor of a sample: none for an index outside the store, or on a zoomed chart
// for a sample outside the zoom.
std::optional<ChartCursorLines> ChartCursor(const ResultsSource& source, const ChartLayout& layout,
                                            int index);
// The mouse's cross-hair at a column, at the height the curve draws the Y value.
ChartCursorLines ChartCrossHair(const ChartLayout& layout, int column, double yValue);

// The selection band's corners: from (left, mt) to (right, height - mt).
struct ChartBand {
  Point topLeft;
  Point bottomRight;
};
ChartBand SelectionBand(const ChartLayout& layout, int startColumn, int endColumn);

// The zoom a band between two columns asks for: their X values on the axis, kept within the
// values plotted; none when that leaves nothing between them.
std::optional<ChartZoom> ZoomFromBand(const ChartLayout& layout, int startColumn, int endColumn);

}  // namespace plumora::gui
