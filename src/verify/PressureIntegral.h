// Hydrostatic equilibrium of an ideal gas around a spherical planet: the pieces the standard
// atmosphere above 86 km and every generated table integrate their pressure with.
#pragma once

#include <functional>

namespace plumora::verify {

struct AirState {
  double temperature;  // K, kinetic
  double pressure;     // Pa
  double density;      // kg/m³
};

// Gravity falling off with the inverse square of the distance from the planet's centre.
struct InverseSquareGravity {
  double g0;      // m/s² at height 0
  double radius;  // m, distance of height 0 from the centre

  double At(double z) const { return g0 * (radius / (radius + z)) * (radius / (radius + z)); }
};

// Integration step of the pressure; every temperature profile integrated is smooth on this scale.
inline constexpr double kHydrostaticStep = 10.0;  // m

// Integrates d(ln p)/dz = slope(z) from height `from` (where ln p = lnPressure) up to `to` with
// Simpson's rule in steps of at most `step` metres, and returns ln p at `to`.
double IntegrateLnPressure(const std::function<double(double)>& slope, double from,
                           double lnPressure, double to, double step);

}  // namespace plumora::verify
