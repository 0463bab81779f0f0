// How large the scenes draw things, in numbers: the streaks' length.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/common/Constants.h"
#include "gl/SceneFraming.h"

namespace plumora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(SceneFraming, StreaksAreAsLongAsTheAirIsFastWithinBounds) {
  // A share of the view's height at the distance the streaks are drawn: 2 d tan 7.5°.
  const double height28 = 2.0 * 28.0 * std::tan(7.5 * kDegToRad);
  EXPECT_NEAR(StreakLength(7.0, 28.0), 0.0105 * height28, 1e-12);   // under a main canopy
  EXPECT_NEAR(StreakLength(50.0, 28.0), 0.075 * height28, 1e-12);   // under a drogue
  EXPECT_NEAR(StreakLength(80.0, 28.0), 0.12 * height28, 1e-12);    // the cap is reached
  EXPECT_NEAR(StreakLength(7600.0, 28.0), 0.12 * height28, 1e-12);  // entry
  EXPECT_NEAR(StreakLength(1.0, 28.0), 0.01 * height28, 1e-12);     // still seen
  EXPECT_NEAR(StreakLength(kNaN, 28.0), 0.01 * height28, 1e-12);
  // The system scene is drawn from 210 units: the same share of its view.
  EXPECT_NEAR(StreakLength(50.0, 210.0) / StreakLength(50.0, 28.0), 7.5, 1e-12);
}

}  // namespace
}  // namespace plumora
