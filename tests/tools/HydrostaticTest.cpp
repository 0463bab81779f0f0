#include <gtest/gtest.h>

#include <cmath>

#include "Hydrostatic.h"

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

}  // namespace
}  // namespace plumora::tools
