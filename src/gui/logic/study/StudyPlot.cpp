#include "gui/logic/study/StudyPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plumora::gui {

namespace {

constexpr int kMaxTicks = 11;
constexpr int kMaxDecimals = 15;
constexpr double kTickSlack = 1e-9;  // of a step: a tick on an end computed a hair beyond it
constexpr int kMargin = 10;          // unit, around the whole plot
constexpr int kTickLength = 4;       // unit
constexpr int kLabelGap = 6;         // unit, from the axis to its labels
constexpr int kLabelRoom = 8;        // unit, at least between two labels

}  // namespace

StudyTicks RoundTicks(double low, double high, int maxCount) {
  StudyTicks ticks;
  if (!std::isfinite(low) || !std::isfinite(high)) return ticks;
  if (!(high > low)) {
    ticks.values.push_back(low);
    return ticks;
  }
  const double least = (high - low) / std::max(1, maxCount - 1);
  const double power = std::pow(10.0, std::floor(std::log10(least)));
  for (const double multiple : {1.0, 2.0, 5.0, 10.0}) {
    ticks.step = multiple * power;
    if (ticks.step >= least) break;
  }
  // Whole multiples of the step, so that no rounding piles up from tick to tick.
  const double first = std::ceil(low / ticks.step - kTickSlack);
  const double last = std::floor(high / ticks.step + kTickSlack);
  for (double k = first; k <= last; ++k) ticks.values.push_back(k * ticks.step);
  return ticks;
}

std::string StudyTickText(double value, double step) {
  int decimals = 0;
  if (step > 0.0 && std::isfinite(step)) {
    decimals =
        std::clamp(static_cast<int>(-std::floor(std::log10(step) + kTickSlack)), 0, kMaxDecimals);
  }
  return DecimalText(value, decimals);
}

StudyPoint StudyArea::PointOf(double x, double y) const {
  const double sx = xHigh > xLow ? Width() / (xHigh - xLow) : 0.0;
  const double sy = yHigh > yLow ? Height() / (yHigh - yLow) : 0.0;
  return {left + (x - xLow) * sx, bottom - (y - yLow) * sy};
}

StudyArea StudyAreaFor(const StudyGeometry& g, int yLabelWidth) {
  const int u = g.unit;
  StudyArea area;
  area.left = kMargin * u + yLabelWidth + kLabelGap * u;
  area.top = kMargin * u + g.textHeight + kLabelGap * u;  // the Y title above the plot
  area.right = g.width - kMargin * u - 2 * g.textHeight;  // half the last X label
  area.bottom = g.height - kMargin * u - 2 * g.textHeight - 2 * kLabelGap * u;
  area.right = std::max(area.right, area.left + 1);
  area.bottom = std::max(area.bottom, area.top + 1);
  return area;
}

int TickRoom(double length, int labelExtent, int unit) {
  const double each = labelExtent + kLabelRoom * unit;
  const int room = each > 0.0 ? static_cast<int>(length / each) + 1 : kMaxTicks;
  return std::clamp(room, 2, kMaxTicks);
}

int WidestTickText(double low, double high, int maxCount, const TextWidth& textWidth) {
  const StudyTicks ticks = RoundTicks(low, high, maxCount);
  int widest = 0;
  for (double v : ticks.values) widest = std::max(widest, textWidth(StudyTickText(v, ticks.step)));
  return widest;
}

StudyFrame LayoutStudyFrame(const StudyArea& a, const StudyGeometry& g, const std::string& xTitle,
                            const std::string& yTitle) {
  const int u = g.unit;
  StudyFrame f;
  f.lines.push_back({kStudyInk,
                     {{a.left, a.top},
                      {a.right, a.top},
                      {a.right, a.bottom},
                      {a.left, a.bottom},
                      {a.left, a.top}}});
  // X labels are numbers of some six digits; Y labels stand one text height apart at least.
  f.xTicks = RoundTicks(a.xLow, a.xHigh, TickRoom(a.Width(), 5 * g.textHeight, u));
  f.yTicks = RoundTicks(a.yLow, a.yHigh, TickRoom(a.Height(), g.textHeight, u));
  for (double v : f.xTicks.values) {
    const double x = a.PointOf(v, a.yLow).x;
    f.lines.push_back({kStudyInk, {{x, a.bottom}, {x, a.bottom + kTickLength * u}}});
    f.texts.push_back(
        {{x, a.bottom + kLabelGap * u}, StudyTickText(v, f.xTicks.step), StudyAnchor::kCentreTop});
  }
  for (double v : f.yTicks.values) {
    const double y = a.PointOf(a.xLow, v).y;
    f.lines.push_back({kStudyInk, {{a.left - kTickLength * u, y}, {a.left, y}}});
    f.texts.push_back(
        {{a.left - kLabelGap * u, y}, StudyTickText(v, f.yTicks.step), StudyAnchor::kRightMiddle});
  }
  f.texts.push_back({{(a.left + a.right) / 2, a.bottom + 2 * kLabelGap * u + g.textHeight},
                     xTitle,
                     StudyAnchor::kCentreTop});
  f.texts.push_back({{a.left, a.top - kLabelGap * u}, yTitle, StudyAnchor::kCentreBottom});
  return f;
}

}  // namespace plumora::gui
