#include "PlanetAtmospheres.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "verify/MarsGramFit.h"
#include "verify/Ussa1976.h"

namespace plumora::tools {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kSecondsPerDay = 86400.0;

// Standard atomic weights (conventional values), g/mol.
constexpr double kMolarMassN2 = 2.0 * 14.007;
constexpr double kMolarMassCH4 = 12.011 + 4.0 * 1.008;

// Specific gas constant (J/(kg·K)) of a gas of molar mass m (g/mol).
constexpr double SpecificGasConstant(double molarMass) {
  return kMolarGasConstant / (molarMass * 1e-3);
}

// --- Mars -------------------------------------------------------------------------------------

constexpr double kMarsRadius = 3389.5e3;         // m, volumetric mean radius
constexpr double kMarsGM = 0.042828e6 * 1e9;     // m³/s²
constexpr double kMarsRotationPeriod = 24.6229;  // h, sidereal
// The pressure fits meet with a step of 6 % at 15 km; within this distance of it the table
// passes from one fit to the other linearly in ln p.
constexpr double kMarsBlendHalfWidth = 2000.0;  // m
// Bisection steps that place the temperature fits' crossing far below a millimetre.
constexpr int kCrossingSteps = 60;

// Weight of the upper pressure fit: 0 below the blend, 1 above it, linear between.
double UpperPressureWeight(double z) {
  return std::clamp(
      (z - verify::kMarsGramPressureSwitch + kMarsBlendHalfWidth) / (2.0 * kMarsBlendHalfWidth),
      0.0, 1.0);
}

// Where the temperature fits cross, within the 5 km below their switch (at 73.86 km; they
// differ by 5 K at the switch itself).
double MarsTemperatureCrossing() {
  const auto gap = [](double z) {
    return verify::FitTemperature(verify::kMarsGramLowerTemperature, z) -
           verify::FitTemperature(verify::kMarsGramUpperTemperature, z);
  };
  double below = verify::kMarsGramTemperatureSwitch - 5000.0,
         above = verify::kMarsGramTemperatureSwitch;
  for (int i = 0; i < kCrossingSteps; ++i) {
    const double middle = 0.5 * (below + above);
    (gap(middle) * gap(below) <= 0.0 ? above : below) = middle;
  }
  return below;
}

// --- Titan ------------------------------------------------------------------------------------

constexpr double kTitanRadius = 2575.0e3;       // m
constexpr double kTitanGM = 8978.14 * 1e9;      // m³/s²
constexpr double kTitanOrbitalPeriod = 15.945;  // days; Titan turns synchronously
constexpr double kTitanMethane = 0.0141;        // mole fraction in the stratosphere
// Mean molar mass of the nitrogen-methane mix.
constexpr double kTitanMolarMass =
    (1.0 - kTitanMethane) * kMolarMassN2 + kTitanMethane * kMolarMassCH4;
// Below 200 K the molecules' vibrations are frozen: cv = 5/2 R for N₂ (two rotations), 3 R for
// CH₄ (three rotations).
constexpr double kTitanHeatCapacityRatio =
    1.0 + 1.0 / ((1.0 - kTitanMethane) * 2.5 + kTitanMethane * 3.0);
// Length over which the stratosphere warms above the tropopause.
constexpr double kTitanStratosphereScale = 25000.0;  // m

// --- Earth ------------------------------------------------------------------------------------

constexpr double kJetPeakWind = 30.0;     // m/s towards east
constexpr double kJetHeight = 12000.0;    // m
constexpr double kJetHalfDepth = 6000.0;  // m, where the wind falls to 1/e of the peak
constexpr double kWindResolution = 1e-3;  // m/s

// A smooth rise from 0 to 1 as u goes from 0 to 1, flat at both ends.
double CosineStep(double u) {
  return 0.5 * (1.0 - std::cos(std::numbers::pi * u));
}

AtmFile TableFromColumn(const GasColumn& column, const std::vector<double>& heights) {
  AtmFile file;
  const std::vector<AirState> states = HydrostaticProfile(column, heights);
  for (std::size_t i = 0; i < heights.size(); ++i) {
    file.points.push_back({heights[i], states[i].density, states[i].temperature, 0.0, 0.0});
  }
  return file;
}

}  // namespace

std::vector<double> BandedHeights(std::initializer_list<HeightBand> bands) {
  std::vector<double> heights{0.0};
  double bottom = 0.0;
  for (const HeightBand& band : bands) {
    // Counting steps rather than adding them keeps every height exact.
    const long count = std::lround((band.top - bottom) / band.step);
    for (long k = 1; k <= count; ++k)
      heights.push_back(bottom + static_cast<double>(k) * band.step);
    bottom = band.top;
  }
  return heights;
}

AtmConstants EarthConstants() {
  // Radius (WGS 84 equatorial), standard gravity, dry air, sidereal rotation rate.
  return {6378137.0, 9.80665, 287.053, 1.4, 7.292115e-5};
}

AtmConstants MarsConstants() {
  // g0 = GM/R² makes the simulator's GM = R²·g0 the published one.
  return {kMarsRadius, kMarsGM / (kMarsRadius * kMarsRadius), verify::MarsGramGasConstant(),
          verify::kMarsGramHeatCapacityRatio, kTwoPi / (kMarsRotationPeriod * kSecondsPerHour)};
}

AtmConstants TitanConstants() {
  return {kTitanRadius, kTitanGM / (kTitanRadius * kTitanRadius),
          SpecificGasConstant(kTitanMolarMass), kTitanHeatCapacityRatio,
          kTwoPi / (kTitanOrbitalPeriod * kSecondsPerDay)};
}

