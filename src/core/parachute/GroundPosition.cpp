#include "core/parachute/GroundPosition.h"

#include <cmath>

#include "core/common/Constants.h"

namespace plumora {

GroundPosition AdvanceGroundPosition(const GroundPosition& start, double heading, double x,
                                     double y, double radius) {
  // x along the heading, y to its left.
  const double north = x * std::cos(heading) + y * std::sin(heading);  // m
  const double east = x * std::sin(heading) - y * std::cos(heading);   // m
  const double distance = std::hypot(north, east);                     // m
  if (distance == 0.0 || !(radius > 0.0)) return start;

  const double arc = distance / radius;            // rad, angle travelled at the centre
  const double bearing = std::atan2(east, north);  // rad, from north towards east
  const double lat0 = start.latitude * kDegToRad;
  const double sinLat =
      std::sin(lat0) * std::cos(arc) + std::cos(lat0) * std::sin(arc) * std::cos(bearing);
  const double lat = std::asin(std::fmax(-1.0, std::fmin(1.0, sinLat)));
  const double dLon = std::atan2(std::sin(bearing) * std::sin(arc) * std::cos(lat0),
                                 std::cos(arc) - std::sin(lat0) * sinLat);
  return {lat * kRadToDeg, start.longitude + dLon * kRadToDeg};
}

}  // namespace plumora
