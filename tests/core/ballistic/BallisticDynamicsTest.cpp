#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "core/app/PlumoraDoc.h"
#include "core/ballistic/BallisticDynamics.h"
#include "core/ballistic/PlanetFrames.h"
#include "core/common/Messages.h"
#include "core/flight/RunState.h"
#include "core/solvers/Depac.h"
#include "support/VecExpect.h"

namespace plumora {
namespace {

constexpr double kEarthRadius = 6378137.0;
constexpr double kEarthGm = 3.986004418e14;

using test::ExpectNear;

TEST(PlanetFrames, HeadingFrameAxesAndTheirInverse) {
  // At latitude 0, longitude 0 and heading 0 the local axes are north, west and up.
  ExpectNear(ConvertI2H({0, 0, 1}, 0, 0, 0), {1, 0, 0}, 1e-14);
  ExpectNear(ConvertI2H({0, -1, 0}, 0, 0, 0), {0, 1, 0}, 1e-14);
  ExpectNear(ConvertI2H({1, 0, 0}, 0, 0, 0), {0, 0, 1}, 1e-14);
  // Heading east: the local x axis points east (planet +y at longitude 0).
  ExpectNear(ConvertI2H({0, 1, 0}, 0, 0, kHalfPi), {1, 0, 0}, 1e-14);

  std::mt19937 random(7);
  std::uniform_real_distribution<double> angle(-3.0, 3.0);
  for (int i = 0; i < 50; ++i) {
    const double lat = angle(random) / 2, lon = angle(random), heading = angle(random);
    const Vec3 v{angle(random) * 1000, angle(random) * 1000, angle(random) * 1000};
    Vec3 back;
    ASSERT_TRUE(ConvertH2I(ConvertI2H(v, lat, lon, heading), lat, lon, heading, back));
    ExpectNear(back, v, 1e-9);
  }
  // A frame built from a non-finite angle cannot be inverted; the output stays as it was.
  Vec3 untouched{1, 2, 3};
  EXPECT_FALSE(ConvertH2I({1, 1, 1}, NAN, 0, 0, untouched));
  EXPECT_EQ(untouched, (Vec3{1, 2, 3}));
}

TEST(BodyFrames, RotationsAreOrthonormalAndRatesStayFiniteAtVerticalPitch) {
  BodyFrames f;
  f.Update(0.3, -0.7, 2.1);
  const Vec3 v{1.5, -2.0, 0.25};
  ExpectNear(f.ToInertialAxes(f.ToBodyAxes(v)), v, 1e-14);
  EXPECT_NEAR(Norm(f.ToBodyAxes(v)), Norm(v), 1e-14);
  f.Update(0.2, kHalfPi, 0.0);
  const Vec3 rates = f.ToEulerRates({0.1, 0.2, 0.3});
  EXPECT_TRUE(std::isfinite(rates.x) && std::isfinite(rates.z));
}

TEST(PlanetFrames, AttitudeConversionsKeepAnglesButNotTheSignOfRoll) {
  // At latitude 0, longitude 0, heading 0 the axes only swap, so angles come back exactly.
  const Vec3 planet = AttitudeToPlanet({-10 * kDegToRad, 5 * kDegToRad, 0.0}, 0, 0, 0);
  const Vec3 heading = AttitudeToHeading(planet, 0, 0, 0);
  EXPECT_NEAR(heading.x * kRadToDeg, 10.0, 1e-9);
  EXPECT_NEAR(heading.y * kRadToDeg, 5.0, 1e-9);
  EXPECT_NEAR(heading.z, 0.0, 1e-12);
  // Elsewhere the round trip holds to the 1e-4 floor of the axis components.
  const double lat = 0.6, lon = -1.2, chi = 2.0;
  const Vec3 a{0.4, -0.3, 1.1};
  const Vec3 b = AttitudeToHeading(AttitudeToPlanet(a, lat, lon, chi), lat, lon, chi);
  ExpectNear(b, a, 1e-3);
}

// The right-hand side with a bare payload in an atmosphere whose air ends at 100 km.
class BallisticRhs : public ::testing::Test {
 protected:
  BallisticRhs() {
    atmosphere.pointCount = 2;
    atmosphere.height[1] = 100000.0;
    atmosphere.lnDensity = {};  // 1 kg/m³ below the top
    atmosphere.temperature[0] = atmosphere.temperature[1] = 250.0;
    planet = {287.0, 1.4, 9.80665, kEarthRadius, 0.0, kEarthGm};
    model.payload = &payload;
    model.aeroTable = &aero;
    model.atmosphere = &atmosphere;
    model.planet = &planet;
    run.SetPrompter(&prompter);
    model.run = &run;
  }
  std::array<double, 12> Derivatives(const std::array<double, 12>& y) {
    std::array<double, 12> yp{};
    EvaluateBallisticDerivatives(0.0, y.data(), yp.data(), &model);
    return yp;
  }
  // At rest relative to the planet at (lat, lon) and height h, level attitude angles 0.
  static std::array<double, 12> AtRest(double lat, double lon, double h) {
    const Vec3 r = PositionFromLatLon(lat, lon, h, kEarthRadius);
    return {0, 0, 0, r.x, r.y, r.z, 0, 0, 0, 0, 0, 0};
  }

