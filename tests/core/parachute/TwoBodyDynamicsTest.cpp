#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "core/environment/AeroDatabase.h"
#include "core/environment/Atmosphere.h"
#include "core/flight/HandOverState.h"
#include "core/mission/Records.h"
#include "core/parachute/TwoBodyDynamics.h"
#include "support/VecExpect.h"

namespace plumora {
namespace {

using test::ExpectNear;

constexpr double kG = 9.80665;
constexpr double kDensity = 1.0;        // kg/m³ up to the top of the air
constexpr double kAirTop = 20000.0;     // m
constexpr double kTemperature = 250.0;  // K

// The right-hand side for a payload without aerodynamic data (so without air loads) under the
// default parachute, in air of constant density with a wind that the tests choose.
class TwoBody : public ::testing::Test {
 protected:
  TwoBody() {
    atmosphere.pointCount = 2;
    atmosphere.height[1] = kAirTop;
    atmosphere.temperature[0] = atmosphere.temperature[1] = kTemperature;
    planet = {287.0, 1.4, kG, 6378137.0, 0.0, 3.986e14};
    payload.mass = 100.0;
    model.payload = &payload;
    model.aeroTable = &aero;  // an empty table: no aerodynamic load on the payload
    model.parachute = &chute;
    model.atmosphere = &atmosphere;
    model.planet = &planet;
  }
  void SetWind(double towardsEast, double towardsNorth) {
    atmosphere.windWE[0] = atmosphere.windWE[1] = towardsEast;
    atmosphere.windSN[0] = atmosphere.windSN[1] = towardsNorth;
  }
  std::array<double, kMassPointStateSize> Derivatives() {
    std::array<double, kMassPointStateSize> yp{};
    EvaluateTwoBodyDerivatives(0.0, y.data(), yp.data(), &model);
    return yp;
  }
  // A body's acceleration in the descent frame from its block of ẏ.
  Vec3 Acceleration(int body, const std::array<double, kMassPointStateSize>& yp) const {
    const int b = BodyBlock(body);
    const Vec3 v = StateVec(y.data(), b + kVelocityOffset);
    const Vec3 w = StateVec(y.data(), b + kRateOffset);
    return model.frames.ToInertialAxes(body, StateVec(yp.data(), b) + Cross(w, v));
  }
  // Both bodies (and the confluence point) falling straight down at `speed`, x axes downwards.
  void FallingStraightDown(double speed, double payloadHeight, double chuteHeight) {
    for (int b : {kPayloadBlock, kParachuteBlock}) {
      SetStateVec(y.data(), b + kVelocityOffset, {speed, 0.0, 0.0});
      SetStateVec(y.data(), b + kAttitudeOffset, {0.0, kHalfPi, 0.0});
    }
    y[kPayloadBlock + kPositionOffset + 2] = payloadHeight;
    y[kParachuteBlock + kPositionOffset + 2] = chuteHeight;
    SetStateVec(y.data(), kConfluenceBlock + kVelocityOffset, {0.0, 0.0, -speed});
  }

