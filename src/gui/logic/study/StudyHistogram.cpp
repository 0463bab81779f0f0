#include "gui/logic/study/StudyHistogram.h"

#include <algorithm>
#include <cmath>

namespace plumora::gui {

namespace {

constexpr double kHeadroom = 1.1;  // of the tallest bar, above it
constexpr int kMarkGap = 3;  // unit, from a mark to its label, and below the plot's top

}  // namespace

const StudyOutputField& FieldOf(StudyOutput output) {
  const auto it = std::find_if(kStudyOutputFields.begin(), kStudyOutputFields.end(),
                               [&](const StudyOutputField& f) { return f.output == output; });
  return it == kStudyOutputFields.end() ? kStudyOutputFields.front() : *it;
}

std::string_view NameOf(StudyOutput output) {
  const auto member = FieldOf(output).member;
  for (const FlightOutputField& f : kFlightOutputFields) {
    if (f.member == member) return f.name;
  }
  return {};
}

std::optional<StudyOutput> StudyOutputNamed(std::string_view name) {
  for (const StudyOutputField& f : kStudyOutputFields) {
    if (NameOf(f.output) == name) return f.output;
  }
  return std::nullopt;
}

std::vector<double> OutputValues(const std::vector<RunRecord>& records, StudyOutput output) {
  const auto member = FieldOf(output).member;
  std::vector<double> values;
  for (const RunRecord& r : records) {
    const double v = r.outputs.*member;
    if (r.end != RunEnd::kFailed && std::isfinite(v)) values.push_back(v);
  }
  return values;
}

Histogram BinValues(const std::vector<double>& values, int binCount) {
  Histogram h;
  if (values.empty()) return h;
  const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
  double low = *lowest;
  double high = *highest;
  if (binCount <= 0) {
    binCount = static_cast<int>(std::ceil(2.0 * std::cbrt(static_cast<double>(values.size()))));
  }
  binCount = std::clamp(binCount, 1, kMaxHistogramBins);
  if (!(high > low)) {
    binCount = 1;
    low -= 0.5;
    high += 0.5;
  }
  const double width = (high - low) / binCount;
  for (int i = 0; i <= binCount; ++i) h.edges.push_back(i == binCount ? high : low + i * width);
  h.counts.assign(static_cast<std::size_t>(binCount), 0);
  for (double v : values) {
    // The largest value, and any a rounding puts past the end, count in the last bin.
    const int bin = std::clamp(static_cast<int>((v - low) / width), 0, binCount - 1);
    ++h.counts[static_cast<std::size_t>(bin)];
  }
  return h;
}

HistogramLayout LayoutStudyHistogram(const std::vector<RunRecord>& records, StudyOutput output,
                                     int binCount, const StudyGeometry& geometry,
                                     const TextWidth& textWidth) {
  HistogramLayout l;
  l.output = output;
  const std::vector<double> values = OutputValues(records, output);
  l.statistics = DescribeValues(values);
  l.histogram = BinValues(values, binCount);
  if (values.empty()) {
    l.message = std::string(kNoDataAvailable);
    return l;
  }
  const Histogram& h = l.histogram;
  const int tallest = *std::max_element(h.counts.begin(), h.counts.end());

  StudyArea area = StudyAreaFor(geometry, 0);
  area.xLow = h.edges.front();
  area.xHigh = h.edges.back();
  area.yLow = 0.0;
  area.yHigh = std::max(1.0, std::ceil(tallest * kHeadroom));
  const int yCount = TickRoom(area.Height(), geometry.textHeight, geometry.unit);
  const StudyArea sized =
      StudyAreaFor(geometry, WidestTickText(area.yLow, area.yHigh, yCount, textWidth));
  area.left = sized.left;
  l.area = area;
  const StudyOutputField& field = FieldOf(output);
  l.frame = LayoutStudyFrame(
      area, geometry, std::string(field.label) + " (" + std::string(field.unit) + ")", "runs");

  for (std::size_t i = 0; i < h.counts.size(); ++i) {
    if (h.counts[i] == 0) continue;
    const Point foot = area.PointOf(h.edges[i], 0.0);
    const Point top = area.PointOf(h.edges[i + 1], h.counts[i]);
    l.bars.push_back({foot.x, top.y, top.x - foot.x, foot.y - top.y});
    l.barEdges.push_back({{foot, {foot.x, top.y}, top, {top.x, foot.y}, foot}, kHistogramBarEdges});
  }
  const std::array<std::pair<double, const char*>, 3> percentiles = {
      {{l.statistics.p01, "1 %"}, {l.statistics.p50, "50 %"}, {l.statistics.p99, "99 %"}}};
  for (const auto& [value, label] : percentiles) {
    const Point foot = area.PointOf(value, 0.0);
    const int top = static_cast<int>(area.top);
    // The label beside its line, right of it unless it would leave the plot there.
    const int gap = kMarkGap * geometry.unit;
    const bool fitsRight = foot.x + gap + textWidth(label) <= area.right;
    l.marks.push_back({value,
                       label,
                       {foot, {foot.x, top}, kPercentileMarks},
                       {{fitsRight ? foot.x + gap : foot.x - gap, top + gap},
                        label,
                        fitsRight ? Anchor::kLeftTop : Anchor::kRightTop,
                        kPercentileMarks}});
  }
  return l;
}

}  // namespace plumora::gui
