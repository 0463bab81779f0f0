// Hydrostatic equilibrium of an ideal gas around a spherical planet. Every bundled atmosphere
// integrates its pressure with this one routine, whatever its temperature profile and gas.
#pragma once

#include <functional>
#include <vector>

#include "verify/PressureIntegral.h"

namespace plumora::tools {

using verify::AirState;
using verify::IntegrateLnPressure;
using verify::InverseSquareGravity;
using verify::kHydrostaticStep;

// A column of gas of one composition: its temperature profile, specific gas constant, gravity
// and the pressure at height 0.
struct GasColumn {
  std::function<double(double)> temperature;  // K at height z (m)
  double gasConstant;                         // J/(kg·K)
  InverseSquareGravity gravity;
  double surfacePressure;  // Pa at z = 0
};

// Temperature, pressure and density of the column at ascending heights from 0 up, integrated
// layer by layer from one height to the next.
std::vector<AirState> HydrostaticProfile(const GasColumn& column,
                                         const std::vector<double>& heights);

}  // namespace plumora::tools
