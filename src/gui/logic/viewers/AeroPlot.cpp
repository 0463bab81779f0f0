#include "gui/logic/viewers/AeroPlot.h"

#include <algorithm>
#include <cmath>

#include "core/common/Constants.h"

namespace plumora::gui {

namespace {

constexpr int kMargin = 25;     // pixels around the plot
constexpr int kTickLength = 3;  // pixels
constexpr int kLabelGap = 5;    // pixels between an axis and its labels
constexpr int kLabelDrop = 5;   // a Y label's bottom below its tick, for a 10-pixel font

void Widen(ValueRange& range, double value) {
  if (!std::isfinite(value)) return;
  range.minimum = std::min(range.minimum, value);
  range.maximum = std::max(range.maximum, value);
}

bool IsEmpty(const AeroDatabase& db) {
  return db.machCount < 1 || db.angleCount < 1;
}

// X labels read degrees when the angle of attack is on the axis.
double XLabelFactor(const AeroViewSettings& settings) {
  return settings.machOnX ? 1.0 : kRadToDeg;
}

std::vector<std::string> YLabelTexts(const ValueRange& y) {
  std::vector<std::string> texts;
  for (int i = 0; i <= kTickIntervals; ++i) texts.push_back(FormatValue("%2.2f", TickValue(y, i)));
  return texts;
}

void LayoutAxes(AeroPlot& p, const AeroViewSettings& settings,
                const std::vector<std::string>& yTexts) {
  const int plotWidth = p.width - p.left - kMargin;
  const int plotHeight = p.height - 2 * kMargin;
  p.axes.push_back({{p.x0, p.height - kMargin}, {p.x0, kMargin}});
  p.axes.push_back({{p.left, p.y0}, {p.width - kMargin, p.y0}});
  const double factor = XLabelFactor(settings);
  // The X labels go along the bottom of the plot, under the curves and clear of the Y axis,
  // with ticks of their own there when the X axis is higher up.
  const int bottom = p.height - kMargin;
  for (int i = 0; i <= kTickIntervals; ++i) {
    const int x = p.left + TickOffset(plotWidth, i);
    p.labels.push_back({{x, bottom + kLabelGap},
                        FormatValue("%2.1f", TickValue(p.ranges.x, i) * factor),
                        Anchor::kCentreTop});
    p.ticks.push_back({{x, p.y0}, {x, p.y0 + kTickLength}});
    if (p.y0 != bottom) p.ticks.push_back({{x, bottom}, {x, bottom + kTickLength}});

    const int y = kMargin + TickOffset(plotHeight, i);
    p.labels.push_back(
        {{p.x0 - kLabelGap, p.height - kMargin - TickOffset(plotHeight, i) + kLabelDrop},
         yTexts[i],
         Anchor::kRightBottom});
    p.ticks.push_back({{p.x0, y}, {p.x0 - kTickLength, y}});
  }
}

}  // namespace

AeroCoefficientSet CoefficientsAtX(const AeroDatabase& db, const AeroViewSettings& settings,
                                   double x) {
  const double mach = settings.machOnX ? x : settings.mach;
  const double alpha = settings.machOnX ? settings.alphaDeg * kDegToRad : x;
  return settings.splines ? AeroCoefficientsSpline(db, mach, alpha)
                          : AeroCoefficients(db, mach, alpha);
}

double SampleX(const ValueRange& x, int k) {
  return x.minimum + k * x.span() / kAeroSampleIntervals;
}

AeroRanges ComputeAeroRanges(const AeroDatabase& db, const AeroViewSettings& settings) {
  AeroRanges r;
  if (IsEmpty(db)) return r;
  const double* table = settings.machOnX ? db.mach.data() : db.angle.data();
  const int count = settings.machOnX ? db.machCount : db.angleCount;
  for (int i = 0; i < count; ++i) Widen(r.x, table[i]);
  for (int k = 0; k <= kAeroSampleIntervals; ++k) {
    const AeroCoefficientSet c = CoefficientsAtX(db, settings, SampleX(r.x, k));
    for (int j = 0; j < kCoefficientCount; ++j) Widen(r.coefficient[j], c[j]);
  }
  for (int j = 0; j < kCoefficientCount; ++j) {
    if (!settings.shown[j]) continue;
    Widen(r.y, r.coefficient[j].minimum);
    Widen(r.y, r.coefficient[j].maximum);
  }
  return r;
}

Point AeroPlot::PointOf(double x, double coefficient) const {
  return {x0 + ToPixel(x * sx), y0 - ToPixel(sy * coefficient)};
}

double AeroPlot::XAt(int column) const {
  return (column - x0) / sx;
}

bool AeroPlot::Holds(Point p) const {
  return !empty && left <= p.x && p.x <= width - kMargin && kMargin <= p.y &&
         p.y <= height - kMargin;
}

AeroPlot LayoutAeroPlot(const AeroDatabase& db, const AeroViewSettings& settings, int width,
                        int height, const TextWidth& textWidth) {
  AeroPlot p;
  p.width = width;
  p.height = height;
  if (IsEmpty(db)) return p;
  p.empty = false;
  p.ranges = ComputeAeroRanges(db, settings);
  p.ranges.x = Drawable(p.ranges.x);
  p.ranges.y = Drawable(p.ranges.y);

  const std::vector<std::string> yTexts = YLabelTexts(p.ranges.y);
  int widest = 0;
  for (const std::string& t : yTexts) widest = std::max(widest, textWidth(t));
  // Room for the labels, but never more than half the frame (labels of absurd values are cut).
  p.left = std::min(std::max(kMargin, widest + kLabelGap + 1), width / 2);
  const int plotWidth = std::max(1, width - p.left - kMargin);
  const int plotHeight = std::max(1, height - 2 * kMargin);
  p.sx = plotWidth / p.ranges.x.span();
  p.sy = plotHeight / p.ranges.y.span();
  p.x0 = p.left - ToPixel(p.sx * p.ranges.x.minimum);
  p.y0 = (height - kMargin) + ToPixel(p.sy * p.ranges.y.minimum);
  LayoutAxes(p, settings, yTexts);
  KeepLabelsApart(p.labels, textWidth);

  for (int j = 0; j < kCoefficientCount; ++j) {
    p.curves[j].colour = kCoefficientColours[j];
    if (!settings.shown[j]) continue;
    for (int k = 0; k <= kAeroSampleIntervals; ++k) {
      const double x = SampleX(p.ranges.x, k);
      p.curves[j].points.push_back(p.PointOf(x, CoefficientsAtX(db, settings, x)[j]));
    }
  }
  return p;
}

std::optional<AeroReadout> ReadAeroAt(const AeroPlot& plot, const AeroDatabase& db,
                                      const AeroViewSettings& settings, Point pointer) {
  if (!plot.Holds(pointer)) return std::nullopt;
  AeroReadout r;
  r.x = plot.XAt(pointer.x);
  r.coefficients = CoefficientsAtX(db, settings, r.x);
  r.text = settings.machOnX ? FormatValue("Mach %.3f:", r.x)
                            : FormatValue("Angle of attack %.2f\u00B0:", r.x * kRadToDeg);
  const char* separator = " ";
  for (int j = 0; j < kCoefficientCount; ++j) {
    if (!settings.shown[j]) continue;
    r.text += separator + std::string(kCoefficientNames[j]) + " " +
              FormatValue("%.5f", r.coefficients[j]);
    separator = ", ";
  }
  r.cursor = {{pointer.x, kMargin}, {pointer.x, plot.height - kMargin}, kReadoutColour};
  return r;
}

}  // namespace plumora::gui
