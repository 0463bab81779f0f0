// Where a final descent is over the planet. The descent flies in a flat frame fixed at its start;
// its horizontal displacement is laid back onto the spherical planet to place each sample and the
// end of the phase on the map.
#pragma once

namespace plumora {

struct GroundPosition {
  double latitude = 0.0;   // °
  double longitude = 0.0;  // °
};

// The point reached from `start` after moving `x` metres along the descent frame's x axis (which
// points along `heading`, rad from north towards east) and `y` metres along its y axis (90° to
// the left), on a sphere of `radius` (m). The displacement's north and east components over the
// radius are the angles travelled along the meridian and the parallel; the path is the great
// circle leaving `start` in the displacement's direction, so it stays defined at the poles. The
// longitude changes by at most half a turn, so a start beyond ±180° is carried on as given.
GroundPosition AdvanceGroundPosition(const GroundPosition& start, double heading, double x,
                                     double y, double radius);

}  // namespace plumora
