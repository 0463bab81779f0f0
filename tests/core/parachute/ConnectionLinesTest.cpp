#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "core/common/Messages.h"
#include "core/common/Prompter.h"
#include "core/mission/Records.h"
#include "core/parachute/ConnectionLines.h"
#include "support/VecExpect.h"

namespace plumora {
namespace {

using test::ExpectNear;

// What the lines do to everything they touch, in the descent frame: net force, and net torque
// about a point.
struct Resultant {
  Vec3 force;
  Vec3 torque;
};

// A payload with four bridle legs under the default parachute, placed by the tests.
class Lines : public ::testing::Test {
 protected:
  Lines() {
    payload.connectionKind = kBridleLegs;
    payload.legCount = 4;
    payload.cogDistance = -1.0;
    payload.legRadius = 0.5;
    payload.legLength = 3.0;
    payload.DeriveLegPoints();
    model.payload = &payload;
    model.parachute = &chute;
  }

  // The payload at xb turned by a0, the parachute at xp turned by a1 (angles in rad).
  void Place(const Vec3& xb, const Vec3& a0, const Vec3& xp, const Vec3& a1) {
    SetStateVec(y.data(), kPayloadBlock + kPositionOffset, xb);
    SetStateVec(y.data(), kPayloadBlock + kAttitudeOffset, a0);
    SetStateVec(y.data(), kParachuteBlock + kPositionOffset, xp);
    SetStateVec(y.data(), kParachuteBlock + kAttitudeOffset, a1);
    model.frames.UpdateFrames(kPayloadBody, a0);
    model.frames.UpdateFrames(kParachuteBody, a1);
  }
  // The parachute at distance d behind the payload along its −x axis, turned like the payload,
  // so that the riser lies on the payload's axis.
  void PlaceOnAxis(const Vec3& attitude, double d) {
    BodyFrames f;
    f.Update(attitude.x, attitude.y, attitude.z);
    const Vec3 xb{30.0, -20.0, 1000.0};
    Place(xb, attitude, xb + f.ToInertialAxes({-d, 0.0, 0.0}), attitude);
  }
  void SetConfluence(const Vec3& position, const Vec3& velocity) {
    SetStateVec(y.data(), kConfluenceBlock + kPositionOffset, position);
    SetStateVec(y.data(), kConfluenceBlock + kVelocityOffset, velocity);
  }
  Vec3 Payload(int offset) const { return StateVec(y.data(), kPayloadBlock + offset); }
  Vec3 Parachute(int offset) const { return StateVec(y.data(), kParachuteBlock + offset); }
  Vec3 LegEnd(int i) const {
    return Payload(kPositionOffset) +
           model.frames.ToInertialAxes(kPayloadBody, payload.legPoints[i]);
  }

  // The line loads on both bodies (and on a confluence point with mass) summed about o.
  Resultant Sum(const Vec3& o, bool withConfluence) const {
    const TwoBodyFrames& f = model.frames;
    const LineLoads& l = model.lines;
    const Vec3 fb = f.ToInertialAxes(kPayloadBody, l.payloadForce);
    const Vec3 fp = f.ToInertialAxes(kParachuteBody, l.parachuteForce);
    Resultant r;
    r.force = fb + fp;
    r.torque = Cross(Payload(kPositionOffset) - o, fb) +
               f.ToInertialAxes(kPayloadBody, l.payloadMoment) +
               Cross(Parachute(kPositionOffset) - o, fp) +
               f.ToInertialAxes(kParachuteBody, l.parachuteMoment);
    if (withConfluence) {
      r.force += l.confluenceForce;
      r.torque +=
          Cross(StateVec(y.data(), kConfluenceBlock + kPositionOffset) - o, l.confluenceForce);
    }
    return r;
  }
  bool NoLoadOnTheBodies() const {
    const LineLoads& l = model.lines;
    return l.payloadForce == Vec3{} && l.payloadMoment == Vec3{} && l.parachuteForce == Vec3{} &&
           l.parachuteMoment == Vec3{};
  }

