// A point mass entering the atmosphere of a spherical planet that turns about its polar axis,
// integrated from its equations of motion in the planet's turning frame by a fixed-step
// fourth-order Runge-Kutta method whose step is halved until the end point no longer moves.
#pragma once

#include <functional>

namespace plumora::verify {

struct RotatingPlanet {
  double radius;  // m
  double gm;      // m³/s², gravitational parameter
  double omega;   // rad/s, about the axis through the north pole
};

// Where the point is and how it moves relative to the turning planet.
struct FlightPoint {
  double latitude;   // rad
  double longitude;  // rad
  double height;     // m above the sphere
  double speed;      // m/s relative to the planet
  double pathAngle;  // rad above the local horizon
  double heading;    // rad from north towards east
};

struct PointMassEntry {
  RotatingPlanet planet;
  std::function<double(double)> density;  // kg/m³ at a height (m); the air turns with the planet
  double ballisticCoefficient;            // kg/m², m / (Cd·S)
  FlightPoint start;
  double duration;  // s
};

struct PointMassFlight {
  FlightPoint end;
  double step = 0.0;       // s, the step of the accepted integration
  double endChange = 0.0;  // m, how far the end point moved at the last halving
  bool converged = false;  // the end point moved less than asked before the step grew too small
};

// Integrates from the start for the duration with steps of `firstStep` and then half, a quarter
// and so on, until two successive integrations end within `endTolerance` metres of each other;
// the finer of the two is the flight. An error of fourth order drops sixteenfold at each halving,
// so the flight's own error is about a fifteenth of the last change.
PointMassFlight FlyPointMass(const PointMassEntry& entry, double firstStep, double endTolerance);

}  // namespace plumora::verify
