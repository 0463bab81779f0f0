#include "verify/PressureIntegral.h"

#include <cmath>

namespace plumora::verify {

double IntegrateLnPressure(const std::function<double(double)>& slope, double from,
                           double lnPressure, double to, double step) {
  double at = from;
  while (at < to) {
    const double dz = std::fmin(step, to - at);
    lnPressure += dz * (slope(at) + 4.0 * slope(at + dz / 2) + slope(at + dz)) / 6.0;
    at += dz;
  }
  return lnPressure;
}

}  // namespace plumora::verify
