// The "Study histograms" display mode without a device: how one output of a study's runs is
// spread, in bins of equal width, with its 1 %, 50 % and 99 % percentiles marked as the summary
// gives them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/dispersion/DispersionStatistics.h"
#include "core/dispersion/ScatteredRun.h"
#include "gui/logic/study/StudyOutput.h"
#include "gui/logic/study/StudyPlot.h"

namespace plumora::gui {

inline constexpr Colour kHistogramBars{120, 160, 220};
inline constexpr Colour kHistogramBarEdges{40, 70, 140};
inline constexpr Colour kPercentileMarks{200, 0, 0};

// The output's values over the runs that did not fail, those that have one (as the summary
// describes them).
std::vector<double> OutputValues(const std::vector<RunRecord>& records, StudyOutput output);

// Bins of equal width from the smallest value to the largest, the largest in the last bin.
// Values all alike fill one bin a unit wide around them.
struct Histogram {
  std::vector<double> edges;  // bins + 1 of them, rising
  std::vector<int> counts;    // per bin
};
// binCount 0 picks 2·∛n bins (at least 1, at most kMaxHistogramBins).
inline constexpr int kMaxHistogramBins = 200;
Histogram BinValues(const std::vector<double>& values, int binCount = 0);

struct PercentileMark {
  double value = 0.0;
  std::string label;  // "1 %", "50 %", "99 %"
  Segment line;       // across the plot at the value
  AnchoredText text;  // at the plot's top, over the bars
};

struct HistogramLayout {
  StudyOutput output = StudyOutput::kPeakDeceleration;
  Histogram histogram;
  OutputStatistics statistics;  // of the values, as the summary gives them
  std::string message;          // instead of the plot when no run has the output
  StudyArea area;               // the output's unit across, runs up
  StudyFrame frame;
  std::vector<Rect> bars;          // filled in kHistogramBars
  std::vector<Polyline> barEdges;  // their outlines
  std::vector<PercentileMark> marks;
};
HistogramLayout LayoutStudyHistogram(const std::vector<RunRecord>& records, StudyOutput output,
                                     int binCount, const StudyGeometry& geometry,
                                     const TextWidth& textWidth);

}  // namespace plumora::gui
