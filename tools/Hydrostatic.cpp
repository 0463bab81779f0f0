#include "Hydrostatic.h"

#include <cmath>

namespace plumora::tools {

std::vector<AirState> HydrostaticProfile(const GasColumn& column,
                                         const std::vector<double>& heights) {
  // d(ln p)/dz = -g/(R·T): the weight of each layer is carried by the pressure below it.
  const auto slope = [&column](double z) {
    return -column.gravity.At(z) / (column.gasConstant * column.temperature(z));
  };
  std::vector<AirState> states;
  states.reserve(heights.size());
  double lnP = std::log(column.surfacePressure);
  double at = 0.0;
  for (double z : heights) {
    lnP = IntegrateLnPressure(slope, at, lnP, z, kHydrostaticStep);
    at = z;
    const double t = column.temperature(z);
    const double p = std::exp(lnP);
    states.push_back({t, p, p / (column.gasConstant * t)});
  }
  return states;
}

}  // namespace plumora::tools
