#include "gui/logic/chart/ChartLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/common/CodePage.h"

namespace plumora::gui {

namespace {

// Pixel positions are kept within this distance of the area, so that a value far off the axes
// never overflows an int; lines to such points still leave the area in the right direction.
constexpr double kFarPixels = 1 << 22;

int ToPixel(double position) {
  if (!(position > -kFarPixels)) return static_cast<int>(-kFarPixels);  // NaN included
  if (!(position < kFarPixels)) return static_cast<int>(kFarPixels);
  return static_cast<int>(position);
}

// Where the store keeps the extremes of variables 1 to 12 of the parachute: after the payload's
// twelve and its angle of attack.
constexpr int kParachuteRangeOffset = 13;
constexpr int kConnectionForceVariable = 13;
constexpr int kAngleOfAttackVariable = 14;
constexpr int kAngleOfAttackRange = 13;
constexpr int kConnectionForceRange = 26;

constexpr int kTickCount = 10;  // intervals: eleven ticks on each axis

}  // namespace

std::optional<Colour> PhaseColour(int phaseType) {
  switch (phaseType) {
    case 0:
      return Colour{217, 0, 0};
    case 1:
      return Colour{0, 0, 255};
    case 2:
      return Colour{0, 119, 119};
    case 3:
      return Colour{0, 125, 0};
    default:
      return std::nullopt;
  }
}

Colour CurveColour(int curve) {
  // Blue, dark red, green, purple, brown and teal: told apart from each other and from the ink.
  static constexpr std::array<Colour, kMaxChartCurves> kCurveColours = {
      {{0, 0, 230}, {180, 0, 0}, {0, 110, 0}, {140, 0, 140}, {140, 70, 0}, {0, 100, 120}}};
  return kCurveColours[static_cast<std::size_t>(std::clamp(curve, 0, kMaxChartCurves - 1))];
}

int ChartRangeIndex(int variable, int body) {
  // Time is shared; the connection force and the angle of attack are stored once for both.
  if (variable == 0) return 0;
  if (variable == kConnectionForceVariable) return kConnectionForceRange;
  if (variable == kAngleOfAttackVariable) return kAngleOfAttackRange;
  return body == 1 ? kParachuteRangeOffset + variable : variable;
}

double ChartValue(const CTrajectorySample& sample, int variable, int body) {
  return SampleField(sample,
                     kRangedFields[static_cast<std::size_t>(ChartRangeIndex(variable, body))]);
}

double ChartValue(const ResultsSource& source, int index, int variable, int body) {
  const int derived = DerivedOfChartVariable(variable);
  if (derived >= 0) return source.Derived(index, derived);
  return ChartValue(source.store().SampleAt(index), variable, body);
}

ValueRange ChartRange(const ResultsSource& source, int variable, int body) {
  const int derived = DerivedOfChartVariable(variable);
  if (derived >= 0) return source.DerivedRange(derived);
  return source.store().Ranges()[static_cast<std::size_t>(ChartRangeIndex(variable, body))];
}

bool ChartUsesDerived(const ResultsViewState& state) {
  const auto derived = [](int v) { return DerivedOfChartVariable(v) >= 0; };
  return derived(state.chartX) || derived(state.chartY) ||
         std::any_of(state.chartMoreY.begin(), state.chartMoreY.end(), derived);
}

double RoundedRange(double minimum, double maximum) {
  return (std::floor((maximum - minimum) * 0.1) + 1.0) * 10.0;
}

std::optional<ValueRange> YRangeWithin(const ResultsSource& source, int xVariable, int yVariable,
                                       int body, double low, double high) {
  std::optional<ValueRange> range;
  for (int i = 0; i <= source.LastIndex(); ++i) {
    const double x = ChartValue(source, i, xVariable, body);
    const double y = ChartValue(source, i, yVariable, body);
    if (!(x >= low && x <= high) || !std::isfinite(y)) continue;
    if (!range) {
      range = ValueRange{y, y};
    } else {
      range->minimum = std::min(range->minimum, y);
      range->maximum = std::max(range->maximum, y);
    }
  }
  return range;
}

namespace {

// Where a logarithmic Y axis runs: the positive values of the curves over the samples whose X
// lies within low to high, from the whole decade at or below the smallest to the one at or above
// the largest, in at most ten intervals of one or more decades.
void FitLogAxis(const ResultsSource& source, const std::vector<int>& curves, ChartExtents& e,
                double low, double high) {
  double smallest = std::numeric_limits<double>::infinity();
  double largest = 0.0;
  for (int i = 0; i <= source.LastIndex(); ++i) {
    const double x = ChartValue(source, i, e.xVariable, e.body);
    if (!(x >= low && x <= high)) continue;
    for (int v : curves) {
      const double y = ChartValue(source, i, v, e.body);
      if (y > 0.0 && std::isfinite(y)) {
        smallest = std::min(smallest, y);
        largest = std::max(largest, y);
      } else if (!std::isnan(y)) {
        e.leftOut = true;
      }
    }
  }
  double bottom = 0.0;  // nothing positive: one decade from 1 to 10
  double top = 1.0;
  if (largest > 0.0) {
    bottom = std::floor(std::log10(smallest));
    top = std::max(bottom + 1.0, std::ceil(std::log10(largest)));
  }
  const double step = std::ceil((top - bottom) / kTickCount);
  e.yTicks = static_cast<int>(std::ceil((top - bottom) / step));
  e.ymin = bottom;
  e.ymax = largest > 0.0 ? std::log10(largest) : top;
  e.yrange = step * e.yTicks;
  e.yDecimals = 0;
}

ValueRange Union(ValueRange a, const ValueRange& b) {
  a.minimum = std::min(a.minimum, b.minimum);
  a.maximum = std::max(a.maximum, b.maximum);
  return a;
}

}  // namespace

ChartExtents ChartExtentsFor(const ResultsSource& source, const ResultsViewState& state) {
  const ChartSwitches& switches = state.chartSwitches;
  ChartExtents e;
  e.xVariable = state.chartX;
  e.yVariable = state.chartY;
  e.body = state.chartBody;
  const std::vector<int> curves = ChartCurveVariables(state.chartY, state.chartMoreY);
  e.moreY.assign(curves.begin() + 1, curves.end());
  const ValueRange x = ChartRange(source, e.xVariable, e.body);
  ValueRange y = ChartRange(source, e.yVariable, e.body);
  for (int v : e.moreY) y = Union(y, ChartRange(source, v, e.body));
  ValueRange yShown = y;
  e.zoomed = state.chartZoom.on;
  const bool fitToZoom = e.zoomed && switches.fitYToZoom;
  if (fitToZoom) {
    std::optional<ValueRange> within;
    for (int v : curves) {
      const std::optional<ValueRange> one =
          YRangeWithin(source, e.xVariable, v, e.body, state.chartZoom.low, state.chartZoom.high);
      if (one) within = within ? Union(*within, *one) : *one;
    }
    yShown = within.value_or(y);
  }
  e.ymin = yShown.minimum;
  e.ymax = yShown.maximum;
  e.yrange = RoundedRange(yShown.minimum, yShown.maximum);
  e.logY = switches.logY;
  if (e.logY) {
    constexpr double kAll = std::numeric_limits<double>::infinity();
    FitLogAxis(source, curves, e, fitToZoom ? state.chartZoom.low : -kAll,
               fitToZoom ? state.chartZoom.high : kAll);
  }
  if (e.zoomed) {
    e.xmin = state.chartZoom.low;
    e.xmax = state.chartZoom.high;
    e.xrange = state.chartZoom.high - state.chartZoom.low;
  } else {
    e.xmin = x.minimum;
    e.xmax = x.maximum;
    e.xrange = RoundedRange(x.minimum, x.maximum);
  }
  if (switches.roundTicks) {
    // One axis from round tick to round tick; as it was where its values admit no round ticks.
    const auto round = [](double& min, double& max, double& range, int& ticks, int& decimals) {
      if (const std::optional<RoundTicks> t = RoundTicksFor(min, max)) {
        min = t->low;
        max = t->high;
        range = t->high - t->low;
        ticks = t->intervals;
        decimals = t->decimals;
      }
    };
    round(e.xmin, e.xmax, e.xrange, e.xTicks, e.xDecimals);
    // A logarithmic axis has its decades already.
    if (!e.logY) round(e.ymin, e.ymax, e.yrange, e.yTicks, e.yDecimals);
  }
  e.gridLines = switches.gridLines;
  return e;
}

namespace {
double TickValue(double minimum, double range, int ticks, int i) {
  if (ticks == kTickCount) return minimum + i * range * 0.1;
  return minimum + range * i / ticks;
}
}  // namespace

std::string XTickText(double value, int decimals) {
  return DecimalText(value, decimals);
}

std::string YTickText(double value, int decimals) {
  return DecimalText(value, decimals, 2);
}

double XTickValue(const ChartExtents& e, int i) {
  return TickValue(e.xmin, e.xrange, e.xTicks, i);
}

double YTickValue(const ChartExtents& e, int i) {
  return TickValue(e.ymin, e.yrange, e.yTicks, i);
}

std::string YTickLabel(const ChartExtents& e, int i) {
  if (!e.logY) return YTickText(YTickValue(e, i), e.yDecimals);
  const int decade = static_cast<int>(std::lround(YTickValue(e, i)));
  if (decade >= 0 && decade <= 6) return "1" + std::string(static_cast<std::size_t>(decade), '0');
  if (decade < 0 && decade >= -4) {
    return "0." + std::string(static_cast<std::size_t>(-decade - 1), '0') + "1";
  }
  char text[16];
  std::snprintf(text, sizeof text, "1e%+03d", decade);
  return text;
}

int YLabelWidth(const ChartExtents& extents, const TextWidth& textWidth) {
  int widest = 0;
  for (int i = 0; i <= extents.yTicks; ++i) {
    widest = std::max(widest, textWidth(YTickLabel(extents, i)));
  }
  return widest;
}

int ChartFontPixels(int width, int height) {
  return std::max(1, std::min(width, height) / 25);
}

Point ChartLayout::PointOf(double x, double y) const {
  const double px = lm + std::trunc((x - extents.xmin) * sx);
  // On a logarithmic axis the decade of the value; nowhere for 0 and below.
  const double shown = !extents.logY ? y
                       : y > 0.0     ? std::log10(y)
                                     : std::numeric_limits<double>::quiet_NaN();
  const double py = height - std::trunc((shown - extents.ymin) * sy) - mt;
  return {ToPixel(px), ToPixel(py)};
}

bool ChartLayout::Plottable(double y) const {
  return std::isfinite(y) && (!extents.logY || y > 0.0);
}

double ChartLayout::XAt(int column) const {
  return extents.xmin + (column - lm) / sx;
}

ChartLayout LayoutChart(const ChartExtents& extents, const ChartGeometry& geometry) {
  ChartLayout l;
  l.extents = extents;
  l.width = geometry.width;
  l.height = geometry.height;
  l.unit = geometry.unit;
  l.textHeight = geometry.textHeight;
  l.lm = geometry.textWidth + 10 * geometry.unit;
  l.mt = geometry.height / 10;
  // A pane too small for its margins still gets a plot of one unit, so the scales stay finite.
  l.pw = std::max(1, geometry.width - 2 * l.lm);
  l.ph = std::max(1, geometry.height - 2 * l.mt);
  l.sx = l.pw / extents.xrange;
  l.sy = l.ph / extents.yrange;
  l.x0 = l.lm;
  if (extents.xmin < 0.0) {
    l.x0 = extents.xmax <= 0.0 ? l.lm + l.pw : l.lm - ToPixel(l.sx * extents.xmin);
  }
  l.y0 = l.height - l.mt;
  // Decades below 1 are no values below 0: a logarithmic axis keeps X at the bottom.
  if (extents.ymin < 0.0 && !extents.logY) l.y0 = l.height - l.mt + ToPixel(l.sy * extents.ymin);
  l.yLabelsRight = l.x0 > l.width / 2;
  l.xLabelsAbove = l.y0 <= l.height / 2;
  return l;
}

namespace {

// Every how many ticks a label fits: 1, 2, 5 or all of them (the ends always).
int LabelStride(int tickGap, int labelExtent, int unit, int ticks) {
  for (int stride : {1, 2, 5}) {
    if (stride * tickGap >= labelExtent + 4 * unit) return stride;
  }
  return ticks;
}

}  // namespace

namespace {

using TickLabels = std::vector<std::optional<AnchoredText>>;

Rect BoxOf(const AnchoredText& text, const TextWidth& textWidth, int textHeight) {
  return TextBox(text, textWidth(text.text), textHeight);
}

// An X label the Y axis would strike through moves beside it, away from the Y labels; a label
// past either side of the drawing moves in to its edge.
void MoveOffAxisAndEdges(AnchoredText& label, const ChartLayout& l, const TextWidth& textWidth) {
  const int u = l.unit;
  const bool above = l.xLabelsAbove;
  const Rect box = BoxOf(label, textWidth, l.textHeight);
  const bool besideAxis = box.top < l.mt + l.ph && box.bottom() > l.mt;
  if (besideAxis && box.left <= l.x0 && l.x0 < box.right()) {
    if (l.yLabelsRight) {
      label.at.x = l.x0 - 2 * u;
      label.anchor = above ? Anchor::kRightBottom : Anchor::kRightTop;
    } else {
      label.at.x = l.x0 + 2 * u;
      label.anchor = above ? Anchor::kLeftBottom : Anchor::kLeftTop;
    }
  } else if (box.right() > l.width) {
    label.at.x = l.width - u;
    label.anchor = above ? Anchor::kRightBottom : Anchor::kRightTop;
  } else if (box.left < 0) {
    label.at.x = 0;
    label.anchor = above ? Anchor::kLeftBottom : Anchor::kLeftTop;
  }
}

// Of two labels that a move brought together, the one nearer the middle goes; the ends stay.
void LeaveOutCrowded(TickLabels& labels, const TextWidth& textWidth, int textHeight, int unit) {
  int kept = -1;  // the last label kept, left of the one looked at
  const int last = static_cast<int>(labels.size()) - 1;
  for (int i = 0; i <= last; ++i) {
    if (!labels[i]) continue;
    if (kept >= 0) {
      Rect before = BoxOf(*labels[kept], textWidth, textHeight);
      before.width += 2 * unit;
      if (Overlap(before, BoxOf(*labels[i], textWidth, textHeight))) {
        if (i == last && kept != 0) {
          labels[kept].reset();
        } else {
          labels[i].reset();
          continue;
        }
      }
    }
    kept = i;
  }
}

// Where the X axis crosses the Y axis between its ends, a Y label that would run into an X label
// is left out.
void LeaveOutYLabelsOnXLabels(TickLabels& yLabels, const TickLabels& xLabels, const ChartLayout& l,
                              const TextWidth& textWidth) {
  if (l.y0 >= l.mt + l.ph) return;  // at the bottom, as usual: the corner is left as it is
  for (std::optional<AnchoredText>& y : yLabels) {
    if (!y) continue;
    const Rect box = BoxOf(*y, textWidth, l.textHeight);
    for (const std::optional<AnchoredText>& x : xLabels) {
      if (x && Overlap(box, BoxOf(*x, textWidth, l.textHeight))) {
        y.reset();
        break;
      }
    }
  }
}

}  // namespace

ChartFrame LayoutChartFrame(const ChartLayout& l, const TextWidth& textWidth) {
  ChartFrame f;
  const ChartExtents& e = l.extents;
  const int u = l.unit;
  const int th = l.textHeight;
  const int xSide = l.xLabelsAbove ? -1 : 1;
  const int ySide = l.yLabelsRight ? 1 : -1;
  f.lines.push_back({{l.x0, l.mt}, {l.x0, l.mt + l.ph}});
  f.lines.push_back({{l.lm, l.y0}, {l.lm + l.pw, l.y0}});
  // Half the bottom margin down, but below the X labels when they are there.
  int titleTop = l.height - l.mt / 2;
  if (!l.xLabelsAbove)
    titleTop = std::min(std::max(titleTop, l.y0 + 5 * u + th + u), l.height - th);
  f.texts.push_back(
      {{l.width / 2, titleTop},
       Windows1252ToUtf8(kChartVariables[static_cast<std::size_t>(e.xVariable)].axisLabel),
       Anchor::kCentreTop});
  const auto axisLabel = [](int variable) {
    return Windows1252ToUtf8(kChartVariables[static_cast<std::size_t>(variable)].axisLabel);
  };
  if (e.moreY.empty()) {
    f.texts.push_back({{5 * u, 5 * u}, axisLabel(e.yVariable), Anchor::kLeftTop});
  }
  // Across the top, after the title, or the legend (a stroke of each curve's colour, then its
  // label) in its place, wrapping to a row below where the drawing ends; the log axis's note last.
  int x = e.moreY.empty() ? 5 * u + textWidth(f.texts.back().text) + th : 5 * u;
  int top = 5 * u;
  const auto place = [&](int width) {
    if (x > 5 * u && x + width > l.width - 5 * u) {
      x = 5 * u;
      top += th;
    }
    const int at = x;
    x += width + th;
    return at;
  };
  const int stroke = 2 * th;
  for (std::size_t k = 0; !e.moreY.empty() && k <= e.moreY.size(); ++k) {
    std::string label = axisLabel(k == 0 ? e.yVariable : e.moreY[k - 1]);
    const int at = place(stroke + 4 * u + textWidth(label));
    const Colour colour = CurveColour(static_cast<int>(k));
    f.lines.push_back({{at, top + th / 2}, {at + stroke, top + th / 2}, colour});
    f.texts.push_back({{at + stroke + 4 * u, top}, std::move(label), Anchor::kLeftTop});
  }
  if (e.logY) {
    std::string note = e.leftOut ? "log scale, values \xE2\x89\xA4 0 left out" : "log scale";
    const int at = place(textWidth(note));
    f.texts.push_back({{at, top}, std::move(note), Anchor::kLeftTop});
  }
  std::vector<std::string> xTexts;
  int widest = 0;
  for (int i = 0; i <= e.xTicks; ++i) {
    xTexts.push_back(XTickText(XTickValue(e, i), e.xDecimals));
    widest = std::max(widest, textWidth(xTexts.back()));
  }
  const int xStride = LabelStride(l.pw / e.xTicks, widest, u, e.xTicks);
  const int yStride = LabelStride(l.ph / e.yTicks, th, u, e.yTicks);
  TickLabels xLabels(static_cast<std::size_t>(e.xTicks) + 1);
  TickLabels yLabels(static_cast<std::size_t>(e.yTicks) + 1);
  const auto addXTick = [&](int i) {
    const int xt = l.lm + (i * l.pw) / e.xTicks;
    if (e.gridLines && xt != l.x0) f.grid.push_back({{xt, l.mt}, {xt, l.mt + l.ph}, kChartGrid});
    f.lines.push_back({{xt, l.y0}, {xt, l.y0 + xSide * 3 * u}});
    if (i % xStride == 0 || i == e.xTicks) {
      AnchoredText label{{xt, l.y0 + xSide * 5 * u},
                         xTexts[static_cast<std::size_t>(i)],
                         l.xLabelsAbove ? Anchor::kCentreBottom : Anchor::kCentreTop};
      MoveOffAxisAndEdges(label, l, textWidth);
      xLabels[static_cast<std::size_t>(i)] = std::move(label);
    }
  };
  const auto addYTick = [&](int i) {
    const int yt = l.height - l.mt - (i * l.ph) / e.yTicks;
    if (e.gridLines && yt != l.y0) f.grid.push_back({{l.lm, yt}, {l.lm + l.pw, yt}, kChartGrid});
    f.lines.push_back({{l.x0, yt}, {l.x0 + ySide * 3 * u, yt}});
    if (i % yStride == 0 || i == e.yTicks) {
      // Bottom-aligned half a text height below the tick: the label's middle is on it.
      yLabels[static_cast<std::size_t>(i)] =
          AnchoredText{{l.x0 + ySide * 5 * u, yt + th / 2},
                       YTickLabel(e, i),
                       l.yLabelsRight ? Anchor::kLeftBottom : Anchor::kRightBottom};
    }
  };
  for (int i = 0; i <= std::max(e.xTicks, e.yTicks); ++i) {
    if (i <= e.xTicks) addXTick(i);
    if (i <= e.yTicks) addYTick(i);
  }
  LeaveOutCrowded(xLabels, textWidth, th, u);
  LeaveOutYLabelsOnXLabels(yLabels, xLabels, l, textWidth);
  for (std::size_t i = 0; i < std::max(xLabels.size(), yLabels.size()); ++i) {
    if (i < xLabels.size() && xLabels[i]) f.texts.push_back(*xLabels[i]);
    if (i < yLabels.size() && yLabels[i]) f.texts.push_back(*yLabels[i]);
  }
  return f;
}

namespace {

// One variable's curve into runs of one colour: the fixed one, else each sample's phase colour.
// Columns are written only when sampleAtColumn is given.
void TraceVariable(const ResultsSource& source, const ChartLayout& l, int yVariable,
                   std::optional<Colour> fixed, std::vector<Polyline>& runs,
                   std::vector<int>* sampleAtColumn) {
  const ChartExtents& e = l.extents;
  Colour colour = fixed.value_or(kChartInk);  // until a sample names its phase's colour
  const std::size_t first = runs.size();
  const CTrajectoryStore& store = source.store();
  for (int i = 0; i <= store.LastIndex(); ++i) {
    if (!fixed) {
      if (const std::optional<Colour> own = PhaseColour(store.SampleAt(i).phaseType)) {
        colour = *own;
      }
    }
    const double x = ChartValue(source, i, e.xVariable, e.body);
    if (!(x >= e.xmin && x <= e.xmax)) continue;
    const double y = ChartValue(source, i, yVariable, e.body);
    if (!l.Plottable(y)) continue;
    const Point p = l.PointOf(x, y);
    if (p.x < l.lm || p.x > l.lm + l.pw || p.y < 0) continue;
    if (runs.size() == first) {
      runs.push_back(Polyline{{}, colour});
    } else if (!(runs.back().colour == colour)) {
      const Point last = runs.back().points.back();
      runs.push_back(Polyline{{last}, colour});
    }
    runs.back().points.push_back(p);
    if (sampleAtColumn && p.x < l.width) (*sampleAtColumn)[static_cast<std::size_t>(p.x)] = i;
  }
}

}  // namespace

ChartCurve TraceChartCurve(const ResultsSource& source, const ChartLayout& l) {
  ChartCurve curve;
  curve.sampleAtColumn.assign(static_cast<std::size_t>(std::max(0, l.width)), -1);
  const ChartExtents& e = l.extents;
  if (e.moreY.empty()) {
    TraceVariable(source, l, e.yVariable, std::nullopt, curve.runs, &curve.sampleAtColumn);
    return curve;
  }
  TraceVariable(source, l, e.yVariable, CurveColour(0), curve.runs, &curve.sampleAtColumn);
  for (std::size_t k = 0; k < e.moreY.size(); ++k) {
    TraceVariable(source, l, e.moreY[k], CurveColour(static_cast<int>(k) + 1), curve.runs, nullptr);
  }
  return curve;
}

ChartReadout MapPixelToValues(const ResultsSource& source, const ChartLayout& l,
                              const std::vector<int>& sampleAtColumn, int column) {
  if (source.LastIndex() < 0) return {};
  const ChartExtents& e = l.extents;
  ChartReadout r;
  r.x = l.XAt(column);
  if (!(r.x > e.xmin && r.x < e.xmax)) return {};
  const int width = static_cast<int>(sampleAtColumn.size());
  if (column < 0 || column >= width) return {};
  const auto sampleAt = [&](int c) { return sampleAtColumn[static_cast<std::size_t>(c)]; };
  const auto yOf = [&](int index) {
    return index <= source.LastIndex() ? ChartValue(source, index, e.yVariable, e.body) : 0.0;
  };
  if (sampleAt(column) != -1) {
    r.y = yOf(sampleAt(column));
    return r;
  }
  // Between drawn columns: the straight line between their samples, as the curve joins them.
  int a = column;
  while (a > 0 && sampleAt(a) == -1) --a;
  int b = column;
  while (b < width - 1 && sampleAt(b) == -1) ++b;
  if (a > 0 && b > 0 && b < width - 1) {
    const double ya = yOf(sampleAt(a));
    const double yb = yOf(sampleAt(b));
    r.y = ya + (yb - ya) / (b - a) * (column - a);
  }
  return r;
}

namespace {
ChartCursorLines CursorAt(const ChartLayout& l, Point p) {
  return {{p.x, l.y0}, p, {l.x0, p.y}};
}
}  // namespace

std::optional<ChartCursorLines> ChartCursor(const ResultsSource& source, const ChartLayout& l,
                                            int index) {
  // The animation's index belongs to whichever document window is active: another window's
  // store may be shorter.
  if (index < 0 || index > source.LastIndex()) return std::nullopt;
  const ChartExtents& e = l.extents;
  const double x = ChartValue(source, index, e.xVariable, e.body);
  if (e.zoomed && !(x >= e.xmin && x <= e.xmax)) return std::nullopt;
  const double y = ChartValue(source, index, e.yVariable, e.body);
  if (!l.Plottable(y)) return std::nullopt;
  return CursorAt(l, l.PointOf(x, y));
}

ChartCursorLines ChartCrossHair(const ChartLayout& l, int column, double yValue) {
  return CursorAt(l, {column, l.PointOf(l.extents.xmin, yValue).y});
}

ChartBand SelectionBand(const ChartLayout& l, int startColumn, int endColumn) {
  return {{std::min(startColumn, endColumn), l.mt},
          {std::max(startColumn, endColumn), l.height - l.mt}};
}

std::optional<ChartZoom> ZoomFromBand(const ChartLayout& l, int startColumn, int endColumn) {
  const int left = std::min(startColumn, endColumn);
  const int right = std::max(startColumn, endColumn);
  if (left == right) return std::nullopt;
  const ChartExtents& e = l.extents;
  const auto onAxis = [&](int column) { return std::clamp(l.XAt(column), e.xmin, e.xmax); };
  ChartZoom zoom{true, onAxis(left), onAxis(right)};
  if (!(zoom.high > zoom.low)) return std::nullopt;
  return zoom;
}

}  // namespace plumora::gui
