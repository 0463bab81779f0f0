#include "verify/Ussa1976.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace plumora::verify {

namespace {

// Defining constants.
constexpr double kR0 = 6356766.0;   // m, effective Earth radius for geopotential height
constexpr double kG0 = 9.80665;     // m/s²
constexpr double kM0 = 28.9644;     // kg/kmol, sea-level mean molar mass
constexpr double kRStar = 8314.32;  // J/(kmol·K), gas constant as the standard defines it
constexpr double kT0 = 288.15;      // K
constexpr double kP0 = 101325.0;    // Pa

// Ratio of the mean molar mass to its sea-level value between 80 and 86 km, every 0.5 km.
constexpr std::array<double, 13> kMolarMassRatio = {
    1.000000, 0.999996, 0.999989, 0.999971, 0.999941, 0.999909, 0.999870,
    0.999829, 0.999786, 0.999741, 0.999694, 0.999641, 0.999579};

// Mean molar mass above 86 km (km, kg/kmol), from the standard's tables.
struct MolarMass {
  double heightKm;
  double molarMass;
};
constexpr std::array<MolarMass, 11> kUpperMolarMass = {{{86.0, kM0 * 0.999579},
                                                        {90.0, 28.91},
                                                        {95.0, 28.73},
                                                        {100.0, 28.40},
                                                        {105.0, 27.88},
                                                        {110.0, 27.27},
                                                        {115.0, 26.68},
                                                        {120.0, 26.20},
                                                        {130.0, 25.44},
                                                        {150.0, 24.10},
                                                        {200.0, 21.30}}};

double GeopotentialHeight(double z) {
  return kR0 * z / (kR0 + z);
}

// Molecular-scale temperature and pressure at geopotential height h below 84.852 km.
void LowerAtmosphere(double h, double& molecularTemperature, double& pressure) {
  double baseT = kT0;
  double baseP = kP0;
  std::size_t i = 0;
  for (;; ++i) {
    const Ussa1976Layer& layer = kUssa1976Layers[i];
    const bool last = i + 1 == kUssa1976Layers.size();
    const double top = last ? h : std::fmin(h, kUssa1976Layers[i + 1].baseHeight);
    const double dh = top - layer.baseHeight;
    const double topT = baseT + layer.lapseRate * dh;
    // Hydrostatic equilibrium of an ideal gas with a linear temperature profile.
    const double topP =
        layer.lapseRate == 0.0
            ? baseP * std::exp(-kG0 * kM0 * dh / (kRStar * baseT))
            : baseP * std::pow(baseT / topT, kG0 * kM0 / (kRStar * layer.lapseRate));
    if (last || h <= kUssa1976Layers[i + 1].baseHeight) {
      molecularTemperature = topT;
      pressure = topP;
      return;
    }
    baseT = topT;
    baseP = topP;
  }
}

double MolarMassRatio(double z) {
  if (z <= 80000.0) return 1.0;
  const double x = (z - 80000.0) / 500.0;
  const std::size_t i =
      std::min<std::size_t>(static_cast<std::size_t>(x), kMolarMassRatio.size() - 2);
  const double f = x - static_cast<double>(i);
  return kMolarMassRatio[i] + f * (kMolarMassRatio[i + 1] - kMolarMassRatio[i]);
}

// Kinetic temperature above 86 km (z in m).
double UpperTemperature(double z) {
  const double zk = z / 1000.0;
  if (zk <= 91.0) return 186.8673;
  if (zk <= 110.0) {
    // Elliptical segment.
    constexpr double kTc = 263.1905, kA = -76.3232, kSemiAxis = -19.9429;
    const double u = (zk - 91.0) / kSemiAxis;
    return kTc + kA * std::sqrt(1.0 - u * u);
  }
  if (zk <= 120.0) return 240.0 + 12.0 * (zk - 110.0);
  // Exponential approach to the exospheric temperature.
  constexpr double kTInf = 1000.0, kT120 = 360.0, kLambda = 0.01875, kR0Km = 6356.766;
  const double xi = (zk - 120.0) * (kR0Km + 120.0) / (kR0Km + zk);
  return kTInf - (kTInf - kT120) * std::exp(-kLambda * xi);
}

double UpperMolarMass(double z) {
  const double zk = z / 1000.0;
  for (std::size_t i = 0; i + 1 < kUpperMolarMass.size(); ++i) {
    const MolarMass& a = kUpperMolarMass[i];
    const MolarMass& b = kUpperMolarMass[i + 1];
    if (zk <= b.heightKm) {
      return a.molarMass +
             (b.molarMass - a.molarMass) * (zk - a.heightKm) / (b.heightKm - a.heightKm);
    }
  }
  return kUpperMolarMass.back().molarMass;
}

// d(ln p)/dz in hydrostatic equilibrium, with gravity falling off as the inverse square.
double LnPressureSlope(double z) {
  const double g = InverseSquareGravity{kG0, kR0}.At(z);
  return -UpperMolarMass(z) * g / (kRStar * UpperTemperature(z));
}

}  // namespace

double GeometricHeight(double geopotentialHeight) {
  return kR0 * geopotentialHeight / (kR0 - geopotentialHeight);
}

AirState Ussa1976(double z) {
  constexpr double kUpperBase = 86000.0;  // m
  if (z <= kUpperBase) {
    double tm = 0.0, p = 0.0;
    LowerAtmosphere(GeopotentialHeight(z), tm, p);
    return {tm * MolarMassRatio(z), p, p * kM0 / (kRStar * tm)};
  }
  AirState base = Ussa1976(kUpperBase);
  // Simpson's rule in 10 m steps from 86 km up (the integrand is smooth on that scale).
  const double lnP = IntegrateLnPressure(LnPressureSlope, kUpperBase, std::log(base.pressure), z,
                                         kHydrostaticStep);
  const double t = UpperTemperature(z);
  const double p = std::exp(lnP);
  return {t, p, p * UpperMolarMass(z) / (kRStar * t)};
}

}  // namespace plumora::verify
