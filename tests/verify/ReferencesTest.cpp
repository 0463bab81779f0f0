// The references the engine is held against, checked on their own: published values and
// hand-computed points.
#include <gtest/gtest.h>

#include <cmath>

#include "verify/MarsGramFit.h"
#include "verify/Ussa1976.h"

namespace plumora::verify {
namespace {

// Values printed in the tables of the U.S. Standard Atmosphere 1976.
TEST(Ussa1976, ReproducesTheStandardsTables) {
  EXPECT_NEAR(GeometricHeight(11000.0), 11019.1, 0.05);
  const AirState sea = Ussa1976(0.0);
  EXPECT_NEAR(sea.density, 1.2250, 1e-4);
  EXPECT_NEAR(sea.pressure, 101325.0, 1e-6);
  EXPECT_EQ(sea.temperature, 288.15);
  const AirState tropopause = Ussa1976(GeometricHeight(11000.0));
  EXPECT_NEAR(tropopause.pressure, 22632.06, 0.05);
  EXPECT_NEAR(tropopause.temperature, 216.65, 1e-9);
  EXPECT_NEAR(Ussa1976(GeometricHeight(32000.0)).pressure, 868.0187, 0.005);
  EXPECT_NEAR(Ussa1976(GeometricHeight(51000.0)).pressure, 66.93887, 0.001);
  EXPECT_NEAR(Ussa1976(20000.0).density, 8.8910e-2, 1e-6);
  const AirState top86 = Ussa1976(86000.0);
  EXPECT_NEAR(top86.temperature, 186.87, 0.01);
  EXPECT_NEAR(top86.pressure, 0.37338, 2e-5);
  // Above 86 km the standard integrates species by species; one mean molar mass keeps within
  // a percent.
  const AirState km100 = Ussa1976(100000.0);
  EXPECT_NEAR(km100.temperature, 195.08, 0.01);
  EXPECT_NEAR(km100.pressure / 3.2011e-2, 1.0, 0.01);
  EXPECT_NEAR(km100.density / 5.604e-7, 1.0, 0.01);
  const AirState km150 = Ussa1976(150000.0);
  EXPECT_NEAR(km150.temperature, 634.39, 0.01);
  EXPECT_NEAR(km150.density / 2.076e-9, 1.0, 0.01);
}

TEST(MarsGramFit, SurfaceAndTheSwitchToTheUpperFits) {
  // 575.497 Pa / (8.314462618 / 0.04334 J/(kg·K) · 218.955 K)
  EXPECT_NEAR(MarsGramGasConstant(), 191.8427, 1e-4);
  EXPECT_NEAR(MarsGramDensity(0.0), 0.0137007051, 1e-10);
  EXPECT_EQ(MarsGramTemperature(0.0), 218.955);
  // Each fit holds on its own side of its switch; the published pressure fits differ by 6 % at
  // 15 km, the temperature fits by 5 K at 75 km.
  EXPECT_NEAR(MarsGramPressure(14999.0) / MarsGramPressure(15001.0), 1.06, 0.01);
  EXPECT_NEAR(MarsGramTemperature(74999.0) - MarsGramTemperature(75001.0), 5.0, 0.5);
}

}  // namespace
}  // namespace plumora::verify
