#include <gtest/gtest.h>

#include <cmath>

#include "Hydrostatic.h"
#include "Ussa1976.h"

namespace plumora::tools {
namespace {

TEST(Hydrostatic, IsothermalColumnUnderInverseSquareGravityMatchesTheClosedForm) {
  // ln p(z) = ln p0 - g0·R·z / ((R + z)·R_gas·T) for a column at one temperature; the heights
  // end Simpson's 10 m steps anywhere.
  const GasColumn column{[](double) { return 200.0; }, 190.0, {3.7, 3.4e6}, 600.0};
  const std::vector<double> heights{0.0, 5.0, 1234.5, 40000.0, 125000.0};
  const std::vector<AirState> states = HydrostaticProfile(column, heights);
  ASSERT_EQ(states.size(), heights.size());
  for (std::size_t i = 0; i < heights.size(); ++i) {
    const double z = heights[i];
    const double r = column.gravity.radius;
    const double lnP = std::log(600.0) - 3.7 * r * z / ((r + z) * 190.0 * 200.0);
    EXPECT_NEAR(std::log(states[i].pressure), lnP, 1e-11) << z;
    EXPECT_DOUBLE_EQ(states[i].density, states[i].pressure / (190.0 * 200.0));
    EXPECT_EQ(states[i].temperature, 200.0);
  }
}

// Values printed in the tables of the U.S. Standard Atmosphere 1976.
TEST(Ussa1976, ReproducesTheStandardsTables) {
  const auto geometric = [](double geopotential) {
    return 6356766.0 * geopotential / (6356766.0 - geopotential);
  };
  const AirState sea = Ussa1976(0.0);
  EXPECT_NEAR(sea.density, 1.2250, 1e-4);
  EXPECT_NEAR(sea.pressure, 101325.0, 1e-6);
  EXPECT_EQ(sea.temperature, 288.15);
  const AirState tropopause = Ussa1976(geometric(11000.0));
  EXPECT_NEAR(tropopause.pressure, 22632.06, 0.05);
  EXPECT_NEAR(tropopause.temperature, 216.65, 1e-9);
  EXPECT_NEAR(Ussa1976(geometric(32000.0)).pressure, 868.0187, 0.005);
  EXPECT_NEAR(Ussa1976(geometric(51000.0)).pressure, 66.93887, 0.001);
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

}  // namespace
}  // namespace plumora::tools
