// The bundled atmosphere tables of Earth, Mars and Titan: the planets' constants, the models of
// temperature and wind behind each table, and the tables themselves in the .atm layout.
// docs/data.md names the published source of every number.
#pragma once

#include <initializer_list>
#include <vector>

#include "AtmFileWriter.h"
#include "Hydrostatic.h"
#include "verify/MarsGramFit.h"

namespace plumora::tools {

using verify::kMolarGasConstant;

// Heights from 0 up in bands of even spacing: each band runs from the previous top (0 for the
// first) to its own top in steps of `step`.
struct HeightBand {
  double top;   // m
  double step;  // m, dividing the band exactly
};
std::vector<double> BandedHeights(std::initializer_list<HeightBand> bands);

AtmConstants EarthConstants();
AtmConstants MarsConstants();
AtmConstants TitanConstants();

// West-to-east wind of the Earth table with wind: an idealised mid-latitude westerly jet (m/s,
// rounded to 1 mm/s) at height z (m).
double EarthJetWind(double z);

// Mars: the model fitted to Mars-GRAM for latitudes −30° to +30° (valid from −5 to 170 km):
// temperature (K), pressure (Pa) and density (kg/m³) at height z (m). The published fits change
// at 15 km (pressure) and 75 km (temperature) with steps; the pressure passes from one fit to
// the other over 13 to 17 km, the temperature where its fits cross (73.86 km), so that the
// table has no step.
double MarsTemperature(double z);
double MarsPressure(double z);
double MarsDensity(double z);

// Titan: temperature (K) at height z (m), curves of our own through the points below, and the
// nitrogen-methane column it stands in.
double TitanTemperature(double z);
GasColumn TitanColumn();

// The points the Titan temperature passes through: the surface as the Huygens probe measured
// it, the layers above as the table assumes them.
struct TemperaturePoint {
  double height;       // m
  double temperature;  // K
};
inline constexpr TemperaturePoint kTitanSurface = {0.0, 93.65};
inline constexpr TemperaturePoint kTitanTropopause = {44000.0, 70.43};
inline constexpr TemperaturePoint kTitanStratopause = {250000.0, 186.0};
inline constexpr TemperaturePoint kTitanMesopause = {490000.0, 152.0};
inline constexpr TemperaturePoint kTitanThermosphere = {510000.0, 170.0};
inline constexpr double kTitanSurfacePressure = 146700.0;  // Pa

// The bundled tables.
AtmFile EarthUs1976();
AtmFile EarthUs1976Wind();
AtmFile MarsMean();
AtmFile TitanHuygens();

}  // namespace plumora::tools
