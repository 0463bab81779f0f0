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

void Include(std::optional<MapBox>& area, const MapBox& box) {
  if (!area) {
    area = box;
    return;
  }
  area->left = std::min(area->left, box.left);
  area->top = std::min(area->top, box.top);
  area->right = std::max(area->right, box.right);
  area->bottom = std::max(area->bottom, box.bottom);
}

}  // namespace

PlanetMap MapOfPlanet(std::int32_t planet) {
  if (planet == 0) return PlanetMap::kEarth;
  if (planet == 1) return PlanetMap::kMars;
  return PlanetMap::kTitan;
}

std::optional<MapPoint> ProjectToMap(double latitude, double longitude, int width, int height) {
  if (!std::isfinite(latitude) || !std::isfinite(longitude)) return std::nullopt;
  const double lambda = OnMap(longitude);
  const double phi = std::clamp(latitude, -kPole, kPole);
  // Divided last, so that a whole degree on a map of whole pixels per degree lands exactly on
  // its pixel rather than a rounding error short of it.
  const double x = lambda * width / 360.0 + width / 2;
  const double y = height / 2 - phi * height / 180.0;
  return MapPoint{static_cast<int>(std::trunc(x)), static_cast<int>(std::trunc(y))};
}

MapBox MarkerBox(MapPoint centre) {
  return {centre.x - kTrackMarkerRadius, centre.y - kTrackMarkerRadius,
          centre.x + kTrackMarkerRadius, centre.y + kTrackMarkerRadius};
}

std::optional<MapBox> TrackMarker(const CTrajectoryStore& store, int index, int width, int height) {
  if (index < 0 || index > store.LastIndex()) return std::nullopt;
  const CTrajectorySample& s = store.SampleAt(index);
  const std::optional<MapPoint> centre = ProjectToMap(s.latitude, s.longitude, width, height);
  if (!centre) return std::nullopt;
  return MarkerBox(*centre);
}

std::vector<TrackPiece> TrackLine(const CTrajectoryStore& store, int first, int last, int width,
                                  int height) {
  std::vector<TrackPiece> pieces;
  const CTrajectorySample* previous = nullptr;  // the last sample on the map, in this stretch
  const auto add = [&pieces](MapPoint p) {
    if (pieces.back().empty() || pieces.back().back() != p) pieces.back().push_back(p);
  };
  for (int i = std::max(first, 0); i <= std::min(last, store.LastIndex()); ++i) {
    const CTrajectorySample& s = store.SampleAt(i);
    const std::optional<MapPoint> point = ProjectToMap(s.latitude, s.longitude, width, height);
    if (!point) {
      previous = nullptr;
      continue;
    }
    if (!previous) {
      pieces.emplace_back();
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
        pieces.emplace_back();
        add(*ProjectToMap(latitude, -edge, width, height));
      }
    }
    add(*point);
    previous = &s;
  }
  return pieces;
}

std::optional<MapBox> StepArea(const CTrajectoryStore& store, int from, int to, bool withLine,
                               int width, int height) {
  std::optional<MapBox> area;
  for (int index : {from, to}) {
    if (const std::optional<MapBox> marker = TrackMarker(store, index, width, height)) {
      Include(area, *marker);
    }
  }
  if (withLine) {
    for (const TrackPiece& piece :
         TrackLine(store, std::min(from, to), std::max(from, to), width, height)) {
      for (const MapPoint& p : piece) Include(area, {p.x, p.y, p.x, p.y});
    }
  }
  if (area) {
    area->left -= 1;
    area->top -= 1;
    area->right += 1;
    area->bottom += 1;
  }
  return area;
}

}  // namespace plumora::gui
