// The "Landing scatter" display mode without a device: the landing points of a study in km east
// and north of their mean, the nominal (unscattered) landing, and the 1σ and 3σ ellipses of the
// summary with their semi-axes and orientation, on axes of equal scale (a km is as long east as
// north), as a map would show them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/dispersion/DispersionStatistics.h"
#include "core/dispersion/ScatteredRun.h"
#include "gui/logic/study/StudyPlot.h"

namespace plumora::gui {

inline constexpr Colour kScatterDots{40, 90, 200};
inline constexpr Colour kScatterNominal{220, 0, 0};
inline constexpr Colour kOneSigma{0, 150, 0};
inline constexpr Colour kThreeSigma{210, 105, 0};

struct LandingPoint {
  double latitude = 0.0;   // °
  double longitude = 0.0;  // °
};

// Where the runs came down, km from a point on the ground.
struct GroundOffset {
  double east = 0.0;   // km
  double north = 0.0;  // km
};

// The landing points of the runs that did not fail, and the planet's radius (m) they lie on
// (NaN without one).
struct LandingCloud {
  std::vector<LandingPoint> points;
  double radius = 0.0;  // m
};
LandingCloud LandingCloudOf(const std::vector<RunRecord>& records);
// Where a run came down: none without the run or when it failed.
std::optional<LandingPoint> LandingOf(const std::optional<RunRecord>& run);

// The ellipse of those axes around the mean point, as a closed polyline of `segments` pieces in
// km east and north; none for zero axes.
std::vector<GroundOffset> EllipseOutline(const EllipseAxes& axes, int segments);

struct ScatterLayout {
  LandingEllipse ellipse;               // as the summary gives it
  std::vector<GroundOffset> offsets;    // of every landing point
  std::optional<GroundOffset> nominal;  // of the unscattered flight's landing

  std::string message;  // instead of the plot when there is no landing point (kNoDataAvailable)
  StudyArea area;       // km on both axes, at one scale
  StudyFrame frame;
  Dots dots;                          // one per unit the landing points fall on
  std::vector<Segment> nominalCross;  // two strokes
  Polyline oneSigma;
  Polyline threeSigma;
  // "200 landing points, × nominal landing", then (from two points on) "1σ: 20.79 × 0.03269 km,
  // major axis at 104.1°" and the same of the 3σ ellipse.
  std::vector<AnchoredText> legend;
};

inline constexpr int kEllipseSegments = 180;
inline constexpr int kScatterDotDiameter = 4;  // unit

ScatterLayout LayoutLandingScatter(const LandingCloud& cloud,
                                   const std::optional<LandingPoint>& nominal,
                                   const StudyGeometry& geometry, const TextWidth& textWidth);

// "20.79 × 0.03269 km, major axis at 104.1°" after "1σ: " or "3σ: ".
std::string EllipseLegend(const char* name, const EllipseAxes& axes);

}  // namespace plumora::gui
