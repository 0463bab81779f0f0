// The references `plumora-cli verify` holds the engine against, checked on their own: published
// values, hand-computed points and motions whose answer is known in closed form.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "verify/ClosedForms.h"
#include "verify/MarsGramFit.h"
#include "verify/PointMassEntry.h"
#include "verify/Ussa1976.h"

namespace plumora::verify {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

// Values printed in the tables of the U.S. Standard Atmosphere 1976.
TEST(Ussa1976, ReproducesTheStandardsTables) {
  EXPECT_NEAR(GeometricHeight(11000.0), 11019.1, 0.05);
  const AirState sea = Ussa1976(0.0);
  EXPECT_NEAR(sea.density, 1.2250, 1e-4);
  EXPECT_NEAR(sea.pressure, 101325.0, 1e-6);
  EXPECT_EQ(sea.temperature, 288.15);
  const AirState tropopause = Ussa1976(GeometricHeight(11000.0));
  EXPECT_NEAR(tropopause.pressure, 22632.06, 0.05);
  EXPECT_NEAR(tropopause.temperature, 216.65, 1e-9);
  EXPECT_NEAR(Ussa1976(GeometricHeight(32000.0)).pressure, 868.0187, 0.005);
  EXPECT_NEAR(Ussa1976(GeometricHeight(51000.0)).pressure, 66.93887, 0.001);
  EXPECT_NEAR(Ussa1976(20000.0).density, 8.8910e-2, 1e-6);
  const AirState top86 = Ussa1976(86000.0);
  EXPECT_NEAR(top86.temperature, 186.87, 0.01);
  EXPECT_NEAR(top86.pressure, 0.37338, 2e-5);
  // Above 86 km the standard integrates species by species; one mean molar mass keeps within
  // a percent.
  const AirState km100 = Ussa1976(100000.0);
  EXPECT_NEAR(km100.temperature, 195.08, 0.01);
  EXPECT_NEAR(km100.pressure / 3.2011e-2, 1.0, 0.01);
  EXPECT_NEAR(km100.density / 5.604e-7, 1.0, 0.01);
  const AirState km150 = Ussa1976(150000.0);
  EXPECT_NEAR(km150.temperature, 634.39, 0.01);
  EXPECT_NEAR(km150.density / 2.076e-9, 1.0, 0.01);
}

TEST(MarsGramFit, SurfaceAndTheSwitchToTheUpperFits) {
  // 575.497 Pa / (8.314462618 / 0.04334 J/(kg·K) · 218.955 K)
  EXPECT_NEAR(MarsGramGasConstant(), 191.8427, 1e-4);
  EXPECT_NEAR(MarsGramDensity(0.0), 0.0137007051, 1e-10);
  EXPECT_EQ(MarsGramTemperature(0.0), 218.955);
  // Each fit holds on its own side of its switch; the published pressure fits differ by 6 % at
  // 15 km, the temperature fits by 5 K at 75 km.
  EXPECT_NEAR(MarsGramPressure(14999.0) / MarsGramPressure(15001.0), 1.06, 0.01);
  EXPECT_NEAR(MarsGramTemperature(74999.0) - MarsGramTemperature(75001.0), 5.0, 0.5);
}

TEST(ClosedForms, AllenEggersPeakAtAHandComputedPoint) {
  // 7000² · sin 60° / (2e · 7000) = 42 435 244.785 / 38 055.946 = 1115.0753 m/s²
  EXPECT_NEAR(AllenEggersPeakDeceleration(7000.0, -60.0 * kDeg, 7000.0), 1115.0753, 1e-4);
  // 1000 kg/m² · sin 60° / 7000 m
  EXPECT_NEAR(AllenEggersPeakDensity(1000.0, -60.0 * kDeg, 7000.0), 0.123718, 1e-6);
}

// The closed form is the top of the deceleration ρ·V²/(2β) along the Allen-Eggers speed
// V = V_E·exp(−ρ·H / (2·β·sin|γ|)), wherever β puts it.
TEST(ClosedForms, AllenEggersPeakIsTheTopOfTheDecelerationCurve) {
  const double speed = 6000.0, angle = 35.0 * kDeg, scale = 8000.0;
  for (double beta : {50.0, 400.0, 3000.0}) {
    const auto deceleration = [&](double rho) {
      const double v = speed * std::exp(-rho * scale / (2.0 * beta * std::sin(angle)));
      return rho * v * v / (2.0 * beta);
    };
    double top = 0.0, where = 0.0;
    for (double rho = 1e-4; rho < 20.0; rho *= 1.001) {
      if (deceleration(rho) > top) top = deceleration(rho), where = rho;
    }
    EXPECT_NEAR(top / AllenEggersPeakDeceleration(speed, angle, scale), 1.0, 1e-6) << beta;
    EXPECT_NEAR(where / AllenEggersPeakDensity(beta, angle, scale), 1.0, 1e-3) << beta;
  }
}

TEST(ClosedForms, SteadyDescentAndTheWindsIntegral) {
  // √(2 · 110 kg · 9.80665 m/s² / (1.225 kg/m³ · 0.75 · 50 m²)) = √(2157.463 / 45.9375)
  EXPECT_NEAR(SteadyDescentRate(110.0, 9.80665, 1.225, 0.75, 50.0), 6.853115, 1e-6);
  // A wind of 2 m/s at the ground and 5 m/s at 3 km, straight between: 3000 m · 3.5 m/s over
  // 5 m/s of descent.
  EXPECT_NEAR(DriftInSteadyDescent([](double h) { return 2.0 + h / 1000.0; }, 3000.0, 5.0, 2),
              2100.0, 1e-9);
}

PointMassEntry Coasting(double omega, double speed, double heading) {
  return {{6.4e6, 0.0, omega},
          [](double) { return 0.0; },
          1000.0,
          {0.0, 0.0, 100000.0, speed, 0.0, heading},
          1000.0};
}

// A point at rest among the stars, without gravity or air, seen from the turning planet: it
// keeps its height and falls behind at the planet's rate, heading west at Ω·r. Only the
// Coriolis and centrifugal accelerations with the right signs hold it on that circle.
TEST(PointMassEntry, APointAtRestAmongTheStarsCirclesTheTurningPlanet) {
  const double omega = 7.292115e-5, r = 6.5e6;
  const PointMassFlight f = FlyPointMass(Coasting(omega, omega * r, -90.0 * kDeg), 10.0, 1e-6);
  ASSERT_TRUE(f.converged);
  EXPECT_NEAR(f.end.height, 100000.0, 1e-6);
  EXPECT_NEAR(f.end.latitude, 0.0, 1e-15);
  EXPECT_NEAR(f.end.longitude, -omega * 1000.0, 1e-12);
  EXPECT_NEAR(f.end.speed, omega * r, 1e-9);
  EXPECT_NEAR(f.end.heading, -90.0 * kDeg, 1e-12);
}

// Through still air of one density with neither gravity nor turning, the drag alone slows the
// point as dV/dt = −ρ·V²/(2β): V = V₀ / (1 + ρ·V₀·t/(2β)).
TEST(PointMassEntry, DragAloneSlowsAsTheClosedFormSays) {
  PointMassEntry e = Coasting(0.0, 3000.0, 30.0 * kDeg);
  e.planet.radius = 1e12;  // flat enough that the straight path keeps its height
  e.density = [](double) { return 0.01; };
  e.duration = 100.0;
  const PointMassFlight f = FlyPointMass(e, 1.0, 1e-6);
  ASSERT_TRUE(f.converged);
  EXPECT_NEAR(f.end.speed, 3000.0 / (1.0 + 0.01 * 3000.0 * 100.0 / 2000.0), 1e-6);
  EXPECT_NEAR(f.end.heading, 30.0 * kDeg, 1e-9);
  // The step that met the tolerance is a halving of the first.
  EXPECT_LT(f.step, 1.0);
  EXPECT_LT(f.endChange, 1e-6);
}

}  // namespace
}  // namespace plumora::verify
