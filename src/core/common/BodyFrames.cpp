#include "core/common/BodyFrames.h"

#include <cmath>

namespace plumora {

namespace {
// Smallest |cos θ| the rate matrix divides by.
constexpr double kCosPitchFloor = 1e-10;
}  // namespace

void BodyFrames::Update(double roll, double pitch, double yaw) {
  const double cf = std::cos(roll), sf = std::sin(roll);
  const double ct = std::cos(pitch), st = std::sin(pitch);
  const double cp = std::cos(yaw), sp = std::sin(yaw);
  a.m = {{{cp * ct, sp * ct, -st},
          {st * cp * sf - sp * cf, sp * st * sf + cp * cf, ct * sf},
          {st * cp * cf + sp * sf, sp * st * cf - cp * sf, ct * cf}}};
  b = a.Transposed();
  const double ctRates = std::fabs(ct) < kCosPitchFloor ? std::copysign(kCosPitchFloor, ct) : ct;
  c.m = {{{1.0, st * sf / ctRates, st * cf / ctRates},
          {0.0, cf, -sf},
          {0.0, sf / ctRates, cf / ctRates}}};
}

}  // namespace plumora
