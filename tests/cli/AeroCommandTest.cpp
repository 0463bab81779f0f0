#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "cli/Cli.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

using test::Cli;
using test::TempDir;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Mach 1 and 2, angles 0, 10 and 20 degrees, Cx a bump 0, 1, 0 on the first row.
test::AdfText Bump() {
  test::AdfText adf;
  adf.mach = {1.0, 2.0};
  adf.angles = {0.0, 10.0, 20.0};
  adf.rows = {{{0, -1, 0.5}, {1, -2, 1}, {0, -4, 2}}, {{3, -3, 1.5}, {5, -5, 2.5}, {9, -9, 4.5}}};
  return adf;
}

TEST(AeroCommand, PrintsEveryCombinationMachFirst) {
  TempDir dir;
  test::WriteFile(dir / "adf" / "ld600.adf", Bump().Text());
  // Run from the folder itself: the base folder and the file default.
  const auto r = Cli({"aero", "--mach", "1,2", "--alpha", "0,10,-10"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 7u) << r.out;
  EXPECT_EQ(lines[0], "mach,alpha,cx,cy,cz,cl,cm,cn");
  EXPECT_EQ(lines[1], "1,0,0,0,-1,0,0.5,0");
  EXPECT_EQ(lines[2], "1,10,1,0,-2,0,1,0");
  EXPECT_EQ(lines[3], "1,-10,-1,0,0,0,0,0");  // below the table: the first interval goes on
  EXPECT_EQ(lines[5], "2,10,5,0,-5,0,2.5,0");
}

TEST(AeroCommand, SplineAlongTheAngleOnRequest) {
  TempDir dir;
  test::WriteFile(dir / "adf" / "bump.adf", Bump().Text());
  const std::string base = dir.path().string();
  const auto linear =
      Cli({"aero", "--base", base, "--file", "bump.adf", "--mach", "1", "--alpha", "2.5"});
  const auto spline = Cli(
      {"aero", "--base", base, "--file", "bump.adf", "--spline", "--mach", "1", "--alpha", "2.5"});
  ASSERT_EQ(linear.status, 0) << linear.err;
  ASSERT_EQ(spline.status, 0) << spline.err;
  const auto cx = [](const std::string& out) {
    const std::string row = Lines(out).at(1);
    return std::strtod(row.c_str() + row.find(',', row.find(',') + 1) + 1, nullptr);
  };
  EXPECT_NEAR(cx(linear.out), 0.25, 1e-15);
  EXPECT_NEAR(cx(spline.out), 0.15625, 1e-12);  // 3s² − 2s³ at s = 1/4
}

TEST(AeroCommand, FailuresAndBadUsage) {
  TempDir dir;
  const std::string base = dir.path().string();
  const auto missing = Cli({"aero", "--base", base, "--mach", "1", "--alpha", "0"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "error: The  aerodynamic data file was not opened\n");
  EXPECT_EQ(missing.out, "");

  test::WriteFile(dir / "adf" / "ld600.adf", Bump().Text());
  EXPECT_EQ(Cli({"aero", "--base", base, "--alpha", "0"}).status, 2);
  EXPECT_EQ(Cli({"aero", "--base", base, "--mach", "1"}).status, 2);
  EXPECT_EQ(Cli({"aero", "--base", base, "--mach", "fast", "--alpha", "0"}).status, 2);
}

}  // namespace
}  // namespace plumora
