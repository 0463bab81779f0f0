#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "PlanetAtmospheres.h"
#include "core/common/Constants.h"

namespace plumora::tools {
namespace {

AirState SurfaceOf(const GasColumn& column) {
  return HydrostaticProfile(column, {0.0}).front();
}

// Every bundled table: heights from the ground up, within the reader's capacity, with densities
// falling monotonically and in hydrostatic balance with the table's own constants. The balance
// is checked from the rows alone (trapezoids between neighbouring rows), independently of the
// generator's integration.
void ExpectSoundTable(const AtmFile& file, double topAtLeast) {
  SCOPED_TRACE(file.keyword + " " + file.title);
  const auto& points = file.points;
  ASSERT_GE(points.size(), 2u);
  ASSERT_LE(points.size(), static_cast<std::size_t>(kMaxAtmospherePoints));
  EXPECT_EQ(points.front().height, 0.0);
  EXPECT_GE(points.back().height, topAtLeast);
  const AtmConstants& c = file.constants;
  const InverseSquareGravity gravity{c.g0, c.radius};
  // The Earth table's molar mass falls above 80 km; check its balance below. The Mars table is a
  // fit to another model's densities, balanced only as well as that fit.
  const double balancedTop = file.keyword == "EARTH"  ? 80000.0
                             : file.keyword == "MARS" ? 0.0
                                                      : points.back().height;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const AtmPoint& a = points[i - 1];
    const AtmPoint& b = points[i];
    ASSERT_GT(b.height, a.height);
    ASSERT_LT(b.density, a.density) << b.height;
    ASSERT_GT(b.density, 0.0);
    if (b.height > balancedTop) continue;
    const double lnPressureDrop = std::log(b.density * b.temperature / (a.density * a.temperature));
    const double weight = -0.5 * (b.height - a.height) *
                          (gravity.At(a.height) / (c.gasConstant * a.temperature) +
                           gravity.At(b.height) / (c.gasConstant * b.temperature));
    ASSERT_NEAR(lnPressureDrop / weight, 1.0, 2e-3) << b.height;
  }
}

TEST(BundledTables, AreSoundAndCoverTheirPlanetsEntries) {
  ExpectSoundTable(EarthUs1976(), 120000.0);
  ExpectSoundTable(EarthUs1976Wind(), 120000.0);
  ExpectSoundTable(MarsMean(), 170000.0);
  ExpectSoundTable(TitanHuygens(), 1200000.0);
}

TEST(EarthWind, SameAirAsTheStandardWithAWesterlyJet) {
  const AtmFile calm = EarthUs1976();
  const AtmFile windy = EarthUs1976Wind();
  ASSERT_EQ(windy.points.size(), calm.points.size());
  for (std::size_t i = 0; i < calm.points.size(); ++i) {
    const AtmPoint& p = windy.points[i];
    ASSERT_EQ(p.density, calm.points[i].density);
    ASSERT_EQ(p.temperature, calm.points[i].temperature);
    EXPECT_EQ(p.windSN, 0.0);
  }
  // Calm at the ground and above the stratosphere.
  EXPECT_LT(EarthJetWind(0.0), 1.0);
  EXPECT_EQ(EarthJetWind(40000.0), 0.0);
}

// Where the published fits change, the table passes from one to the other without a step.
TEST(MarsAtmosphere, NoStepWhereTheFitsChange) {
  for (double z = 10000.0; z <= 80000.0; z += 10.0) {
    EXPECT_LT(std::fabs(std::log(MarsPressure(z + 10.0) / MarsPressure(z))), 2e-3) << z;
    EXPECT_LT(std::fabs(MarsTemperature(z + 10.0) - MarsTemperature(z)), 0.03) << z;
  }
  EXPECT_NEAR(MarsPressure(0.0), 575.497, 1e-9);
  EXPECT_NEAR(MarsDensity(0.0), 0.0137, 1e-4);
}

TEST(TitanAtmosphere, SurfaceAndTropopauseOfTheHuygensProfile) {
  const AirState surface = SurfaceOf(TitanColumn());
  EXPECT_DOUBLE_EQ(surface.temperature, 93.65);
  EXPECT_DOUBLE_EQ(surface.pressure, 146700.0);
  EXPECT_NEAR(surface.density, 5.25, 0.05);  // some four times the air at sea level
  // The coldest point of the table is the tropopause, between 40 and 45 km, near 70 K.
  const AtmFile table = TitanHuygens();
  const auto coldest = std::min_element(
      table.points.begin(), table.points.end(),
      [](const AtmPoint& a, const AtmPoint& b) { return a.temperature < b.temperature; });
  EXPECT_GE(coldest->height, 40000.0);
  EXPECT_LE(coldest->height, 45000.0);
  EXPECT_NEAR(coldest->temperature, 70.43, 0.01);
  // The warm stratosphere peaks at the stratopause.
  const auto warmest = std::max_element(
      table.points.begin(), table.points.end(),
      [](const AtmPoint& a, const AtmPoint& b) { return a.temperature < b.temperature; });
  EXPECT_EQ(warmest->height, 250000.0);
  EXPECT_EQ(warmest->temperature, 186.0);
}

TEST(TitanAtmosphere, TemperatureIsContinuousThroughEveryLayer) {
  for (const TemperaturePoint& p :
       {kTitanSurface, kTitanTropopause, kTitanStratopause, kTitanMesopause, kTitanThermosphere}) {
    EXPECT_NEAR(TitanTemperature(p.height), p.temperature, 1e-9) << p.height;
    if (p.height > 0.0) {
      EXPECT_NEAR(TitanTemperature(p.height - 1.0), p.temperature, 0.01) << p.height;
    }
    EXPECT_NEAR(TitanTemperature(p.height + 1.0), p.temperature, 0.01) << p.height;
  }
  // Lapse rates stay physical: at most the dry adiabat of nitrogen (g/cp, 1.3 K/km) falling,
  // a few kelvin per kilometre rising.
  for (double z = 0.0; z < 1300000.0; z += 100.0) {
    const double lapse = (TitanTemperature(z + 100.0) - TitanTemperature(z)) / 100.0;
    ASSERT_GT(lapse, -1.3e-3) << z;
    ASSERT_LT(lapse, 5e-3) << z;
  }
  EXPECT_EQ(TitanTemperature(1300000.0), 170.0);
}

TEST(PlanetConstants, DerivedFromThePublishedFigures) {
  // g0 = GM/R², so that the simulator's R²·g0 is the published GM.
  const AtmConstants mars = MarsConstants();
  const AtmConstants titan = TitanConstants();
  EXPECT_NEAR(mars.radius * mars.radius * mars.g0, 4.2828e13, 1e4);
  EXPECT_NEAR(titan.radius * titan.radius * titan.g0, 8978.14e9, 1e4);
  // The Martian air of mean molar mass 43.34 g/mol; nitrogen with 1.41 % methane, vibrations
  // frozen.
  EXPECT_NEAR(mars.gasConstant, 191.84, 0.01);
  EXPECT_NEAR(mars.gamma, 1.30, 1e-12);
  EXPECT_NEAR(titan.gasConstant, 298.60, 0.01);
  EXPECT_NEAR(titan.gamma, 1.3989, 1e-4);
}

}  // namespace
}  // namespace plumora::tools