  CPayload payload;
  AeroDatabase aero;
  CParachute chute;
  AtmosphereTable atmosphere;
  PlanetConstants planet;
  DescentModel model;
  std::array<double, kMassPointStateSize> y{};
};

TEST(RelativeAttitude, ReadsOneBodyAgainstTheOther) {
  // No relative turn: the payload's own pitch and yaw, and the magnitude of its roll (the sign
  // of a roll does not survive the reading).
  ExpectNear(RelativeAttitude({-0.4, 0.3, 1.2}, {}, AttitudeMode::kAbsolute), {0.4, 0.3, 1.2},
             1e-9);
  // Turns about a shared axis add up, and reading back from the payload undoes them.
  const Vec3 payload{0.3, 0.2, 0.1};
  const Vec3 rolled = RelativeAttitude(payload, {0.5, 0.0, 0.0}, AttitudeMode::kAbsolute);
  ExpectNear(rolled, {0.8, 0.2, 0.1}, 1e-9);
  ExpectNear(RelativeAttitude(payload, rolled, AttitudeMode::kPayloadRelative), {0.5, 0.0, 0.0},
             1e-9);
  // Pitch and yaw in general: the canopy's axis is where the two turns put it.
  std::mt19937 random(5);
  std::uniform_real_distribution<double> angle(-1.4, 1.4);
  for (int i = 0; i < 30; ++i) {
    const Vec3 first{angle(random), angle(random), angle(random)};
    const Vec3 second{angle(random), angle(random), angle(random)};
    BodyFrames f0, f1, f;
    f0.Update(first.x, first.y, first.z);
    f1.Update(second.x, second.y, second.z);
    const Vec3 a = RelativeAttitude(first, second, AttitudeMode::kAbsolute);
    f.Update(a.x, a.y, a.z);
    ExpectNear(f.ToInertialAxes({1, 0, 0}), f0.ToInertialAxes(f1.ToInertialAxes({1, 0, 0})), 2e-4);
  }
}

TEST_F(TwoBody, InitialStateFollowsTheHandOverRecord) {
  CHandOverState r;
  r.height = 3000.0;
  r.payloadSpeed = 60.0;
  r.payloadPathAngle = -90.0;
  r.payloadRoll = 10.0;
  r.payloadPitch = 20.0;
  r.payloadYaw = 30.0;
  r.parachuteSpeed = 40.0;
  r.parachutePathAngle = -60.0;
  r.parachuteOffsetX = -25.0;
  r.parachuteOffsetZ = 2.0;
  r.parachutePitch = 15.0;
  r.heading = 90.0;
  model.massPoint = true;
  model.aborted = true;  // from an earlier run
  InitialiseTwoBodyState(model, r, y.data());
  EXPECT_FALSE(model.aborted);

  BodyFrames payloadFrames;
  payloadFrames.Update(10.0 * kDegToRad, 20.0 * kDegToRad, 30.0 * kDegToRad);
  // Straight down in the descent frame.
  ExpectNear(StateVec(y.data(), 0), payloadFrames.ToBodyAxes({0.0, 0.0, -60.0}), 1e-12);
  ExpectNear(StateVec(y.data(), 3), {0.0, 0.0, 3000.0}, 0.0);

  const Vec3 chutePosition = payloadFrames.ToInertialAxes({-25.0, 0.0, 2.0}) + Vec3{0, 0, 3000};
  ExpectNear(StateVec(y.data(), 15), chutePosition, 1e-12);
  const Vec3 chuteAttitude = StateVec(y.data(), 21);
  ExpectNear(chuteAttitude,
             RelativeAttitude(StateVec(y.data(), 9), {0.0, 15.0 * kDegToRad, 0.0},
                              AttitudeMode::kAbsolute),
             0.0);
  BodyFrames chuteFrames;
  chuteFrames.Update(chuteAttitude.x, chuteAttitude.y, chuteAttitude.z);
  const Vec3 chuteVelocity{40.0 * std::cos(-kPi / 3), 0.0, 40.0 * std::sin(-kPi / 3)};
  ExpectNear(chuteFrames.ToInertialAxes(StateVec(y.data(), 12)), chuteVelocity, 1e-12);

  // The confluence point starts on the payload's axis in the legs' plane, at the canopy's speed.
  const Vec3 confluence =
      payloadFrames.ToInertialAxes({payload.cogDistance, 0.0, 0.0}) + Vec3{0.0, 0.0, 3000.0};
  ExpectNear(StateVec(y.data(), 24), chuteVelocity, 1e-12);
  ExpectNear(StateVec(y.data(), 27), confluence, 1e-12);
  ExpectNear(model.lines.confluencePosition, confluence, 1e-12);
}

TEST(ParachuteAeroForces, AxialAndNormalForceAndTheFlip) {
  CParachute chute;
  chute.referenceArea = 50.0;
  chute.centreOfPressure = 2.0;
  const double rho = 0.8, temperature = 250.0, gammaR = 1.4 * 287.0;
  // Straight into the canopy: axial force only.
  const ParachuteAeroLoads straight =
      ParachuteAeroForces(chute, {10.0, 0.0, 0.0}, 0.0, 0.0, rho, temperature, gammaR);
  EXPECT_NEAR(straight.axial, 0.75 * 0.5 * rho * 100.0 * 50.0, 1e-9);
  EXPECT_EQ(straight.normal, 0.0);
  EXPECT_FALSE(straight.flipped);
  // Cross flow, partly from the canopy's own pitching: the normal force grows with the angle.
  const ParachuteAeroLoads oblique =
      ParachuteAeroForces(chute, {10.0, 3.0, 1.0}, 1.0, 0.0, rho, temperature, gammaR);
  ExpectNear(oblique.crossFlow, {0.0, 3.0, 3.0}, 1e-15);
  const double speed2 = 100.0 + 9.0 + 9.0;
  const double alpha = std::atan2(std::sqrt(18.0), 10.0);
  EXPECT_NEAR(oblique.normal, 0.75 * alpha * 0.5 * rho * speed2 * 50.0, 1e-9);
  EXPECT_NEAR(oblique.axial, 0.75 * 0.5 * rho * speed2 * 50.0, 1e-9);
  // Hit from behind or side-on: no force at all, however fast, and the flip is raised.
  for (double vx : {0.0, -0.0, -1.0}) {
    const ParachuteAeroLoads back =
        ParachuteAeroForces(chute, {vx, 30.0, 0.0}, 0.0, 0.0, rho, temperature, gammaR);
    EXPECT_TRUE(back.flipped) << vx;
    EXPECT_EQ(back.axial, 0.0);
    EXPECT_EQ(back.normal, 0.0);
  }
  // Still air around a still canopy: nothing, and no flip.
  const ParachuteAeroLoads still =
      ParachuteAeroForces(chute, {}, 0.0, 0.0, rho, temperature, gammaR);
  EXPECT_FALSE(still.flipped);
  EXPECT_EQ(still.axial, 0.0);
}

TEST_F(TwoBody, ACrosswindPushesTheCanopyDownwind) {
  // Close enough for the strope to hang slack; falling along its axis at 5 m/s.
  FallingStraightDown(5.0, 1000.0, 1010.0);
  const Vec3 calm = Acceleration(kParachuteBody, Derivatives());
  EXPECT_NEAR(calm.x, 0.0, 1e-12);
  EXPECT_NEAR(calm.y, 0.0, 1e-12);
  // Heading north, a wind blowing towards the east blows along the descent frame's −y.
  SetWind(3.0, 0.0);
  const Vec3 windy = Acceleration(kParachuteBody, Derivatives());
  EXPECT_GT(model.parachuteNormal, 0.0);
  EXPECT_NEAR(windy.y, -model.parachuteNormal / chute.mass, 1e-9);
  EXPECT_NEAR(windy.x, 0.0, 1e-9);
  // Heading east, the same wind blows along the descent frame's x axis.
  model.heading = kHalfPi;
  const Vec3 tailwind = DescentWind(model.heading, 3.0, 0.0);
  ExpectNear(tailwind, {3.0, 0.0, 0.0}, 1e-14);
  EXPECT_GT(Acceleration(kParachuteBody, Derivatives()).x, 0.0);
}

// A payload without drag hanging under a canopy that falls at the speed where its drag carries
// both weights: every line model holds it still, the lines stretched by the payload's weight.
TEST_F(TwoBody, AHangingPayloadStretchesItsLinesByItsWeight) {
  const double weight = payload.mass * kG;
  const double stretch = weight / chute.stiffness;
  const double speed =
      std::sqrt((payload.mass + chute.mass) * kG / (0.75 * 0.5 * kDensity * chute.referenceArea));
  const double h = 1000.0;
  // x axes point down: the strope link (−1, 0, 0) is 1 m above the payload, the canopy's
  // link (14, 0, 0) 14 m below the canopy.
  struct Case {
    std::int32_t kind;
    bool massPoint;
  };
  for (const Case c :
       {Case{kSingleStrope, false}, Case{kBridleLegs, false}, Case{kBridleLegs, true}}) {
    payload.connectionKind = c.kind;
    model.massPoint = c.massPoint;
    payload.legCount = 1;
    payload.legRadius = 0.0;
    payload.DeriveLegPoints();
    const double topOfPayloadLines =
        c.kind == kSingleStrope ? h + 1.0 : h + 1.0 + payload.legLength + stretch;
    const double riserEnd = topOfPayloadLines + chute.lineLength + stretch;
    FallingStraightDown(speed, h, riserEnd + 14.0);
    SetStateVec(y.data(), kConfluenceBlock + kPositionOffset, {0.0, 0.0, topOfPayloadLines});
    const auto yp = Derivatives();
    // A massless confluence point balances to 0.01 N, which the 10 kg canopy feels.
    const double tolerance = c.massPoint || c.kind == kSingleStrope ? 1e-9 : 1e-3;
    ExpectNear(Acceleration(kPayloadBody, yp), {}, tolerance);
    ExpectNear(Acceleration(kParachuteBody, yp), {}, tolerance);
    for (int i : {6, 7, 8, 18, 19, 20, 24, 25, 26}) EXPECT_NEAR(yp[i], 0.0, tolerance) << i;
    EXPECT_NEAR(Norm(model.lines.parachuteForce), weight, 10.0 * tolerance);
  }
}

TEST_F(TwoBody, WithAMassPointOnlyGravityChangesTheMomentumInVacuum) {
  // Above the air; lines taut, everything moving and turning; the payload has products of
  // inertia, so its rotation takes the full tensor.
  payload.connectionKind = kBridleLegs;
  payload.legCount = 5;
  payload.DeriveLegPoints();
  payload.ixy = 20.0;
  payload.ixz = -35.0;
  payload.iyz = 12.0;
  chute.izz = 14.0;
  model.massPoint = true;
  std::mt19937 random(3);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  for (int trial = 0; trial < 10; ++trial) {
    for (int i = 0; i < kMassPointStateSize; ++i) y[i] = unit(random);
    SetStateVec(y.data(), 3, {0.0, 0.0, 30000.0});
    SetStateVec(y.data(), 15, {unit(random), unit(random), 30040.0});
    SetStateVec(y.data(), 27, {unit(random), unit(random), 30010.0});
    const auto yp = Derivatives();
    ASSERT_GT(Norm(model.lines.confluenceForce), 1000.0);

    const Vec3 xb = StateVec(y.data(), 3), xp = StateVec(y.data(), 15);
    const Vec3 xc = StateVec(y.data(), 27);
    const Vec3 ab = Acceleration(kPayloadBody, yp), ap = Acceleration(kParachuteBody, yp);
    const Vec3 ac = StateVec(yp.data(), 24);
    const double mc = chute.confluenceMass;
    const Vec3 momentumRate = payload.mass * ab + chute.mass * ap + mc * ac;
    ExpectNear(momentumRate, {0.0, 0.0, -(payload.mass + chute.mass) * kG}, 1e-8);

    // Angular momentum about the origin: orbital parts plus each body's spin.
    const auto spinRate = [&](int body, int block, const Vec3& i1, const Vec3& i2, const Vec3& i3) {
      const Vec3 w = StateVec(y.data(), block + kRateOffset);
      const Vec3 wDot = StateVec(yp.data(), block + kRateOffset);
      const auto inertia = [&](const Vec3& v) { return Vec3{Dot(i1, v), Dot(i2, v), Dot(i3, v)}; };
      return model.frames.ToInertialAxes(body, inertia(wDot) + Cross(w, inertia(w)));
    };
    const Vec3 spin =
        spinRate(kPayloadBody, kPayloadBlock, {payload.ixx, -payload.ixy, -payload.ixz},
                 {-payload.ixy, payload.iyy, -payload.iyz},
                 {-payload.ixz, -payload.iyz, payload.izz}) +
        spinRate(kParachuteBody, kParachuteBlock, {chute.ixx, 0, 0}, {0, chute.iyy, 0},
                 {0, 0, chute.izz});
    const Vec3 angularRate =
        Cross(xb, payload.mass * ab) + Cross(xp, chute.mass * ap) + Cross(xc, mc * ac) + spin;
    const Vec3 gravityTorque =
        Cross(xb, {0.0, 0.0, -payload.mass * kG}) + Cross(xp, {0.0, 0.0, -chute.mass * kG});
    ExpectNear(angularRate, gravityTorque, 1e-4);
  }
}

}  // namespace
}  // namespace plumora
