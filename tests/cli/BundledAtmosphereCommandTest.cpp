// plumora-cli atmosphere on the bundled tables: at the table's own heights it prints the file,
// value for value.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "cli/Cli.h"
#include "core/common/TextScanner.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

TEST(BundledAtmosphereCommand, PrintsEachTableAtItsKnots) {
  const std::string base = test::DataFolder().string();
  const struct {
    std::vector<std::string> args;
    const char* file;
  } cases[] = {{{"--planet", "earth"}, "earth_us1976.atm"},
               {{"--planet", "earth", "--index", "1", "--wind"}, "earth_us1976_wind.atm"},
               {{"--planet", "mars"}, "mars_mean.atm"},
               {{"--planet", "titan"}, "titan_huygens.atm"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    std::vector<std::string> args{"atmosphere", "--base", base};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = test::Cli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream printed(r.out);
    std::string line;
    std::getline(printed, line);  // heading

    // The file's rows, read as the simulator reads them.
    TextScanner file(test::ReadFile(test::DataFolder() / "atm" / c.file));
    for (int i = 0; i < 3; ++i) file.SkipLine();
    std::string label;
    long n = 0;
    ASSERT_TRUE(file.ReadToken(label) && file.ReadLong(n));
    for (int i = 0; i < 6; ++i) file.SkipLine();
    bool windy = false;
    for (long i = 0; i < n; ++i) {
      double f[5], p[5];
      ASSERT_TRUE(file.ReadToken(label) && file.ReadFloat(f[0]) && file.ReadFloat(f[1]) &&
                  file.ReadFloat(f[2]) && file.ReadFloat(f[3]) && file.ReadFloat(f[4]));
      ASSERT_TRUE(std::getline(printed, line)) << i;
      ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf,%lf", &p[0], &p[1], &p[2], &p[3], &p[4]),
                5);
      ASSERT_EQ(p[0], f[0]) << i;                 // height
      ASSERT_NEAR(p[1] / f[1], 1.0, 1e-14) << i;  // density, through exp(ln ρ)
      ASSERT_EQ(p[2], f[2]) << i;                 // temperature
      for (int k : {3, 4}) {                      // winds, calm below 1 mm/s
        ASSERT_EQ(p[k], std::fabs(f[k]) < 0.001 ? 0.0 : f[k]) << i;
      }
      windy = windy || p[3] != 0.0;
    }
    EXPECT_FALSE(std::getline(printed, line));
    EXPECT_EQ(windy, std::string(c.file) == "earth_us1976_wind.atm");
  }
}

}  // namespace
}  // namespace plumora
