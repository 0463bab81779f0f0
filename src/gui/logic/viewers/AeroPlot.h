// The aerodynamic data viewer's plot without a device: the six coefficients of an aerodynamic
// database against the angle of attack at a fixed Mach number, or against the Mach number at a
// fixed angle, through the engine's own lookups (bilinear, or splines along the angle); their
// ranges, axes, ticks and labels, and the read-out under the pointer.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/environment/Aerodynamics.h"
#include "gui/logic/viewers/PlotAxes.h"

namespace plumora::gui {

// In the order of the lookups' results.
inline constexpr std::array<std::string_view, kCoefficientCount> kCoefficientNames = {
    "Cx", "Cy", "Cz", "Cl", "Cm", "Cn"};
// Red, green, blue, yellow, cyan and magenta, each as dark as it must be to stand out against
// the plot's grey.
inline constexpr std::array<Colour, kCoefficientCount> kCoefficientColours = {{
    {255, 0, 0},
    {0, 153, 0},
    {0, 0, 255},
    {136, 136, 0},
    {0, 147, 147},
    {232, 0, 232},
}};
inline constexpr Colour kAeroPlotBackground{230, 230, 230};
inline constexpr int kAeroFontPixels = 10;

// What the dialog's controls say.
struct AeroViewSettings {
  double alphaDeg = 0.0;  // deg, the angle of attack used with the Mach number on the X axis
  double mach = 0.0;      // the Mach number used with the angle of attack on the X axis
  std::array<bool, kCoefficientCount> shown = {true, false, false, false, false, false};
  bool splines = false;  // splines along the angle instead of straight lines
  bool machOnX = false;  // false: the angle of attack on the X axis
};

// The six coefficients at x on the X axis: a Mach number, or an angle of attack in rad.
AeroCoefficientSet CoefficientsAtX(const AeroDatabase& db, const AeroViewSettings& settings,
                                   double x);

// The curves are sampled at 101 points from one end of the X range to the other.
inline constexpr int kAeroSampleIntervals = 100;
double SampleX(const ValueRange& x, int k);

// The X range (over the Mach or the angle table), each coefficient's extremes over the sampled
// curve, and the Y range over the coefficients shown. Every range includes 0, so both axes are
// always in the picture.
struct AeroRanges {
  ValueRange x;  // Mach number, or rad
  ValueRange y;
  std::array<ValueRange, kCoefficientCount> coefficient;
};
AeroRanges ComputeAeroRanges(const AeroDatabase& db, const AeroViewSettings& settings);

// Where everything goes in a frame of width × height pixels. The plot keeps a 25-pixel margin
// on three sides and, on the left, room for the widest Y label. x0 is the Y axis's column and
// y0 the X axis's row; sx and sy are pixels per unit.
struct AeroPlot {
  int width = 0;
  int height = 0;
  bool empty = true;  // no database: kNoDataAvailable instead of axes and curves
  AeroRanges ranges;  // as the axes show them (a flat range widened)
  int left = 25;      // the plot's left edge
  double sx = 0.0;
  double sy = 0.0;
  int x0 = 0;
  int y0 = 0;
  std::vector<Segment> axes;
  std::vector<Segment> ticks;
  // The Y axis's labels left of it, and the X axis's along the bottom of the plot less those
  // that would run into another.
  std::vector<AnchoredText> labels;
  std::array<Polyline, kCoefficientCount> curves;  // in their colours; no points for a hidden one

  Point PointOf(double x, double coefficient) const;
  double XAt(int column) const;  // the X value a column stands for
  bool Holds(Point p) const;
};
AeroPlot LayoutAeroPlot(const AeroDatabase& db, const AeroViewSettings& settings, int width,
                        int height, const TextWidth& textWidth);

// The read-out under the pointer: the X value of its column (the angle in degrees), and the
// coefficients shown there as the engine's lookup gives them; a vertical line marks the column.
// Nothing outside the plot.
struct AeroReadout {
  double x = 0.0;  // Mach number, or rad
  AeroCoefficientSet coefficients{};
  std::string text;
  Segment cursor;  // in kReadoutColour
};
std::optional<AeroReadout> ReadAeroAt(const AeroPlot& plot, const AeroDatabase& db,
                                      const AeroViewSettings& settings, Point pointer);

}  // namespace plumora::gui
