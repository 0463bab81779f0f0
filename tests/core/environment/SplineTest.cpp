#include <gtest/gtest.h>

#include <cmath>
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

}  // namespace
}  // namespace plumora
