// Hydrostatic equilibrium of an ideal gas around a spherical planet. Every bundled atmosphere
// integrates its pressure with this one routine, whatever its temperature profile and gas.
#pragma once

#include <functional>
#include <vector>

namespace plumora::tools {

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

// Integrates d(ln p)/dz = slope(z) from height `from` (where ln p = lnPressure) up to `to` with
// Simpson's rule in steps of at most `step` metres, and returns ln p at `to`.
double IntegrateLnPressure(const std::function<double(double)>& slope, double from,
                           double lnPressure, double to, double step);

// A column of gas of one composition: its temperature profile, specific gas constant, gravity
// and the pressure at height 0.
struct GasColumn {
  std::function<double(double)> temperature;  // K at height z (m)
  double gasConstant;                         // J/(kg·K)
  InverseSquareGravity gravity;
  double surfacePressure;  // Pa at z = 0
};

// Integration step of the bundled tables; the temperature profiles are smooth on this scale.
inline constexpr double kHydrostaticStep = 10.0;  // m

// Temperature, pressure and density of the column at ascending heights from 0 up, integrated
// layer by layer from one height to the next.
std::vector<AirState> HydrostaticProfile(const GasColumn& column,
                                         const std::vector<double>& heights);

}  // namespace plumora::tools
