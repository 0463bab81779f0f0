// The default aerodynamic file under data/, read the way the simulator reads it.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "DefaultAero.h"
#include "core/common/Constants.h"
#include "core/common/TextScanner.h"
#include "support/TestFiles.h"

namespace plumora::tools {
namespace {

TEST(BundledAeroFile, FollowsTheLayoutLineByLine) {
  const std::string text = test::ReadFile(test::DataFolder() / "adf" / "ld600.adf");
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LT(line.size(), static_cast<std::size_t>(kLineReadLimit)) << line;
  }
  // 17 lines skipped, four counts, a heading, then the Mach rows.
  TextScanner in(text);
  for (int i = 0; i < 17; ++i) ASSERT_TRUE(in.SkipLine());
  long counts[4] = {-1, -1, -1, -1};  // Mach numbers, angles, symmetry code, reserved
  for (long& count : counts) ASSERT_TRUE(in.ReadLong(count) && in.SkipLine());
  in.SkipLine();
  EXPECT_EQ(counts[0], 15);
  EXPECT_EQ(counts[1], 91);
  EXPECT_EQ(counts[2], 0);
  EXPECT_EQ(counts[3], 0);
  const AdfFile expected = Ld600();
  ASSERT_EQ(static_cast<std::size_t>(counts[0]), expected.mach.size());
  ASSERT_EQ(static_cast<std::size_t>(counts[1]), expected.angles.size());
  for (std::size_t i = 0; i < expected.mach.size(); ++i) {
    double mach = 0.0;
    ASSERT_TRUE(in.ReadFloat(mach));
    EXPECT_EQ(in.Line(), 23 + static_cast<int>(i * (1 + expected.angles.size())));
    EXPECT_EQ(mach, static_cast<float>(expected.mach[i]));
    in.SkipLine();
    for (std::size_t j = 0; j < expected.angles.size(); ++j) {
      double angle = 0.0, cx = 0.0, cz = 0.0, cm = 0.0;
      ASSERT_TRUE(in.ReadFloat(angle) && in.ReadFloat(cx) && in.ReadFloat(cz) && in.ReadFloat(cm) &&
                  in.SkipLine())
          << "row " << i << " angle " << j;
      const AxisCoefficients& c = expected.coefficients[i][j];
      ASSERT_EQ(angle, expected.angles[j]);
      // Six significant digits.
      ASSERT_NEAR(cx, c.cx, 1e-5 * std::fabs(c.cx)) << i << " " << j;
      ASSERT_NEAR(cz, c.cz, 1e-5 * std::fabs(c.cz)) << i << " " << j;
      ASSERT_NEAR(cm, c.cm, 1e-5 * std::fabs(c.cm)) << i << " " << j;
    }
  }
  EXPECT_TRUE(in.AtEnd());
}

}  // namespace
}  // namespace plumora::tools
