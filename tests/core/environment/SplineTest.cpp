#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "core/common/Constants.h"
#include "core/environment/Spline.h"

namespace plumora {
namespace {

struct Table {
  std::vector<double> x, y, y2;
  Table(std::vector<double> xs, double (*f)(double)) : x(std::move(xs)), y2(x.size()) {
    for (double v : x) y.push_back(f(v));
  }
  int n() const { return static_cast<int>(x.size()); }
  double At(double v) const { return SplineEvaluate(x.data(), y.data(), y2.data(), n(), v); }
};

double Cube(double v) {
  return v * v * v - 2.0 * v;
}
double Wave(double v) {
  return std::sin(v);
}

TEST(Spline, PassesThroughEveryKnotExactly) {
  Table t({0.0, 0.3, 1.1, 1.7, 2.9, 4.0}, Wave);
  SplineSecondDerivatives(t.x.data(), t.y.data(), t.n(), 0.0, 0.0, t.y2.data());
  for (int i = 0; i < t.n(); ++i) EXPECT_EQ(t.At(t.x[i]), t.y[i]) << i;
}

TEST(Spline, ClampedWithTrueEndSlopesReproducesACubic) {
  // A clamped cubic spline is exact for a cubic polynomial given its true end slopes.
  Table t({-1.0, -0.2, 0.5, 1.0, 2.5}, Cube);
  SplineSecondDerivatives(t.x.data(), t.y.data(), t.n(), 3.0 * 1.0 - 2.0, 3.0 * 6.25 - 2.0,
                          t.y2.data());
  for (double v = -1.0; v <= 2.5; v += 0.05) EXPECT_NEAR(t.At(v), Cube(v), 1e-12) << v;
}

TEST(Spline, NaturalEndsHaveNoCurvature) {
  Table t({0.0, 1.0, 2.0, 3.0}, Cube);
  const double natural = 2.0 * kNaturalSplineSlope;
  SplineSecondDerivatives(t.x.data(), t.y.data(), t.n(), natural, natural, t.y2.data());
  EXPECT_EQ(t.y2.front(), 0.0);
  EXPECT_EQ(t.y2.back(), 0.0);
  // One natural end and one clamped end: only the natural one is flat in curvature.
  SplineSecondDerivatives(t.x.data(), t.y.data(), t.n(), natural, 0.0, t.y2.data());
  EXPECT_EQ(t.y2.front(), 0.0);
  EXPECT_NE(t.y2.back(), 0.0);
  // The clamped end's slope is the one asked for.
  const double h = 1e-6;
  EXPECT_NEAR((t.At(3.0) - t.At(3.0 - h)) / h, 0.0, 1e-4);
}

TEST(Spline, OneOrTwoPointsStayFinite) {
  Table one({5.0}, Wave);
  SplineSecondDerivatives(one.x.data(), one.y.data(), 1, 0.0, 0.0, one.y2.data());
  EXPECT_EQ(one.At(5.0), std::sin(5.0));
  Table two({0.0, 1.0}, Wave);
  SplineSecondDerivatives(two.x.data(), two.y.data(), 2, 0.0, 0.0, two.y2.data());
  EXPECT_TRUE(std::isfinite(two.At(0.5)));
  EXPECT_EQ(two.At(1.0), std::sin(1.0));
}

// Starting from the last interval must find exactly what the bisection finds, wherever the hint
// points (stale, next door, far away, out of range) and wherever the value lies (on a knot, beyond
// either end, not a number), or a run would depend on the order of its queries.
TEST(Spline, AHintedSearchFindsWhatTheBisectionFinds) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> spacing(0.1, 5.0);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int n : {1, 2, 3, 5, 40}) {
    std::vector<double> x{-10.0};
    for (int i = 1; i < n; ++i) x.push_back(x.back() + spacing(random));
    std::vector<double> values{-1e9, 1e9, nan, x.front() - 0.5, x.back() + 0.5};
    for (double knot : x) {
      values.push_back(knot);
      values.push_back(std::nextafter(knot, -1e300));
      values.push_back(knot + 0.25);
    }
    for (double v : values) {
      const SplineInterval expected = FindSplineInterval(x.data(), n, v);
      for (int start : {-3, -1, 0, 1, n / 2, n - 2, n - 1, n, n + 5}) {
        int hint = start;
        const SplineInterval in = FindSplineInterval(x.data(), n, v, hint);
        const auto what = [&] { return ::testing::Message() << n << " " << v << " " << start; };
        EXPECT_EQ(in.lo, expected.lo) << what();
        EXPECT_EQ(in.hi, expected.hi) << what();
        EXPECT_EQ(std::isnan(in.a) ? 0 : in.a, std::isnan(expected.a) ? 0 : expected.a) << what();
        EXPECT_EQ(std::isnan(in.b) ? 0 : in.b, std::isnan(expected.b) ? 0 : expected.b) << what();
        EXPECT_EQ(hint, in.lo) << what();
      }
    }
  }
}

}  // namespace
}  // namespace plumora
