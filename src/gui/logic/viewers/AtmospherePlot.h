// The atmospheric data viewer's plot without a device: one quantity of an atmosphere table
// against height, with its ranges, ticks and labels, the 273 K line, the curve through the
// tabulated points, and the read-out under the pointer, which gives what the engine's own
// atmosphere query gives at the pointer's height.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/environment/Atmosphere.h"
#include "gui/logic/viewers/PlotAxes.h"

namespace plumora::gui {

// The planet list, in planet index order.
inline constexpr std::array<std::string_view, 3> kViewerPlanetNames = {"Earth", "Mars", "Titan"};

// The quantity list, in its order. S-N wind comes before W-E wind there.
enum class AtmosphereQuantity : int { kDensity = 0, kTemperature, kWindSN, kWindWE };
inline constexpr int kAtmosphereQuantityCount = 4;
inline constexpr std::array<std::string_view, kAtmosphereQuantityCount> kAtmosphereQuantityNames = {
    "Density (kg/m³)", "Temperature (K)", "S-N wind (m/s)", "W-E wind (m/s)"};
// The quantity of a list selection; anything outside the list is the density.
AtmosphereQuantity QuantityOfSelection(int selection);

// A quantity at a table row (the density as tabulated, not its logarithm), and in a sample of
// the engine's query.
double TabulatedValue(const AtmosphereTable& table, int row, AtmosphereQuantity quantity);
double QueriedValue(const AtmosphereSample& sample, AtmosphereQuantity quantity);

// Extremes of the heights (m) and of each quantity over the table's rows; all 0 for an empty
// table.
struct AtmRanges {
  ValueRange height;
  std::array<ValueRange, kAtmosphereQuantityCount> quantity;
};
AtmRanges ComputeAtmRanges(const AtmosphereTable& table);

inline constexpr double kFreezingPoint = 273.0;  // K, marked on temperature plots
// The atmosphere picture runs from deep space at the top to pale blue at the bottom; the lines
// over it stand out against both ends.
inline constexpr Colour kSkyTop{6, 10, 38};
inline constexpr Colour kSkyBottom{196, 222, 246};
inline constexpr Colour kFreezingLineColour{59, 59, 255};
inline constexpr Colour kAtmosphereCurveColour{249, 0, 0};
inline constexpr int kAtmosphereFontPixels = 12;

struct AtmospherePlot {
  Rect rect;  // the plot's, in the pixels of the surface it is drawn on
  AtmosphereQuantity quantity = AtmosphereQuantity::kDensity;
  bool empty = true;                    // no table: kNoDataAvailable instead of axes and curve
  ValueRange heights;                   // m, as the axis shows them
  ValueRange values;                    // the quantity's unit, as the axis shows them
  double horizontalScale = 0.0;         // pixels per unit of the quantity
  double verticalScale = 0.0;           // pixels per m
  std::vector<Segment> ticks;           // eleven below the plot, eleven left of it
  std::vector<AnchoredText> labels;     // quantity below (none running into another), height in km
  Polyline curve;                       // through the tabulated points, in table order
  std::optional<Segment> freezingLine;  // the 273 K line, top to bottom of the plot

  int ColumnOf(double value) const;
  int RowOf(double height) const;
  double HeightAtRow(int row) const;  // m
};
AtmospherePlot LayoutAtmospherePlot(const AtmosphereTable& table, const AtmRanges& ranges,
                                    AtmosphereQuantity quantity, const Rect& rect,
                                    const TextWidth& textWidth);

// Tick labels: whole numbers ("%2.0f") where ticks lie a unit or more apart, else as many
// decimals as tell neighbouring ticks apart (ticks a hundredth apart read "0.01", "0.02").
std::string TickText(double value, double step);

// What the two read-out fields show, and the cross-hair: up from the bottom of the plot at the
// value's column to the pointer's row, and across to the left edge. Outside the plot (or with
// nothing plotted) height and value are 0 and there is no cross-hair.
struct AtmosphereReadout {
  double height = 0.0;  // m
  double value = 0.0;   // the quantity's unit
  std::string heightText = "0";
  std::string valueText = "0.00000";
  std::optional<Polyline> crossHair;  // foot, corner, end in kReadoutColour
};
AtmosphereReadout LookupAtRow(const AtmospherePlot& plot, const AtmosphereTable& table,
                              Point pointer);

// The value field's text: "%.5f", or five digits after the point in exponent form for a value
// so small that five decimals would read 0.00000 or nearly so.
std::string ReadoutValueText(double value);

}  // namespace plumora::gui
