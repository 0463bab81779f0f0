#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "CapsuleAero.h"
#include "DefaultAero.h"

namespace plumora::tools {
namespace {

constexpr double kPi = std::numbers::pi;

// The ring integrals by brute force: midpoint rule over the azimuth.
RingIntegrals RingByQuadrature(double a, double b) {
  constexpr int n = 200000;
  const double dpsi = 2.0 * kPi / n;
  RingIntegrals sum{};
  for (int k = 0; k < n; ++k) {
    const double psi = -kPi + (k + 0.5) * dpsi;
    const double cosDelta = a + b * std::cos(psi);
    if (cosDelta <= 0) continue;
    sum.cos2 += cosDelta * cosDelta * dpsi;
    sum.cos2CosPsi += cosDelta * cosDelta * std::cos(psi) * dpsi;
  }
  return sum;
}

TEST(CapsuleAero, RingIntegralsMatchQuadratureInEveryRegime) {
  // Fully windward, fully leeward, partly each (both signs of a), and on the borders.
  for (const auto& [a, b] : std::vector<std::pair<double, double>>{
           {0.9, 0.3}, {-0.5, 0.2}, {0.2, 0.7}, {-0.3, 0.8}, {0.0, 1.0}, {0.4, 0.4}, {-0.4, 0.4}}) {
    const RingIntegrals exact = IntegrateRing(a, b);
    const RingIntegrals numeric = RingByQuadrature(a, b);
    EXPECT_NEAR(exact.cos2, numeric.cos2, 1e-6) << a << " " << b;
    EXPECT_NEAR(exact.cos2CosPsi, numeric.cos2CosPsi, 1e-6) << a << " " << b;
  }
  // Around the axis of the flow (b = 0) nothing acts sideways, exactly.
  EXPECT_EQ(IntegrateRing(0.7, 0.0).cos2CosPsi, 0.0);
}

TEST(CapsuleAero, SphereFeelsNewtonianDragThroughItsCentre) {
  // A sphere of radius R: the Newtonian pressure gives a force of π R²/2 per unit stagnation
  // pressure against the flow, through the centre, whatever the angle of attack.
  const double radius = 1.3;
  const std::vector<ProfileSegment> sphere{{true, -radius, 0.0, radius, 0.0, kPi, 0.0}};
  const AeroReference ref{kPi * radius * radius, 2.0};
  for (double alphaDeg : {0.0, 20.0, 55.0, 90.0}) {
    const double alpha = alphaDeg * kPi / 180.0;
    // Centre of gravity at the centre: no moment.
    const AxisCoefficients centred = IntegrateNewtonianPressure(sphere, -radius, ref, alpha);
    EXPECT_NEAR(centred.cx, -0.5 * std::cos(alpha), 1e-6) << alphaDeg;
    EXPECT_NEAR(centred.cz, -0.5 * std::sin(alpha), 1e-6) << alphaDeg;
    EXPECT_NEAR(centred.cm, 0.0, 1e-9) << alphaDeg;
    // Centre of gravity at the nose: the force acts one radius behind it and restores.
    const AxisCoefficients nose = IntegrateNewtonianPressure(sphere, 0.0, ref, alpha);
    EXPECT_NEAR(nose.cm, -radius * nose.cz / ref.length, 1e-6) << alphaDeg;
    if (alphaDeg > 0) {
      EXPECT_GT(nose.cm, 0.0);
    }
  }
}

TEST(CapsuleAero, StagnationAndBasePressureCorrelations) {
  const double g = kStagnationGamma;
  EXPECT_EQ(StagnationPressureCoefficient(0.0, g), 1.0);
  // 1 + M²/4 + (2 - γ)/24·M⁴ + …
  EXPECT_NEAR(StagnationPressureCoefficient(0.1, g), 1.0 + 0.01 / 4 + (2 - g) / 24 * 1e-4, 1e-9);
  // Continuous through Mach 1, where the normal shock vanishes.
  EXPECT_NEAR(StagnationPressureCoefficient(1.0 - 1e-7, g),
              StagnationPressureCoefficient(1.0 + 1e-7, g), 1e-6);
  // Rayleigh pitot at Mach 2: p02/p1 = 5.6404.
  EXPECT_NEAR(StagnationPressureCoefficient(2.0, g), 2.0 / (g * 4) * (5.6404 - 1), 1e-4);
  // Newtonian limit: 1.839 for γ = 1.4.
  EXPECT_NEAR(StagnationPressureCoefficient(1e4, g), 1.8394, 1e-4);
  EXPECT_NEAR(BasePressureCoefficient(1.0 - 1e-9), BasePressureCoefficient(1.0), 1e-8);
}

class DefaultTable : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { table_ = new AdfFile(Ld600()); }
  static void TearDownTestSuite() { delete table_; }
  static const AdfFile& table() { return *table_; }
  // Rows from Mach 0 to beyond 20, angles 0 to 90°, within the reader's 15 × 100.
  static const AxisCoefficients& At(std::size_t mach, std::size_t angle) {
    return table_->coefficients[mach][angle];
  }
  static inline AdfFile* table_ = nullptr;
};

TEST_F(DefaultTable, SignsOfAStableCapsuleFlyingHeatShieldFirst) {
  for (std::size_t i = 0; i < table().mach.size(); ++i) {
    SCOPED_TRACE(table().mach[i]);
    // Axisymmetric flow at zero incidence: no normal force, no moment, exactly.
    EXPECT_EQ(At(i, 0).cz, 0.0);
    EXPECT_EQ(At(i, 0).cm, 0.0);
    EXPECT_FALSE(std::signbit(At(i, 0).cz) || std::signbit(At(i, 0).cm));  // prints as 0
    for (std::size_t j = 1; j < table().angles.size(); ++j) {
      const double alpha = table().angles[j];
      const AxisCoefficients& c = At(i, j);
      EXPECT_LT(c.cz, 0.0) << alpha;  // the normal force opposes the sideways motion
      EXPECT_GT(c.cm, 0.0) << alpha;  // restoring at every angle: one trim point, at α = 0
      // Drag along the axis until the backshell turns into the wind near broadside.
      if (alpha <= 70.0) {
        EXPECT_LT(c.cx, 0.0) << alpha;
      }
    }
  }
}

TEST_F(DefaultTable, MagnitudesOfABluntSphereCone) {
  const std::size_t hypersonic = table().mach.size() - 1;
  // Hypersonic drag of a 70° sphere-cone at α = 0: about 1.6.
  EXPECT_LT(At(hypersonic, 0).cx, -1.5);
  EXPECT_GT(At(hypersonic, 0).cx, -1.7);
  // Subsonic drag about 1, rising through the transonic range.
  EXPECT_NEAR(At(0, 0).cx, -1.0, 0.1);
  double previous = 0.0;
  for (std::size_t i = 0; i < table().mach.size() && table().mach[i] <= 3.0; ++i) {
    EXPECT_LT(At(i, 0).cx, previous) << table().mach[i];
    previous = At(i, 0).cx;
  }
  // Lift against the angle of attack with L/D near 0.18 at 11°, as such capsules fly.
  const double alpha = 11.0 * kPi / 180.0;
  const AxisCoefficients& c = At(hypersonic, 11);
  const double lift = -c.cz * std::cos(alpha) + c.cx * std::sin(alpha);
  const double drag = -c.cx * std::cos(alpha) - c.cz * std::sin(alpha);
  EXPECT_LT(lift, 0.0);
  EXPECT_NEAR(-lift / drag, 0.18, 0.04);
}

TEST_F(DefaultTable, ContinuousInAngleAndMach) {
  for (std::size_t i = 0; i < table().mach.size(); ++i) {
    for (std::size_t j = 1; j < table().angles.size(); ++j) {
      const AxisCoefficients& a = At(i, j - 1);
      const AxisCoefficients& b = At(i, j);
      ASSERT_LT(std::fabs(b.cx - a.cx), 0.03) << i << " " << j;
      ASSERT_LT(std::fabs(b.cz - a.cz), 0.01) << i << " " << j;
      ASSERT_LT(std::fabs(b.cm - a.cm), 0.005) << i << " " << j;
      if (i == 0) continue;
      const AxisCoefficients& lower = At(i - 1, j);
      ASSERT_LT(std::fabs(b.cx - lower.cx), 0.15) << i << " " << j;
      ASSERT_LT(std::fabs(b.cz - lower.cz), 0.05) << i << " " << j;
      ASSERT_LT(std::fabs(b.cm - lower.cm), 0.02) << i << " " << j;
    }
  }
}

}  // namespace
}  // namespace plumora::tools