double EarthJetWind(double z) {
  const double u = (z - kJetHeight) / kJetHalfDepth;
  const double wind = kJetPeakWind * std::exp(-u * u);
  return std::round(wind / kWindResolution) * kWindResolution;
}

double MarsTemperature(double z) {
  // Switching where the fits cross keeps the temperature continuous.
  static const double crossing = MarsTemperatureCrossing();
  return verify::FitTemperature(
      z < crossing ? verify::kMarsGramLowerTemperature : verify::kMarsGramUpperTemperature, z);
}

double MarsPressure(double z) {
  const double w = UpperPressureWeight(z);
  return std::exp((1.0 - w) * verify::kMarsGramLowerPressure.LnAt(z) +
                  w * verify::kMarsGramUpperPressure.LnAt(z));
}

double MarsDensity(double z) {
  // Ideal gas of the model's mean molar mass.
  return MarsPressure(z) / (MarsConstants().gasConstant * MarsTemperature(z));
}

double TitanTemperature(double z) {
  const TemperaturePoint& s = kTitanSurface;
  const TemperaturePoint& tp = kTitanTropopause;
  const TemperaturePoint& sp = kTitanStratopause;
  const TemperaturePoint& mp = kTitanMesopause;
  const TemperaturePoint& th = kTitanThermosphere;
  if (z <= tp.height) {
    // Troposphere: a parabola with its vertex at the tropopause.
    const double u = 1.0 - z / tp.height;
    return tp.temperature + (s.temperature - tp.temperature) * u * u;
  }
  if (z <= sp.height) {
    // Stratosphere: warming that starts flat at the tropopause, is fastest in the first few
    // tens of kilometres and levels off towards the stratopause.
    const auto rise = [](double dz) {
      const double x = dz / kTitanStratosphereScale;
      return 1.0 - (1.0 + x) * std::exp(-x);
    };
    return tp.temperature +
           (sp.temperature - tp.temperature) * rise(z - tp.height) / rise(sp.height - tp.height);
  }
  if (z <= mp.height) {
    // Mesosphere: cooling from the stratopause to the mesopause.
    return sp.temperature + (mp.temperature - sp.temperature) *
                                CosineStep((z - sp.height) / (mp.height - sp.height));
  }
  if (z <= th.height) {
    // The inversion layers just above the mesopause.
    return mp.temperature + (th.temperature - mp.temperature) *
                                CosineStep((z - mp.height) / (th.height - mp.height));
  }
  return th.temperature;
}

GasColumn TitanColumn() {
  const AtmConstants c = TitanConstants();
  return {TitanTemperature, c.gasConstant, {c.g0, c.radius}, kTitanSurfacePressure};
}

AtmFile EarthUs1976() {
  AtmFile file;
  file.keyword = "EARTH";
  file.title = "U.S. Standard Atmosphere 1976";
  file.source = "Written by tools/gen-atmosphere from the defining equations of the standard";
  file.description = "U.S. Standard Atmosphere 1976, 0 to 150 km, no wind";
  // 250 m spacing through the dense air, 500 m above 100 km.
  for (double z : BandedHeights({{100000.0, 250.0}, {150000.0, 500.0}})) {
    const AirState air = verify::Ussa1976(z);
    file.points.push_back({z, air.density, air.temperature, 0.0, 0.0});
  }
  file.constants = EarthConstants();
  return file;
}

AtmFile EarthUs1976Wind() {
  AtmFile file = EarthUs1976();
  file.title = "U.S. Standard Atmosphere 1976 with a mid-latitude westerly jet";
  file.description = "U.S. Standard Atmosphere 1976, 0 to 150 km, westerly jet of 30 m/s at 12 km";
  for (AtmPoint& p : file.points) p.windWE = EarthJetWind(p.height);
  return file;
}

AtmFile MarsMean() {
  // 250 m through the lower atmosphere (the density falls by a factor of e in 8 to 11 km), 500 m
  // above 100 km. The rows are the fitted model itself, not a hydrostatic integration.
  AtmFile file;
  for (double z : BandedHeights({{100000.0, 250.0}, {170000.0, 500.0}})) {
    file.points.push_back({z, MarsDensity(z), MarsTemperature(z), 0.0, 0.0});
  }
  file.keyword = "MARS";
  file.title = "Mars-GRAM fit, latitudes -30 to +30 degrees";
  file.source = "Written by tools/gen-atmosphere: polynomial and exponential fits to Mars-GRAM";
  file.description = "Mars, fit to Mars-GRAM for latitudes -30 to +30, 0 to 170 km, no wind";
  file.constants = MarsConstants();
  return file;
}

AtmFile TitanHuygens() {
  // Fine through the troposphere, coarser where the scale height grows to tens of kilometres.
  AtmFile file = TableFromColumn(
      TitanColumn(), BandedHeights({{100000.0, 500.0}, {400000.0, 2000.0}, {1300000.0, 4000.0}}));
  file.keyword = "TITAN";
  file.title = "Huygens surface values, modelled layers above";
  file.source =
      "Written by tools/gen-atmosphere: measured surface, assumed temperatures, hydrostatic N2-CH4";
  file.description =
      "Titan after the Huygens descent, 0 to 1300 km, 93.65 K and 1467 hPa at the surface";
  file.constants = TitanConstants();
  return file;
}

}  // namespace plumora::tools
