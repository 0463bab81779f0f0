#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "core/app/ResultsCsv.h"

namespace plumora {
namespace {

std::string Printf17g(double value) {
  char text[64];
  const int n = std::snprintf(text, sizeof text, "%.17g", value);
  return std::string(text, static_cast<std::size_t>(n));
}

std::string Appended(double value) {
  std::string text = "x";  // appends, never replaces
  AppendFullPrecision(text, value);
  return text.substr(1);
}

// Files written before keep comparing equal with files written now: the same characters as
// printf's "%.17g" for every kind of double.
TEST(ResultsCsv, NumbersAreWrittenExactlyAsPrintfWritesThem) {
  using Limits = std::numeric_limits<double>;
  const double special[] = {0.0,
                            -0.0,
                            1.0,
                            -1.0,
                            0.1,
                            1e16,
                            1e17,
                            123456789012345678.0,
                            1e-4,
                            9.9999999999999991e-5,
                            1e-5,
                            6378137.0,
                            -57.295779513082323,
                            Limits::max(),
                            Limits::lowest(),
                            Limits::min(),
                            Limits::denorm_min(),
                            -Limits::denorm_min(),
                            Limits::infinity(),
                            -Limits::infinity(),
                            Limits::quiet_NaN(),
                            -Limits::quiet_NaN()};
  for (double v : special) EXPECT_EQ(Appended(v), Printf17g(v)) << Printf17g(v);

  // Bit patterns from the whole range of exponents and signs.
  std::mt19937_64 random(20);
  for (int i = 0; i < 200000; ++i) {
    const double v = std::bit_cast<double>(random());
    ASSERT_EQ(Appended(v), Printf17g(v)) << i;
  }
  // Values of the size a trajectory holds, with all their digits.
  std::uniform_real_distribution<double> heights(-1e3, 2e5);
  for (int i = 0; i < 100000; ++i) {
    const double v = heights(random);
    ASSERT_EQ(Appended(v), Printf17g(v)) << i;
  }
}

}  // namespace
}  // namespace plumora
