// The tabulated aerodynamic coefficients of a payload, filled from an aerodynamic file whenever a
// phase flies the payload. Only axisymmetric bodies are supported: Cy, Cl and Cn stay zero.
#pragma once

#include <array>
#include <cstdint>

#include "core/common/Constants.h"

namespace plumora {

// Indices of the six coefficient tables.
enum AeroCoefficient : int { kCx = 0, kCy, kCz, kCl, kCm, kCn, kCoefficientCount };

struct AeroDatabase {
  using Table = std::array<std::array<double, kMaxAngles>, kMaxMachValues>;  // [Mach row][angle]

  std::int32_t machCount = 0;                          // 1 to 15
  std::int32_t angleCount = 0;                         // 1 to 100
  std::int32_t symmetryCode = 0;                       // as read; 0 or 1 accepted
  std::int32_t reserved = 0;                           // read from the file, not used
  std::int32_t axisymmetric = 0;                       // 1 after a successful read
  std::array<double, kMaxMachValues> mach{};           // ascending
  std::array<double, kMaxAngles> angle{};              // rad, ascending
  std::array<Table, kCoefficientCount> coefficient{};  // dimensionless
  std::array<Table, kCoefficientCount> curvature{};    // spline second derivatives along the angle
};

}  // namespace plumora
