// The U.S. Standard Atmosphere 1976, from its defining equations.
#pragma once

#include <array>

#include "verify/PressureIntegral.h"

namespace plumora::verify {

// The standard atmosphere at geometric height z (m), 0 to 1000 km. Up to 86 km the defining
// equations are exact; above, the pressure is integrated hydrostatically with the standard's
// temperature profile and its tabulated mean molar mass.
AirState Ussa1976(double z);

// Geometric height (m) of a geopotential height (m'): where the standard's layers begin.
double GeometricHeight(double geopotentialHeight);

// The seven layers below 84.852 km' (86 km), from the ground up: where each begins in
// geopotential height and how its molecular-scale temperature changes with it.
struct Ussa1976Layer {
  double baseHeight;  // m', geopotential
  double lapseRate;   // K/m'
};
inline constexpr std::array<Ussa1976Layer, 7> kUssa1976Layers = {{{0.0, -6.5e-3},
                                                                  {11000.0, 0.0},
                                                                  {20000.0, 1.0e-3},
                                                                  {32000.0, 2.8e-3},
                                                                  {47000.0, 0.0},
                                                                  {51000.0, -2.8e-3},
                                                                  {71000.0, -2.0e-3}}};

}  // namespace plumora::verify