  CPayload payload;
  AeroDatabase aero;
  AtmosphereTable atmosphere;
  PlanetConstants planet;
  RecordingPrompter prompter;
  Mission mission;
  CTrajectoryStore results;
  RunState run{mission, results};
  BallisticModel model;
};

TEST_F(BallisticRhs, RotatingFrameTermsPointTheRightWay) {
  planet.omega = 7.292115e-5;
  const double h = 200000.0;  // above the air
  const double r = kEarthRadius + h;
  // Held at rest over the equator: gravity less the centrifugal term, radially.
  const auto equator = Derivatives(AtRest(0, 0, h));
  EXPECT_NEAR(equator[0], -kEarthGm / (r * r) + planet.omega * planet.omega * r, 1e-12);
  EXPECT_NEAR(equator[1], 0.0, 1e-15);
  // Over the pole the centrifugal term vanishes.
  const auto pole = Derivatives(AtRest(kHalfPi, 0, h));
  EXPECT_NEAR(pole[2], -kEarthGm / (r * r), 1e-12);
  EXPECT_NEAR(std::hypot(pole[0], pole[1]), 0.0, 1e-12);

  // Falling straight down at the equator (planet −x at longitude 0): deflected east (+y).
  std::array<double, 12> falling = AtRest(0, 0, h);
  falling[0] = -100.0;  // body axes coincide with the planet axes at zero angles
  EXPECT_GT(Derivatives(falling)[1], 0.0);
  EXPECT_NEAR(Derivatives(falling)[1], 2.0 * planet.omega * 100.0, 1e-12);

  // Flying north at 45° N: the Coriolis term pushes to the right, that is east.
  const double lat = 0.25 * kPi;
  std::array<double, 12> north = AtRest(lat, 0, h);
  const Vec3 northward{-std::sin(lat) * 1000.0, 0.0, std::cos(lat) * 1000.0};  // planet axes
  north[0] = northward.x;
  north[2] = northward.z;
  const auto yp = Derivatives(north);
  EXPECT_NEAR(yp[1], 2.0 * planet.omega * std::sin(lat) * 1000.0, 1e-12);
}

TEST_F(BallisticRhs, TorqueFreeBodies) {
  // Diagonal inertia, no rates, level flight along the body axis: no rotation starts.
  std::array<double, 12> y = AtRest(0, 0, 50000.0);
  y[0] = 3000.0;
  aero.machCount = aero.angleCount = 1;
  aero.coefficient[kCm][0][0] = 0.2;
  aero.coefficient[kCz][0][0] = -0.3;
  const auto still = Derivatives(y);
  EXPECT_EQ(still[6], 0.0);
  EXPECT_EQ(still[7], 0.0);
  EXPECT_EQ(still[8], 0.0);

  // Spinning with products of inertia (even tiny ones): I·ω̇ = −ω × (I·ω) in every row.
  for (double product : {1e-12, 35.0}) {
    payload.ixy = product;
    payload.ixz = -2.0 * product;
    payload.iyz = 0.5 * product;
    payload.ixx = 900.0;
    payload.izz = 1300.0;
    std::array<double, 12> spin = AtRest(0, 0, 200000.0);
    spin[6] = 0.3;
    spin[7] = -0.2;
    spin[8] = 0.7;
    const auto d = Derivatives(spin);
    const Vec3 w{spin[6], spin[7], spin[8]};
    const Vec3 wDot{d[6], d[7], d[8]};
    const auto inertia = [&](const Vec3& v) {
      return Vec3{payload.ixx * v.x - payload.ixy * v.y - payload.ixz * v.z,
                  -payload.ixy * v.x + payload.iyy * v.y - payload.iyz * v.z,
                  -payload.ixz * v.x - payload.iyz * v.y + payload.izz * v.z};
    };
    ExpectNear(inertia(wDot) + Cross(w, inertia(w)), {}, 1e-12);
  }
}

TEST_F(BallisticRhs, SingularFramesAreReportedOncePerRun) {
  std::array<double, 12> y = AtRest(0, 0, 1000.0);
  y[3] = NAN;
  Derivatives(y);
  Derivatives(y);
  EXPECT_EQ(prompter.Transcript(),
            "Error in ConvertH2I: SINGULAR MATRIX, INVERSION NOT POSSIBLE\n"
            "The payload's position is not a finite number, so the wind could not be turned to "
            "planet axes.\n");
  // The run notes it too, for those who show nothing as it happens.
  ASSERT_EQ(run.notices.size(), 1u);
  EXPECT_EQ(run.notices[0].caption, "Error in ConvertH2I");
}

TEST(PayloadAerodynamics, ForcesFollowTheFlow) {
  CPayload p;
  p.referenceArea = 2.0;
  p.referenceLength = 3.0;
  AeroDatabase aero;
  aero.machCount = aero.angleCount = 1;
  aero.coefficient[kCx][0][0] = -1.5;
  aero.coefficient[kCz][0][0] = -0.4;
  aero.coefficient[kCm][0][0] = 0.1;
  aero.coefficient[kCl][0][0] = 0.01;
  AeroLoads loads;
  const double rho = 0.5, temperature = 250.0, gammaR = 1.4 * 287.0;
  const double q = 0.5 * rho * 25.0 * 25.0;  // speed 25 m/s below

  PayloadAerodynamics(p, aero, {20.0, 0.0, 15.0}, rho, temperature, gammaR, loads);
  EXPECT_NEAR(loads.angleOfAttack, std::atan2(15.0, 20.0) * kRadToDeg, 1e-12);
  EXPECT_NEAR(loads.force.x, -1.5 * q * 2.0, 1e-9);         // drag along −x
  EXPECT_NEAR(loads.force.z, -0.4 * q * 2.0, 1e-9);         // normal force against the lateral flow
  EXPECT_NEAR(loads.moment.y, -0.1 * q * 2.0 * 3.0, 1e-9);  // turns the nose into the flow
  EXPECT_EQ(loads.force.y, 0.0);

  // Tail first: the same angle of attack, the axial force and roll moment reversed.
  AeroLoads reversed;
  PayloadAerodynamics(p, aero, {-20.0, 0.0, 15.0}, rho, temperature, gammaR, reversed);
  EXPECT_EQ(reversed.angleOfAttack, loads.angleOfAttack);
  EXPECT_EQ(reversed.force.x, -loads.force.x);
  EXPECT_EQ(reversed.moment.x, -loads.moment.x);
  // A negative zero counts as tail first.
  PayloadAerodynamics(p, aero, {-0.0, 25.0, 0.0}, rho, temperature, gammaR, reversed);
  EXPECT_NEAR(reversed.force.x, 1.5 * q * 2.0, 1e-9);
  EXPECT_NEAR(reversed.angleOfAttack, 90.0, 1e-12);
  // No air speed: no loads, the angle of attack kept.
  PayloadAerodynamics(p, aero, {0.0, 0.0, 0.0}, rho, temperature, gammaR, reversed);
  EXPECT_EQ(reversed.force, Vec3{});
  EXPECT_EQ(reversed.moment, Vec3{});
  EXPECT_NEAR(reversed.angleOfAttack, 90.0, 1e-12);
}

// Integrates the right-hand side over [0, duration] in output steps with DDERKF.
std::array<double, 12> Fly(BallisticModel& model, std::array<double, 12> y, double duration,
                           double step,
                           const std::function<void(const std::array<double, 12>&)>& each) {
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  int idid = 0;
  for (double tout = step; tout <= duration + 1e-9; tout += step) {
    DDERKF(EvaluateBallisticDerivatives, 12, t, y.data(), tout, info, 1e-10, 1e-10, idid, work,
           &model);
    EXPECT_EQ(idid, 2);
    each(y);
  }
  return y;
}

TEST_F(BallisticRhs, VacuumOrbitsKeepTheirEnergyAndShape) {
  // Above the air, without rotation: a circular orbit 400 km up for a quarter of an orbit.
  const double r0 = kEarthRadius + 400000.0;
  const double v0 = std::sqrt(kEarthGm / r0);
  std::array<double, 12> y = AtRest(0, 0, 400000.0);
  y[1] = v0;  // along planet +y (east), body axes = planet axes
  const double energy0 = 0.5 * v0 * v0 - kEarthGm / r0;
  Fly(model, y, 1400.0, 10.0, [&](const std::array<double, 12>& s) {
    BodyFrames f;
    f.Update(s[9], s[10], s[11]);
    const Vec3 v = f.ToInertialAxes({s[0], s[1], s[2]});
    const double r = Norm({s[3], s[4], s[5]});
    EXPECT_NEAR((0.5 * Dot(v, v) - kEarthGm / r) / energy0, 1.0, 1e-7);
    EXPECT_NEAR(r / r0, 1.0, 1e-7);
  });
}

TEST_F(BallisticRhs, VerticalDropFollowsTheInverseSquareFall) {
  // Released at rest 2000 km up: the closed-form time to fall from r0 to r.
  const double r0 = kEarthRadius + 2000000.0;
  const auto fallTime = [&](double r) {
    const double x = r / r0;
    return std::sqrt(r0 * r0 * r0 / (2.0 * kEarthGm)) *
           (std::sqrt(x * (1.0 - x)) + std::acos(std::sqrt(x)));
  };
  double t = 0.0;
  Fly(model, AtRest(0, 0, 2000000.0), 400.0, 20.0, [&](const std::array<double, 12>& s) {
    t += 20.0;
    EXPECT_NEAR(fallTime(Norm({s[3], s[4], s[5]})), t, 1e-4);
    EXPECT_NEAR(s[4], 0.0, 1e-6);  // no rotation, no drift
  });
}

}  // namespace
}  // namespace plumora
