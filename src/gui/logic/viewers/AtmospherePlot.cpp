#include "gui/logic/viewers/AtmospherePlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plumora::gui {

namespace {

constexpr double kMetresPerKilometre = 1000.0;
constexpr int kTickLength = 3;       // pixels
constexpr int kLabelGap = 5;         // pixels between a tick's end and its label
constexpr int kLabelDrop = 7;        // a height label's bottom below its tick, for a 12-pixel font
constexpr int kMaxTickDecimals = 6;  // finer steps are labelled in exponent form
// Below this magnitude five decimals tell too little of a value.
constexpr double kSmallReadout = 0.01;

void Widen(ValueRange& range, double value) {
  range.minimum = std::min(range.minimum, value);
  range.maximum = std::max(range.maximum, value);
}

// Ticks and labels of both axes.
void LayoutAxes(AtmospherePlot& p) {
  const Rect& r = p.rect;
  const double valueStep = p.values.span() * 0.1;
  const double heightStep = p.heights.span() * 0.1 / kMetresPerKilometre;
  for (int i = 0; i <= kTickIntervals; ++i) {
    const int x = r.left + TickOffset(r.width, i);
    p.labels.push_back({{x, r.bottom() + kLabelGap},
                        TickText(TickValue(p.values, i), valueStep),
                        Anchor::kCentreTop});
    p.ticks.push_back({{x, r.bottom()}, {x, r.bottom() + kTickLength}});

    const int y = r.top + TickOffset(r.height, i);
    p.labels.push_back({{r.left - kLabelGap, r.bottom() - TickOffset(r.height, i) + kLabelDrop},
                        TickText(TickValue(p.heights, i) / kMetresPerKilometre, heightStep),
                        Anchor::kRightBottom});
    p.ticks.push_back({{r.left, y}, {r.left - kTickLength, y}});
  }
}

}  // namespace

AtmosphereQuantity QuantityOfSelection(int selection) {
  if (selection < 0 || selection >= kAtmosphereQuantityCount) return AtmosphereQuantity::kDensity;
  return static_cast<AtmosphereQuantity>(selection);
}

double TabulatedValue(const AtmosphereTable& table, int row, AtmosphereQuantity quantity) {
  switch (quantity) {
    case AtmosphereQuantity::kTemperature:
      return table.temperature[row];
    case AtmosphereQuantity::kWindSN:
      return table.windSN[row];
    case AtmosphereQuantity::kWindWE:
      return table.windWE[row];
    case AtmosphereQuantity::kDensity:
      break;
  }
  return std::exp(table.lnDensity[row]);
}

double QueriedValue(const AtmosphereSample& sample, AtmosphereQuantity quantity) {
  switch (quantity) {
    case AtmosphereQuantity::kTemperature:
      return sample.temperature;
    case AtmosphereQuantity::kWindSN:
      return sample.windSN;
    case AtmosphereQuantity::kWindWE:
      return sample.windWE;
    case AtmosphereQuantity::kDensity:
      break;
  }
  return sample.density;
}

AtmRanges ComputeAtmRanges(const AtmosphereTable& table) {
  AtmRanges ranges;
  const int n = std::clamp(table.pointCount, 0, kMaxAtmospherePoints);
  if (n == 0) return ranges;
  ranges.height = {table.height[0], table.height[0]};
  for (int q = 0; q < kAtmosphereQuantityCount; ++q) {
    const double first = TabulatedValue(table, 0, static_cast<AtmosphereQuantity>(q));
    ranges.quantity[q] = {first, first};
  }
  for (int i = 1; i < n; ++i) {
    Widen(ranges.height, table.height[i]);
    for (int q = 0; q < kAtmosphereQuantityCount; ++q) {
      Widen(ranges.quantity[q], TabulatedValue(table, i, static_cast<AtmosphereQuantity>(q)));
    }
  }
  return ranges;
}

int AtmospherePlot::ColumnOf(double value) const {
  return rect.left + ToPixel((value - values.minimum) * horizontalScale);
}

int AtmospherePlot::RowOf(double height) const {
  return rect.bottom() - ToPixel((height - heights.minimum) * verticalScale);
}

double AtmospherePlot::HeightAtRow(int row) const {
  return (rect.bottom() - row) / verticalScale + heights.minimum;
}

AtmospherePlot LayoutAtmospherePlot(const AtmosphereTable& table, const AtmRanges& ranges,
                                    AtmosphereQuantity quantity, const Rect& rect,
                                    const TextWidth& textWidth) {
  AtmospherePlot p;
  p.rect = rect;
  p.quantity = quantity;
  const int n = std::clamp(table.pointCount, 0, kMaxAtmospherePoints);
  if (n == 0) return p;
  p.empty = false;
  const ValueRange& shown = ranges.quantity[static_cast<int>(quantity)];
  p.heights = Drawable(ranges.height);
  p.values = Drawable(shown);
  p.horizontalScale = rect.width / p.values.span();
  p.verticalScale = rect.height / p.heights.span();
  LayoutAxes(p);
  KeepLabelsApart(p.labels, textWidth);

  // Where water freezes, when the temperatures cross it.
  if (quantity == AtmosphereQuantity::kTemperature && shown.minimum < kFreezingPoint &&
      shown.maximum > kFreezingPoint) {
    const int column = p.ColumnOf(kFreezingPoint);
    p.freezingLine = Segment{{column, rect.top}, {column, rect.bottom()}, kFreezingLineColour};
  }
  p.curve.colour = kAtmosphereCurveColour;
  p.curve.points.reserve(n);
  for (int i = 0; i < n; ++i) {
    p.curve.points.push_back(
        {p.ColumnOf(TabulatedValue(table, i, quantity)), p.RowOf(table.height[i])});
  }
  return p;
}

std::string TickText(double value, double step) {
  int decimals = 0;
  if (step > 0.0 && step < 1.0) {
    decimals = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  }
  if (decimals > kMaxTickDecimals) return FormatValue("%.3g", value);
  // A tick that rounds to zero reads 0, never -0.
  if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0.0;
  char format[16];
  std::snprintf(format, sizeof format, "%%2.%df", decimals);
  return FormatValue(format, value);
}

std::string ReadoutValueText(double value) {
  if (value != 0.0 && std::fabs(value) < kSmallReadout) return FormatValue("%.5e", value);
  return FormatValue("%.5f", value);
}

AtmosphereReadout LookupAtRow(const AtmospherePlot& plot, const AtmosphereTable& table,
                              Point pointer) {
  AtmosphereReadout r;
  if (plot.empty || !StrictlyInside(plot.rect, pointer)) return r;
  r.height = plot.HeightAtRow(pointer.y);
  r.value = QueriedValue(QueryAtmosphere(table, r.height), plot.quantity);
  r.heightText = FormatValue("%.0f", r.height);
  r.valueText = ReadoutValueText(r.value);
  const int column = plot.ColumnOf(r.value);
  if (column >= plot.rect.left && column < plot.rect.left + plot.rect.width) {
    r.crossHair =
        Polyline{{{column, plot.rect.bottom()}, {column, pointer.y}, {plot.rect.left, pointer.y}},
                 kReadoutColour};
  }
  return r;
}

}  // namespace plumora::gui
