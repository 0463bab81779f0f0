#include "verify/MarsGramFit.h"

#include <cmath>

namespace plumora::verify {

double PressureFit::LnAt(double z) const {
  return std::log(p0) - k * z;
}

double FitTemperature(const TemperatureFit& fit, double z) {
  double value = 0.0;
  for (auto c = fit.rbegin(); c != fit.rend(); ++c) value = value * z + *c;
  return value;
}

double MarsGramTemperature(double z) {
  return FitTemperature(
      z < kMarsGramTemperatureSwitch ? kMarsGramLowerTemperature : kMarsGramUpperTemperature, z);
}

double MarsGramPressure(double z) {
  return std::exp(
      (z < kMarsGramPressureSwitch ? kMarsGramLowerPressure : kMarsGramUpperPressure).LnAt(z));
}

double MarsGramGasConstant() {
  return kMolarGasConstant / (kMarsGramMolarMass * 1e-3);
}

double MarsGramDensity(double z) {
  return MarsGramPressure(z) / (MarsGramGasConstant() * MarsGramTemperature(z));
}

}  // namespace plumora::verify
