#include "verify/ClosedForms.h"

#include <cmath>
#include <numbers>

namespace plumora::verify {

double AllenEggersPeakDeceleration(double entrySpeed, double pathAngle, double scaleHeight) {
  return entrySpeed * entrySpeed * std::fabs(std::sin(pathAngle)) /
         (2.0 * std::numbers::e * scaleHeight);
}

double AllenEggersPeakDensity(double ballisticCoefficient, double pathAngle, double scaleHeight) {
  return ballisticCoefficient * std::fabs(std::sin(pathAngle)) / scaleHeight;
}

double SteadyDescentRate(double mass, double gravity, double density, double dragCoefficient,
                         double area) {
  return std::sqrt(2.0 * mass * gravity / (density * dragCoefficient * area));
}

double DriftInSteadyDescent(const std::function<double(double)>& wind, double height, double rate,
                            int intervals) {
  const double dh = height / intervals;
  double sum = wind(0.0) + wind(height);
  for (int i = 1; i < intervals; ++i) sum += (i % 2 == 1 ? 4.0 : 2.0) * wind(i * dh);
  return sum * dh / 3.0 / rate;
}

}  // namespace plumora::verify
