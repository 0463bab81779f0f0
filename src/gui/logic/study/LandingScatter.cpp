#include "gui/logic/study/LandingScatter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/common/Constants.h"

namespace plumora::gui {

namespace {

constexpr double kPadding = 0.08;        // of the extent, around the points and ellipses
constexpr double kLeastExtentKm = 0.01;  // a single point still gets axes of some size (10 m)
constexpr int kCrossArm = 5;             // unit, half the nominal landing's cross
constexpr int kLegendGap = 4;            // unit, between the legend's lines

// The extremes of the offsets, of the nominal point and of the 3σ ellipse's outline.
struct Extent {
  double west = 0.0, east = 0.0, south = 0.0, north = 0.0;
  void Take(double e, double n) {
    west = std::min(west, e);
    east = std::max(east, e);
    south = std::min(south, n);
    north = std::max(north, n);
  }
};

// The area on both axes at one scale: the extent, padded, with the axis that is short for the
// plot's shape widened around its centre.
void FitEqualScale(const Extent& x, StudyArea& area) {
  double halfEast = std::max(0.5 * (x.east - x.west) * (1.0 + kPadding), 0.5 * kLeastExtentKm);
  double halfNorth = std::max(0.5 * (x.north - x.south) * (1.0 + kPadding), 0.5 * kLeastExtentKm);
  const double eastCentre = 0.5 * (x.east + x.west);
  const double northCentre = 0.5 * (x.north + x.south);
  const double kmPerUnit = std::max(halfEast / area.Width(), halfNorth / area.Height());
  halfEast = kmPerUnit * area.Width();
  halfNorth = kmPerUnit * area.Height();
  area.xLow = eastCentre - halfEast;
  area.xHigh = eastCentre + halfEast;
  area.yLow = northCentre - halfNorth;
  area.yHigh = northCentre + halfNorth;
}

Polyline Outline(const EllipseAxes& axes, const StudyArea& area, Colour colour) {
  Polyline line{{}, colour};
  for (const GroundOffset& o : EllipseOutline(axes, kEllipseSegments)) {
    line.points.push_back(area.PointOf(o.east, o.north));
  }
  return line;
}

}  // namespace

LandingCloud LandingCloudOf(const std::vector<RunRecord>& records) {
  LandingCloud cloud;
  cloud.radius = FlightOutputs::kNone;
  for (const RunRecord& r : records) {
    if (r.end == RunEnd::kFailed) continue;
    cloud.points.push_back({r.outputs.landingLatitude, r.outputs.landingLongitude});
    cloud.radius = r.outputs.planetRadius;
  }
  return cloud;
}

std::optional<LandingPoint> LandingOf(const std::optional<RunRecord>& run) {
  if (!run || run->end == RunEnd::kFailed) return std::nullopt;
  return LandingPoint{run->outputs.landingLatitude, run->outputs.landingLongitude};
}

std::vector<GroundOffset> EllipseOutline(const EllipseAxes& axes, int segments) {
  std::vector<GroundOffset> outline;
  if (!(axes.semiMajor > 0.0) || segments < 1) return outline;
  // The major axis at its azimuth from north towards east, the minor one square to it.
  const double azimuth = axes.orientation * kDegToRad;
  const GroundOffset major{std::sin(azimuth), std::cos(azimuth)};
  const GroundOffset minor{std::cos(azimuth), -std::sin(azimuth)};
  for (int k = 0; k <= segments; ++k) {
    const double t = 2.0 * kPi * (k % segments) / segments;
    const double a = axes.semiMajor * std::cos(t);
    const double b = axes.semiMinor * std::sin(t);
    outline.push_back({a * major.east + b * minor.east, a * major.north + b * minor.north});
  }
  return outline;
}

std::string EllipseLegend(const char* name, const EllipseAxes& axes) {
  char text[160];
  std::snprintf(text, sizeof text, "%s: %.4g \xC3\x97 %.4g km, major axis at %.1f\xC2\xB0", name,
                axes.semiMajor, axes.semiMinor, axes.orientation);
  return text;
}

ScatterLayout LayoutLandingScatter(const LandingCloud& cloud,
                                   const std::optional<LandingPoint>& nominal,
                                   const StudyGeometry& geometry, const TextWidth& textWidth) {
  ScatterLayout l;
  if (cloud.points.empty()) {
    l.message = std::string(kNoDataAvailable);
    return l;
  }
  std::vector<double> latitudes, longitudes;
  for (const LandingPoint& p : cloud.points) {
    latitudes.push_back(p.latitude);
    longitudes.push_back(p.longitude);
  }
  const LandingOffsets offsets = OffsetsFromMean(latitudes, longitudes, cloud.radius);
  l.ellipse = FitLandingEllipse(offsets);
  Extent extent;
  for (std::size_t i = 0; i < offsets.east.size(); ++i) {
    l.offsets.push_back({offsets.east[i], offsets.north[i]});
    extent.Take(offsets.east[i], offsets.north[i]);
  }
  if (nominal) {
    GroundOffset o;
    OffsetOf(offsets, nominal->latitude, nominal->longitude, cloud.radius, o.east, o.north);
    l.nominal = o;
    extent.Take(o.east, o.north);
  }
  for (const GroundOffset& o : EllipseOutline(l.ellipse.threeSigma, kEllipseSegments)) {
    extent.Take(o.east, o.north);
  }

  // The Y labels' room from the points' own extent, and again if the widened one needs more.
  StudyArea area = StudyAreaFor(geometry, 0);
  const int yCount = TickRoom(area.Height(), geometry.textHeight, geometry.unit);
  const int labelWidth = WidestTickText(extent.south, extent.north, yCount, textWidth);
  area = StudyAreaFor(geometry, labelWidth);
  FitEqualScale(extent, area);
  if (const int widened = WidestTickText(area.yLow, area.yHigh, yCount, textWidth);
      widened > labelWidth) {
    area = StudyAreaFor(geometry, widened);
    FitEqualScale(extent, area);
  }
  l.area = area;
  l.frame = LayoutStudyFrame(area, geometry, "east (km)", "north (km)");

  l.dots.colour = kScatterDots;
  l.dots.diameter = kScatterDotDiameter * geometry.unit;
  l.dots.points.reserve(l.offsets.size());
  for (const GroundOffset& o : l.offsets) l.dots.points.push_back(area.PointOf(o.east, o.north));
  // A dense cloud puts many points on one unit: each is drawn once.
  std::sort(l.dots.points.begin(), l.dots.points.end(),
            [](Point a, Point b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  l.dots.points.erase(std::unique(l.dots.points.begin(), l.dots.points.end()), l.dots.points.end());
  if (l.nominal) {
    const Point c = area.PointOf(l.nominal->east, l.nominal->north);
    const int arm = kCrossArm * geometry.unit;
    l.nominalCross.push_back({{c.x - arm, c.y - arm}, {c.x + arm, c.y + arm}, kScatterNominal});
    l.nominalCross.push_back({{c.x - arm, c.y + arm}, {c.x + arm, c.y - arm}, kScatterNominal});
  }
  l.oneSigma = Outline(l.ellipse.oneSigma, area, kOneSigma);
  l.threeSigma = Outline(l.ellipse.threeSigma, area, kThreeSigma);

  // The legend in the plot's top left corner.
  const int x = static_cast<int>(area.left) + kLegendGap * geometry.unit;
  const int lineHeight = geometry.textHeight + kLegendGap * geometry.unit;
  int y = static_cast<int>(area.top) + kLegendGap * geometry.unit;
  char count[96];
  std::snprintf(count, sizeof count, "%zu landing point%s%s", l.offsets.size(),
                l.offsets.size() == 1 ? "" : "s", l.nominal ? ", \xC3\x97 nominal landing" : "");
  l.legend.push_back({{x, y}, count, Anchor::kLeftTop, kStudyInk});
  // A single point has no spread to draw an ellipse of.
  if (l.ellipse.count < 2) return l;
  l.legend.push_back({{x, y += lineHeight},
                      EllipseLegend("1\xCF\x83", l.ellipse.oneSigma),
                      Anchor::kLeftTop,
                      kOneSigma});
  l.legend.push_back({{x, y + lineHeight},
                      EllipseLegend("3\xCF\x83", l.ellipse.threeSigma),
                      Anchor::kLeftTop,
                      kThreeSigma});
  return l;
}

}  // namespace plumora::gui
