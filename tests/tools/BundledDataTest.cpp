// The default aerodynamic file under data/, read by the simulator's own reader.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>

#include "DefaultAero.h"
#include "core/common/Constants.h"
#include "core/environment/Aerodynamics.h"
#include "support/TestFiles.h"

namespace plumora::tools {
namespace {

TEST(BundledAeroFile, LoadsAsTheTableTheGeneratorComputed) {
  const std::filesystem::path path = AeroFilePath(test::DataFolder(), "");
  std::istringstream lines(test::ReadFile(path));
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LT(line.size(), static_cast<std::size_t>(kLineReadLimit)) << line;
  }
  auto db = std::make_unique<AeroDatabase>();
  const Result<> read = ReadAeroFile(path, "", *db);
  ASSERT_TRUE(read.ok()) << read.message();
  const AdfFile expected = Ld600();
  ASSERT_EQ(db->machCount, static_cast<int>(expected.mach.size()));
  ASSERT_EQ(db->angleCount, static_cast<int>(expected.angles.size()));
  EXPECT_EQ(db->symmetryCode, 0);
  EXPECT_EQ(db->axisymmetric, 1);
  for (int j = 0; j < db->angleCount; ++j) {
    EXPECT_NEAR(db->angle[j], expected.angles[j] * kDegToRad, 1e-15);
  }
  for (int i = 0; i < db->machCount; ++i) {
    EXPECT_EQ(db->mach[i], static_cast<float>(expected.mach[i]));
    for (int j = 0; j < db->angleCount; ++j) {
      // Six significant digits, read in single precision.
      const AxisCoefficients& c = expected.coefficients[i][j];
      ASSERT_NEAR(db->coefficient[kCx][i][j], c.cx, 1e-5 * std::fabs(c.cx)) << i << " " << j;
      ASSERT_NEAR(db->coefficient[kCz][i][j], c.cz, 1e-5 * std::fabs(c.cz)) << i << " " << j;
      ASSERT_NEAR(db->coefficient[kCm][i][j], c.cm, 1e-5 * std::fabs(c.cm)) << i << " " << j;
    }
  }
}

}  // namespace
}  // namespace plumora::tools
