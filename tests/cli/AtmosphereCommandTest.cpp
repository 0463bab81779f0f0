#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

using test::Cli;
using test::TempDir;

TEST(AtmosphereCommand, PrintsTheProfileAtTheGivenHeights) {
  TempDir dir;
  test::AtmText atm = test::SimpleAtmosphere(3);
  atm.rows[1].windWE = 4.5;
  test::WriteFile(dir / "atm" / "e.atm", atm.Text());
  // Run from the folder itself: the base folder defaults to the working folder.
  const auto r = Cli({"atmosphere", "--wind", "100", "-50", "1e6"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::string density = [] {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", static_cast<double>(1.225f));
    return std::string(text);
  }();
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "height,density,temperature,wind_we,wind_sn");
  EXPECT_NE(r.out.find("\n100,"), std::string::npos);
  EXPECT_NE(r.out.find(",4.5,0\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n-50," + density + ",288,0,0\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n1000000,0,"), std::string::npos) << r.out;
}

TEST(AtmosphereCommand, WithoutHeightsPrintsTheTableAndConstantsOnRequest) {
  TempDir dir;
  test::WriteFile(dir / "atm" / "m.atm", test::SimpleAtmosphere(4, "MARS").Text());
  const auto table = Cli({"atmosphere", "--base", dir.path().string(), "--planet", "mars"});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n'), 5);  // header and 4 knots
  const auto constants =
      Cli({"atmosphere", "--base", dir.path().string(), "--planet", "1", "--constants"});
  ASSERT_EQ(constants.status, 0) << constants.err;
  EXPECT_EQ(constants.out.substr(0, constants.out.find('\n')), "radius,g0,c1,c2,omega,gm");
  EXPECT_EQ(constants.out.find("6378137,9.8066501617431641,"), 25u) << constants.out;
}

TEST(AtmosphereCommand, FailuresAndBadUsage) {
  TempDir dir;
  const auto missing = Cli({"atmosphere", "--base", dir.path().string(), "0"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "error: atm folder not found in readatmosphere\n" +
                             (dir / "atm").string() + " does not exist\n");
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(Cli({"atmosphere", "--planet", "venus"}).status, 2);
  EXPECT_EQ(Cli({"atmosphere", "--index", "x"}).status, 2);
  EXPECT_EQ(Cli({"nonsense"}).status, 2);
  EXPECT_EQ(Cli({}).status, 2);
}

}  // namespace
}  // namespace plumora
