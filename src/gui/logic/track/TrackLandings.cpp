#include "gui/logic/track/TrackLandings.h"

#include <cmath>
#include <cstdlib>

#include "core/common/Constants.h"
#include "gui/logic/track/TrackLayout.h"

namespace plumora::gui {

namespace {
constexpr int kDotDiameter = 3;  // pixels
constexpr int kCrossArm = 4;     // pixels, half the nominal landing's cross
constexpr double kMetresPerKm = 1000.0;
}  // namespace

std::vector<Polyline> EllipseOnMap(const EllipseAxes& axes, double meanLatitude,
                                   double meanLongitude, double radius, int width, int height,
                                   Colour colour) {
  std::vector<Polyline> pieces;
  const double kmRadius = radius / kMetresPerKm;
  const double cosLatitude = std::cos(meanLatitude * kDegToRad);
  if (!(kmRadius > 0.0) || !(cosLatitude > 0.0)) return pieces;
  std::optional<Point> previous;
  for (const GroundOffset& o : EllipseOutline(axes, kEllipseSegments)) {
    const double latitude = meanLatitude + o.north / kmRadius / kDegToRad;
    const double longitude = meanLongitude + o.east / (kmRadius * cosLatitude) / kDegToRad;
    const std::optional<Point> p = ProjectToMap(latitude, longitude, width, height);
    if (!p) continue;
    // A jump of more than half the map is the meridian crossed, not a line across the planet.
    if (pieces.empty() || (previous && 2 * std::abs(p->x - previous->x) > width)) {
      pieces.push_back({{}, colour});
    }
    std::vector<Point>& points = pieces.back().points;
    if (points.empty() || points.back() != *p) points.push_back(*p);
    previous = p;
  }
  return pieces;
}

TrackLandings LayoutTrackLandings(const LandingCloud& cloud,
                                  const std::optional<LandingPoint>& nominal, int width,
                                  int height) {
  TrackLandings l;
  l.points.colour = kMapLandings;
  l.points.diameter = kDotDiameter;
  std::vector<double> latitudes, longitudes;
  for (const LandingPoint& p : cloud.points) {
    latitudes.push_back(p.latitude);
    longitudes.push_back(p.longitude);
    if (const std::optional<Point> at = ProjectToMap(p.latitude, p.longitude, width, height)) {
      l.points.points.push_back(*at);
    }
  }
  if (nominal) {
    if (const std::optional<Point> c =
            ProjectToMap(nominal->latitude, nominal->longitude, width, height)) {
      l.nominalCross.push_back({{c->x - kCrossArm, c->y - kCrossArm},
                                {c->x + kCrossArm, c->y + kCrossArm},
                                kMapNominal});
      l.nominalCross.push_back({{c->x - kCrossArm, c->y + kCrossArm},
                                {c->x + kCrossArm, c->y - kCrossArm},
                                kMapNominal});
    }
  }
  if (cloud.points.size() < 2) return l;
  const LandingEllipse e = FitLandingEllipse(latitudes, longitudes, cloud.radius);
  l.oneSigma = EllipseOnMap(e.oneSigma, e.meanLatitude, e.meanLongitude, cloud.radius, width,
                            height, kMapOneSigma);
  l.threeSigma = EllipseOnMap(e.threeSigma, e.meanLatitude, e.meanLongitude, cloud.radius, width,
                              height, kMapThreeSigma);
  return l;
}

}  // namespace plumora::gui
