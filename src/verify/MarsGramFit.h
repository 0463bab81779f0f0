// The model of the Martian atmosphere fitted to Mars-GRAM (NASA's Mars Global Reference
// Atmospheric Model) for latitudes −30° to +30°, valid from −5 to 170 km: two temperature
// polynomials and two exponential pressure laws in the height z in metres, each on its own side
// of a switch height, and the density of an ideal gas of the model's mean molar mass.
#pragma once

#include <array>

namespace plumora::verify {

inline constexpr double kMolarGasConstant = 8.314462618;  // J/(mol·K)

// Temperature (K) as a polynomial in z (m), constant term first.
using TemperatureFit = std::array<double, 6>;
inline constexpr TemperatureFit kMarsGramLowerTemperature = {
    218.955, 4.53041e-4, -2.44401e-7, 8.19905e-12, -1.08433e-16, 5.28263e-22};
inline constexpr TemperatureFit kMarsGramUpperTemperature = {
    -4225.62, 0.215221, -4.01715e-6, 3.56144e-11, -1.50891e-16, 2.46395e-22};
inline constexpr double kMarsGramTemperatureSwitch = 75000.0;  // m

// Pressure p = p0·exp(−k·z).
struct PressureFit {
  double p0;  // Pa
  double k;   // 1/m

  double LnAt(double z) const;  // ln(p / 1 Pa)
};
inline constexpr PressureFit kMarsGramLowerPressure = {575.497, 9.11710e-5};
inline constexpr PressureFit kMarsGramUpperPressure = {887.544, 1.24149e-4};
inline constexpr double kMarsGramPressureSwitch = 15000.0;  // m

// Mean molar mass and ratio of specific heats of the model's Martian air.
inline constexpr double kMarsGramMolarMass = 43.34;  // g/mol
inline constexpr double kMarsGramHeatCapacityRatio = 1.30;

double FitTemperature(const TemperatureFit& fit, double z);  // K

// The published fits, each below or above its switch height, at height z (m).
double MarsGramTemperature(double z);  // K
double MarsGramPressure(double z);     // Pa
double MarsGramGasConstant();          // J/(kg·K), of the mean molar mass
double MarsGramDensity(double z);      // kg/m³

}  // namespace plumora::verify