  CPayload payload;
  CParachute chute;
  DescentModel model;
  std::array<double, kMassPointStateSize> y{};
};

TEST_F(Lines, InternalForcesBalanceInEveryModel) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> angle(-3.0, 3.0), unit(-1.0, 1.0);
  for (int trial = 0; trial < 20; ++trial) {
    const Vec3 xb{unit(random) * 100.0, unit(random) * 100.0, 1000.0 + unit(random) * 100.0};
    Vec3 direction{unit(random), unit(random), unit(random)};
    direction = direction / Norm(direction);
    // Far enough apart for every line to be taut, whatever the attitudes.
    Place(xb, {angle(random), angle(random) / 2, angle(random)}, xb + 45.0 * direction,
          {angle(random), angle(random) / 2, angle(random)});
    for (double* v : {&y[0], &y[1], &y[2], &y[6], &y[7], &y[8], &y[12], &y[13], &y[18]}) {
      *v = unit(random) * 5.0;
    }

    payload.connectionKind = kSingleStrope;
    SingleStropeForces(model, y.data());
    EXPECT_GT(Norm(model.lines.payloadForce), 1000.0);
    const Resultant strope = Sum(xb, false);
    ExpectNear(strope.force, {}, 1e-9);
    ExpectNear(strope.torque, {}, 1e-7);

    // Without mass the confluence point only balances to the solver's tolerance, so the forces
    // on the bodies sum to the small residual left on it, which has no moment about it.
    payload.connectionKind = kBridleLegs;
    ASSERT_TRUE(SolveMasslessConfluence(model, y.data()));
    EXPECT_GT(Norm(model.lines.parachuteForce), 1000.0);
    const Vec3 x = model.lines.confluencePosition;
    const Resultant massless = Sum(x, false);
    EXPECT_LE(Norm(massless.force), 0.02);
    ExpectNear(massless.torque, {}, 1e-6);

    // With mass the point takes the net force itself; dampers included, nothing is left over.
    SetConfluence(x + 0.3 * (Parachute(kPositionOffset) - x), {unit(random), unit(random), 0.0});
    MassPointConfluenceForces(model, y.data());
    EXPECT_GT(Norm(model.lines.confluenceForce), 1000.0);
    const Resultant massPoint = Sum(xb, true);
    ExpectNear(massPoint.force, {}, 1e-9);
    ExpectNear(massPoint.torque, {}, 1e-7);
  }
}

TEST_F(Lines, SlackLinesCarryNothing) {
  // The links 10 m apart on a 20 m line.
  PlaceOnAxis({0.2, -0.1, 0.4}, 25.0);
  payload.connectionKind = kSingleStrope;
  SingleStropeForces(model, y.data());
  EXPECT_TRUE(NoLoadOnTheBodies());

  // Slack bridle legs: the confluence point stays at the centroid of the leg ends.
  payload.connectionKind = kBridleLegs;
  ASSERT_TRUE(SolveMasslessConfluence(model, y.data()));
  EXPECT_TRUE(NoLoadOnTheBodies());
  Vec3 centroid;
  for (int i = 0; i < payload.legCount; ++i) centroid += LegEnd(i) / payload.legCount;
  ExpectNear(model.lines.confluencePosition, centroid, 1e-12);

  // A confluence point with mass and no taut line coasts.
  SetConfluence(centroid, {3.0, -2.0, -10.0});
  MassPointConfluenceForces(model, y.data());
  EXPECT_TRUE(NoLoadOnTheBodies());
  EXPECT_EQ(model.lines.confluenceForce, Vec3{});

  // A single strope with a mass point: the direct line, and the point left to coast.
  payload.connectionKind = kSingleStrope;
  model.massPoint = true;
  PlaceOnAxis({0.2, -0.1, 0.4}, 45.0);
  ASSERT_TRUE(ComputeLineLoads(model, y.data()));
  EXPECT_GT(Norm(model.lines.payloadForce), 1000.0);
  EXPECT_EQ(model.lines.confluenceForce, Vec3{});
}

TEST_F(Lines, SymmetricLegsBalanceOnTheAxis) {
  for (int legs : {3, 4, 7}) {
    payload.legCount = legs;
    payload.DeriveLegPoints();
    PlaceOnAxis({0.3, -0.4, 1.1}, 45.0);
    ASSERT_TRUE(SolveMasslessConfluence(model, y.data()));
    const Vec3 onPayload = model.frames.ToBodyAxes(
        kPayloadBody, model.lines.confluencePosition - Payload(kPositionOffset));
    EXPECT_LT(onPayload.x, payload.cogDistance - 1.0);
    EXPECT_NEAR(onPayload.y, 0.0, 1e-6);
    EXPECT_NEAR(onPayload.z, 0.0, 1e-6);
    // The pull on the payload lies along its axis and has no moment.
    const LineLoads& l = model.lines;
    EXPECT_LT(l.payloadForce.x, -1000.0);
    EXPECT_NEAR(l.payloadForce.y, 0.0, 0.02);
    EXPECT_NEAR(l.payloadForce.z, 0.0, 0.02);
    ExpectNear(l.payloadMoment, {}, 0.02);
    EXPECT_NEAR(Norm(l.parachuteForce), -l.payloadForce.x, 0.02);
    // Each leg pulls equally.
    for (int i = 1; i < legs; ++i) EXPECT_NEAR(Norm(l.legForce[i]), Norm(l.legForce[0]), 0.01);
  }
}

TEST_F(Lines, LegCountsAndRestLengthsOutsideTheirRange) {
  PlaceOnAxis({0.0, 0.5, 0.0}, 45.0);
  // Bridle legs without legs: nothing holds the riser, and the confluence point stays put.
  for (int legs : {0, -3}) {
    payload.legCount = legs;
    model.lines.parachuteForce = {1.0, 2.0, 3.0};
    model.lines.confluencePosition = {7.0, 8.0, 9.0};
    ASSERT_TRUE(SolveMasslessConfluence(model, y.data()));
    EXPECT_TRUE(NoLoadOnTheBodies());
    EXPECT_EQ(model.lines.confluencePosition, (Vec3{7.0, 8.0, 9.0}));
    // With a mass at the confluence the riser still pulls on it.
    SetConfluence(
        Payload(kPositionOffset) + model.frames.ToInertialAxes(kPayloadBody, {-3.0, 0.0, 0.0}), {});
    MassPointConfluenceForces(model, y.data());
    EXPECT_EQ(model.lines.payloadForce, Vec3{});
    EXPECT_GT(Norm(model.lines.parachuteForce), 1000.0);
    ExpectNear(model.lines.confluenceForce,
               -model.frames.ToInertialAxes(kParachuteBody, model.lines.parachuteForce), 1e-9);
  }

  // More legs than slots: the slots there are.
  payload.legCount = kMaxLegs;
  payload.DeriveLegPoints();
  ASSERT_TRUE(SolveMasslessConfluence(model, y.data()));
  const LineLoads full = model.lines;
  payload.legCount = kMaxLegs + 10;
  ASSERT_TRUE(SolveMasslessConfluence(model, y.data()));
  EXPECT_EQ(model.lines.payloadForce, full.payloadForce);
  EXPECT_EQ(model.lines.parachuteForce, full.parachuteForce);

  // A negative rest length is a rest length of 0, and a line of no length pulls nothing.
  payload.legCount = 4;
  payload.DeriveLegPoints();
  chute.lineLength = 0.0;
  payload.legLength = 0.0;
  ASSERT_TRUE(SolveMasslessConfluence(model, y.data()));
  const LineLoads zero = model.lines;
  chute.lineLength = -5.0;
  payload.legLength = -2.0;
  ASSERT_TRUE(SolveMasslessConfluence(model, y.data()));
  EXPECT_EQ(model.lines.parachuteForce, zero.parachuteForce);
  payload.connectionKind = kSingleStrope;
  payload.stropeLink = {0.0, 0.0, 0.0};
  chute.link = {0.0, 0.0, 0.0};
  Place(Payload(kPositionOffset), {}, Payload(kPositionOffset), {});  // both bodies at one point
  SingleStropeForces(model, y.data());
  EXPECT_TRUE(NoLoadOnTheBodies());
}

TEST_F(Lines, DampersNeverMakeALinePush) {
  PlaceOnAxis({}, 45.0);
  payload.legCount = 0;
  const Vec3 q = Parachute(kPositionOffset) + Vec3{14.0, 0.0, 0.0};  // riser end, x along the axis
  const Vec3 x = q - Vec3{20.01, 0.0, 0.0};                          // 1 cm stretched: 100 N
  SetConfluence(x, {});
  MassPointConfluenceForces(model, y.data());
  EXPECT_NEAR(model.lines.confluenceForce.x, 100.0, 1e-6);
  // Lengthening at 1 m/s adds the damping 10 N/(m/s).
  SetConfluence(x, {-1.0, 0.0, 0.0});
  MassPointConfluenceForces(model, y.data());
  EXPECT_NEAR(model.lines.confluenceForce.x, 110.0, 1e-6);
  // Shortening at 50 m/s would leave −400 N: the line goes slack instead.
  SetConfluence(x, {50.0, 0.0, 0.0});
  MassPointConfluenceForces(model, y.data());
  EXPECT_EQ(model.lines.confluenceForce, Vec3{});
  EXPECT_TRUE(NoLoadOnTheBodies());
}

TEST_F(Lines, LinesThatHaveJustGoneTautBalanceToo) {
  // Met by an integrator during a snatch: the riser and one leg barely taut, pulling across
  // each other, where the relaxation only creeps along. The balance is found all the same.
  payload.legRadius = 0.35;
  payload.DeriveLegPoints();
  Place({1.7839837822620099, 0.0, 1984.3839284740804}, {0.0, 1.3962634015954638, 0.0},
        {-4.1913947236684033, 0.0, 2021.5030828928625}, {0.0, 1.5926442358172359, 0.0});
  ASSERT_TRUE(SolveMasslessConfluence(model, y.data()));
  const Resultant r = Sum(model.lines.confluencePosition, false);
  EXPECT_LE(Norm(r.force), 0.02);
  ExpectNear(r.torque, {}, 1e-6);
  EXPECT_GT(Norm(model.lines.parachuteForce), 1.0);
}

// The phase then ends with the confluence point's warning (FinalDescentTest).
TEST_F(Lines, AConfluencePointThatCannotBalanceAbortsTheRun) {
  // Lines so stiff that one rounding step of the position is more than the 0.01 N tolerance.
  chute.stiffness = 1e14;
  PlaceOnAxis({0.3, -0.4, 1.1}, 45.0);
  EXPECT_FALSE(SolveMasslessConfluence(model, y.data()));
  EXPECT_FALSE(model.aborted);  // the solver itself only says it could not

  model.lines.parachuteForce = {1.0, 0.0, 0.0};
  ConnectionForces(model, y.data());
  EXPECT_TRUE(model.aborted);
  EXPECT_TRUE(NoLoadOnTheBodies());
  // Once aborted, no line force is computed any more.
  model.lines.parachuteForce = {1.0, 0.0, 0.0};
  ConnectionForces(model, y.data());
  EXPECT_EQ(model.lines.parachuteForce, (Vec3{1.0, 0.0, 0.0}));

  // The same lines at the default stiffness balance.
  chute.stiffness = 10000.0;
  EXPECT_TRUE(SolveMasslessConfluence(model, y.data()));
}

}  // namespace
}  // namespace plumora
