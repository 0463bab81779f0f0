#include "gui/logic/track/TrackLayout.h"

#include <algorithm>
#include <cmath>

namespace plumora::gui {

namespace {

constexpr double kHalfTurn = 180.0;  // °
constexpr double kPole = 90.0;       // °

// The longitude within −180° … +180° (both edges kept as they are).
double OnMap(double longitude) {
  if (longitude > kHalfTurn || longitude < -kHalfTurn) {
    return std::remainder(longitude, 2.0 * kHalfTurn);
  }
  return longitude;
}

// The smallest rectangle that covers both.
void Include(std::optional<Rect>& area, const Rect& box) {
  if (!area) {
    area = box;
    return;
  }
  const int right = std::max(area->right(), box.right());
  const int bottom = std::max(area->bottom(), box.bottom());
  area->left = std::min(area->left, box.left);
  area->top = std::min(area->top, box.top);
  area->width = right - area->left;
  area->height = bottom - area->top;
}

}  // namespace

PlanetMap MapOfPlanet(std::int32_t planet) {
  if (planet == 0) return PlanetMap::kEarth;
  if (planet == 1) return PlanetMap::kMars;
  return PlanetMap::kTitan;
}

std::optional<Point> ProjectToMap(double latitude, double longitude, int width, int height) {
  if (!std::isfinite(latitude) || !std::isfinite(longitude)) return std::nullopt;
  const double lambda = OnMap(longitude);
  const double phi = std::clamp(latitude, -kPole, kPole);
  // Divided last, so that a whole degree on a map of whole pixels per degree lands exactly on
  // its pixel rather than a rounding error short of it.
  const double x = lambda * width / 360.0 + width / 2;
  const double y = height / 2 - phi * height / 180.0;
  return Point{static_cast<int>(std::trunc(x)), static_cast<int>(std::trunc(y))};
}

Rect MarkerBox(Point centre) {
  return {centre.x - kTrackMarkerRadius, centre.y - kTrackMarkerRadius, 2 * kTrackMarkerRadius,
          2 * kTrackMarkerRadius};
}

std::optional<Rect> TrackMarker(const CTrajectoryStore& store, int index, int width, int height) {
  if (index < 0 || index > store.LastIndex()) return std::nullopt;
  const CTrajectorySample& s = store.SampleAt(index);
  const std::optional<Point> centre = ProjectToMap(s.latitude, s.longitude, width, height);
  if (!centre) return std::nullopt;
  return MarkerBox(*centre);
}

std::vector<Polyline> TrackLine(const CTrajectoryStore& store, int first, int last, int width,
                                int height) {
  std::vector<Polyline> pieces;
  const CTrajectorySample* previous = nullptr;  // the last sample on the map, in this stretch
  const auto add = [&pieces](Point p) {
    std::vector<Point>& points = pieces.back().points;
    if (points.empty() || points.back() != p) points.push_back(p);
  };
  for (int i = std::max(first, 0); i <= std::min(last, store.LastIndex()); ++i) {
    const CTrajectorySample& s = store.SampleAt(i);
    const std::optional<Point> point = ProjectToMap(s.latitude, s.longitude, width, height);
    if (!point) {
      previous = nullptr;
      continue;
    }
    if (!previous) {
      pieces.push_back({{}, kTrackLineColour});
    } else {
      const double from = OnMap(previous->longitude);
      const double to = OnMap(s.longitude);
      if (std::fabs(to - from) > kHalfTurn) {
        // Across the edge of the map: the latitude where the straight path meets the meridian.
        const double edge = from > 0.0 ? kHalfTurn : -kHalfTurn;
        const double beyond = to + 2.0 * edge;  // the longitude counted on past the edge
        const double t = (edge - from) / (beyond - from);
        const double latitude = previous->latitude + t * (s.latitude - previous->latitude);
        add(*ProjectToMap(latitude, edge, width, height));
        pieces.push_back({{}, kTrackLineColour});
        add(*ProjectToMap(latitude, -edge, width, height));
      }
    }
    add(*point);
    previous = &s;
  }
  return pieces;
}

std::optional<Rect> StepArea(const CTrajectoryStore& store, int from, int to, bool withLine,
                             int width, int height) {
  std::optional<Rect> area;
  for (int index : {from, to}) {
    if (const std::optional<Rect> marker = TrackMarker(store, index, width, height)) {
      // With the outline's pixel past the box.
      Include(area, {marker->left, marker->top, marker->width + 1, marker->height + 1});
    }
  }
  if (withLine) {
    for (const Polyline& piece :
         TrackLine(store, std::min(from, to), std::max(from, to), width, height)) {
      for (const Point& p : piece.points) Include(area, {p.x, p.y, 1, 1});
    }
  }
  if (area) *area = {area->left - 1, area->top - 1, area->width + 2, area->height + 2};
  return area;
}

}  // namespace plumora::gui
