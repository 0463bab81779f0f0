#include "gui/logic/study/StudyPlot.h"

#include <algorithm>
#include <cmath>

namespace plumora::gui {

namespace {

constexpr int kMaxTicks = 11;
constexpr int kMargin = 10;     // unit, around the whole plot
constexpr int kTickLength = 4;  // unit
constexpr int kLabelGap = 6;    // unit, from the axis to its labels
constexpr int kLabelRoom = 8;   // unit, at least between two labels

// Positions far off the drawing are kept within this distance of it, so that none overflows an
// int; lines to such points still leave the drawing in the right direction.
constexpr double kFarUnits = 1 << 22;

int ToUnit(double position) {
  if (!(position > -kFarUnits)) return static_cast<int>(-kFarUnits);  // NaN included
  if (!(position < kFarUnits)) return static_cast<int>(kFarUnits);
  return static_cast<int>(std::lround(position));
}

}  // namespace

Point StudyArea::PointOf(double x, double y) const {
  const double sx = xHigh > xLow ? Width() / (xHigh - xLow) : 0.0;
  const double sy = yHigh > yLow ? Height() / (yHigh - yLow) : 0.0;
  return {ToUnit(left + (x - xLow) * sx), ToUnit(bottom - (y - yLow) * sy)};
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
  const TicksWithin ticks = RoundTicksWithin(low, high, maxCount);
  int widest = 0;
  for (double v : ticks.values)
    widest = std::max(widest, textWidth(DecimalText(v, ticks.decimals)));
  return widest;
}

StudyFrame LayoutStudyFrame(const StudyArea& a, const StudyGeometry& g, const std::string& xTitle,
                            const std::string& yTitle) {
  const int u = g.unit;
  StudyFrame f;
  const int left = ToUnit(a.left), top = ToUnit(a.top);
  const int right = ToUnit(a.right), bottom = ToUnit(a.bottom);
  f.lines.push_back(
      {{{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}}, kStudyInk});
  // X labels are numbers of some six digits; Y labels stand one text height apart at least.
  f.xTicks = RoundTicksWithin(a.xLow, a.xHigh, TickRoom(a.Width(), 5 * g.textHeight, u));
  f.yTicks = RoundTicksWithin(a.yLow, a.yHigh, TickRoom(a.Height(), g.textHeight, u));
  for (double v : f.xTicks.values) {
    const int x = a.PointOf(v, a.yLow).x;
    f.lines.push_back({{{x, bottom}, {x, bottom + kTickLength * u}}, kStudyInk});
    f.texts.push_back({{x, bottom + kLabelGap * u},
                       DecimalText(v, f.xTicks.decimals),
                       Anchor::kCentreTop,
                       kStudyInk});
  }
  for (double v : f.yTicks.values) {
    const int y = a.PointOf(a.xLow, v).y;
    f.lines.push_back({{{left - kTickLength * u, y}, {left, y}}, kStudyInk});
    f.texts.push_back({{left - kLabelGap * u, y},
                       DecimalText(v, f.yTicks.decimals),
                       Anchor::kRightMiddle,
                       kStudyInk});
  }
  f.texts.push_back({{(left + right) / 2, bottom + 2 * kLabelGap * u + g.textHeight},
                     xTitle,
                     Anchor::kCentreTop,
                     kStudyInk});
  f.texts.push_back({{left, top - kLabelGap * u}, yTitle, Anchor::kCentreBottom, kStudyInk});
  return f;
}

}  // namespace plumora::gui
