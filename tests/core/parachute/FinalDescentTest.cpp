#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/app/RunMission.h"
#include "core/common/Messages.h"
#include "core/parachute/FinalDescent.h"
#include "core/parachute/GroundPosition.h"
#include "support/FlightFixture.h"
#include "support/ScriptedProgress.h"

namespace plumora {
namespace {

const CTrajectorySample& LastSample(const CPlumoraDoc& doc) {
  return doc.results.SampleAt(doc.results.LastIndex());
}

class FinalDescent : public ::testing::Test, public test::FlightFixture {
 protected:
  FinalDescent() : phase(AddFinalDescentPhase()) {
    doc.SetProgressSink(&progress);
    UseLightDescent(1000.0, 10.0);
  }
  int Run() {
    EXPECT_EQ(doc.readatmosphere(), 1) << prompter.Transcript();
    doc.results.Clear();
    handOver = CHandOverState::FromInitialState(doc.mission.initialState);
    return test::FlyDescentPhase(doc, *doc.mission.phases[0], handOver);
  }
  const CTrajectorySample& Last() const { return LastSample(doc); }
  int Questions() const {
    int n = 0;
    for (const auto& e : prompter.entries()) {
      if (e.kind == RecordingPrompter::Kind::OkCancel) {
        EXPECT_EQ(e.text, "Parachute flip. Continue?\n");
        EXPECT_EQ(e.caption, "error");
        ++n;
      }
    }
    return n;
  }

  CParachutePhase& phase;
  test::ScriptedProgress progress;
  CHandOverState handOver;
};

TEST_F(FinalDescent, BothRecordsMustExistTheParachuteFirst) {
  phase.parachuteNumber = 42;
  phase.payloadNumber = 42;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(prompter.Transcript(), "error: No parachute selected in final descent module\n");
  prompter.Clear();
  phase.parachuteNumber = parachute().number;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(prompter.Transcript(), "error: No payload selected in final descent module\n");
  EXPECT_EQ(doc.results.LastIndex(), -1);
  EXPECT_EQ(progress.started, 0);
}

TEST_F(FinalDescent, AFirstPhaseStoresItsStartAtTimeZero) {
  doc.mission.initialState.latitude = 43.5;
  doc.mission.initialState.longitude = -1.25;
  doc.mission.initialState.heading = 30.0;
  doc.mission.initialState.payloadRateY = 2.0;
  doc.mission.initialState.parachuteRoll = 5.0;
  phase.stopKind = 0;
  phase.stopTime = 0.5;
  ASSERT_EQ(Run(), 1) << prompter.Transcript();
  ASSERT_EQ(doc.results.LastIndex(), 5);

  const CTrajectorySample& first = doc.results.SampleAt(0);
  EXPECT_EQ(first.time, 0.0);
  EXPECT_EQ(first.payloadHeight, 1000.0);
  EXPECT_NEAR(first.payloadVz, -10.0 * std::sin(80.0 * kDegToRad), 1e-12);
  // The canopy 25 m behind a payload pitched 80° down: 25·sin 80° higher.
  EXPECT_NEAR(first.parachuteHeight, 1000.0 + 25.0 * std::sin(80.0 * kDegToRad), 1e-9);
  EXPECT_NEAR(first.parachuteX, -25.0 * std::cos(80.0 * kDegToRad), 1e-9);
  EXPECT_NEAR(first.parachutePitch, 80.0, 1e-9);
  EXPECT_NEAR(first.parachuteRoll, 5.0, 1e-9);
  EXPECT_EQ(first.parachuteOffsetX, -25.0);
  EXPECT_EQ(first.parachuteRelRoll, 5.0);
  EXPECT_EQ(first.confluenceX, payload().cogDistance);
  EXPECT_EQ(first.heading, 30.0);
  EXPECT_EQ(first.phaseType, kSampleFinalDescent);

  // Later samples describe both bodies from the integrated state.
  const CTrajectorySample& s = Last();
  EXPECT_NEAR(s.time, 0.5, 1e-12);
  EXPECT_LT(s.payloadHeight, 1000.0 - 4.0);
  // The canopy drops behind, its strope still slack.
  EXPECT_LT(s.parachuteOffsetX, -26.0);
  EXPECT_GT(s.parachuteOffsetX, -35.0);
  EXPECT_NEAR(s.parachuteOffsetY, 0.0, 1e-9);
  EXPECT_NEAR(s.parachuteRelRoll, 5.0, 1.0);
  EXPECT_EQ(s.connectionForce, 0.0);
  EXPECT_NEAR(s.longitude, -1.25, 1e-4);  // under a metre on
  EXPECT_NEAR(s.heading, 30.0, 1e-6);     // straight on along the start heading
  EXPECT_GT(s.payloadWy, 0.0);
}

// The steady-wind flight below fixes the frame's orientation; here the sphere: a hop east at
// 60° covers twice the angle along the shrunken parallel, and a path over the pole stays defined.
TEST(GroundPositionTest, ShortHopsAndThePole) {
  const double radius = 1000.0 / kDegToRad;  // 1 km is 1° of arc
  const GroundPosition hop =
      AdvanceGroundPosition({60.0, 200.0}, 90.0 * kDegToRad, 1.0, 0.0, radius);
  EXPECT_NEAR(hop.longitude - 200.0, 2e-3, 1e-9);
  EXPECT_NEAR(hop.latitude, 60.0, 1e-5);
  const GroundPosition pole = AdvanceGroundPosition({89.5, 0.0}, 0.0, 1000.0, 0.0, radius);
  EXPECT_NEAR(pole.latitude, 89.5, 1e-9);
  EXPECT_NEAR(std::fabs(pole.longitude), 180.0, 1e-9);
}

// In a steady wind the system drifts with the air once its own horizontal speed has died
// away: the ground track runs downwind by about wind × time, whatever the descent's heading,
// and the next phase starts where it ended.
TEST_F(FinalDescent, ASteadyWindCarriesTheGroundTrackDownwind) {
  constexpr double kWindEast = 8.0;  // m/s
  test::AtmText atm = test::ExponentialAtmosphere();
  for (test::AtmRow& row : atm.rows) row.windWE = kWindEast;
  test::WriteFile(base / "atm" / "earth.atm", atm.Text());
  doc.mission.environment.wind = 1;
  doc.mission.initialState.latitude = 45.0;
  doc.mission.initialState.longitude = -1.0;
  doc.mission.initialState.heading = 30.0;
  ASSERT_EQ(Run(), 1) << prompter.Transcript();

  const double radius = doc.planetConstants().radius;
  const CTrajectorySample& last = Last();
  const double east = (last.longitude + 1.0) * kDegToRad * radius * std::cos(45.0 * kDegToRad);
  const double north = (last.latitude - 45.0) * kDegToRad * radius;
  EXPECT_GT(last.time, 100.0);
  EXPECT_NEAR(east / (kWindEast * last.time), 1.0, 0.02);
  EXPECT_NEAR(north, 0.0, 10.0);
  EXPECT_EQ(handOver.latitude, last.latitude);
  EXPECT_EQ(handOver.longitude, last.longitude);
  EXPECT_EQ(handOver.heading, 30.0);
}

TEST_F(FinalDescent, TimeStopsCountWholeStepsAndProgressFollowsTheFinalTime) {
  phase.stopKind = 0;
  phase.stopTime = 10.0;
  doc.mission.solver.timeStep = doc.mission.solver.outputTimeStep = 1.0;
  doc.mission.solver.finalTime = 20.0;
  ASSERT_EQ(Run(), 1) << prompter.Transcript();
  EXPECT_EQ(doc.results.LastIndex(), 10);
  EXPECT_NEAR(doc.results.EndTime(), 10.0, 1e-12);
  ASSERT_EQ(progress.shown.size(), 9u);  // after TOUT advanced to 2 … 10
  EXPECT_NEAR(progress.shown.front(), 10.0, 1e-12);
  EXPECT_NEAR(progress.shown.back(), 50.0, 1e-12);
  // The state after the last step went on to the next phase.
  EXPECT_NEAR(handOver.height, Last().payloadHeight, 1e-9);
  EXPECT_NEAR(handOver.payloadSpeed, Last().payloadSpeed, 1e-9);
  EXPECT_NEAR(handOver.parachuteSpeed, Last().parachuteSpeed, 1e-9);
  EXPECT_EQ(handOver.parachuteOffsetX, -25.0);  // left as it was
}

TEST_F(FinalDescent, HeightStopsAndTheGround) {
  phase.stopHeight = 990.0;
  ASSERT_EQ(Run(), 1);
  EXPECT_LE(handOver.height, 990.0);
  EXPECT_GT(handOver.height, 989.0);
  ASSERT_FALSE(progress.shown.empty());
  // Shown after every step but the last, as the share of the way down to the stop height.
  const double before = doc.results.SampleAt(doc.results.LastIndex() - 1).payloadHeight;
  EXPECT_NEAR(progress.shown.back(), (1000.0 - before) * 10.0, 1e-9);

  // Already on the ground, or below the stop height: one step, and the state handed on.
  for (double start : {0.0, 500.0}) {
    doc.mission.initialState.height = start;
    ASSERT_EQ(Run(), 1);
    EXPECT_EQ(doc.results.LastIndex(), 1);
    EXPECT_LT(handOver.height, start);
  }
}

// A canopy turned round so that the air meets it from behind at once (and close enough for its
// strope, now running back past the payload, to hang slack).
TEST_F(FinalDescent, TheFlipQuestionComesOncePerPhase) {
  doc.mission.initialState.parachuteYaw = 180.0;
  doc.mission.initialState.parachuteOffsetX = -5.0;
  phase.stopKind = 0;
  phase.stopTime = 2.0;
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(Questions(), 1);
  EXPECT_EQ(doc.results.LastIndex(), 20);  // let go on to its stop
  EXPECT_TRUE(phase.flip.accepted);
  // The answer holds for the phase record: a new run does not ask again.
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(Questions(), 1);
  EXPECT_TRUE(phase.flip.detected);  // raised again and again, and no longer asked about

  // Declined: the phase ends there, normally, with its state handed on.
  CParachutePhase& other = *doc.mission.InsertPhase(0, kPhaseFinalDescent).parachute();
  other = phase;
  other.flip = {};
  prompter.Clear();
  prompter.QueueAnswers({false});
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(Questions(), 1);
  EXPECT_EQ(doc.results.LastIndex(), 1);
  EXPECT_LT(handOver.height, 1000.0);
  EXPECT_FALSE(other.flip.accepted);
}

// The question is decided on the states the integrator returns, not on its trial evaluations,
// which differ from method to method: a canopy turned 30° off the flow is not flipped whichever
// method flies it (with trial states deciding, the Fehlberg method asked in one of these cases and
// the Adams method in the other), and one turned 120° is, at once, for both.
TEST_F(FinalDescent, EveryMethodAsksTheSameFlipQuestion) {
  phase.stopKind = 0;
  phase.stopTime = 3.0;
  struct Case {
    double yaw, offset;  // °, m
    int questions, lastIndex;
  };
  for (const Case& c :
       {Case{30.0, -5.0, 0, 30}, Case{30.0, -25.0, 0, 30}, Case{120.0, -5.0, 1, 1}}) {
    doc.mission.initialState.parachuteYaw = c.yaw;
    doc.mission.initialState.parachuteOffsetX = c.offset;
    for (int method : {0, 1}) {
      doc.mission.solver.integrator = method;
      phase.flip = {};
      prompter.Clear();
      prompter.QueueAnswers({false});
      ASSERT_EQ(Run(), 1) << prompter.Transcript();
      EXPECT_EQ(Questions(), c.questions) << c.yaw << " " << c.offset << " method " << method;
      EXPECT_EQ(doc.results.LastIndex(), c.lastIndex) << c.yaw << " " << c.offset << " " << method;
    }
  }
}

TEST_F(FinalDescent, FailuresAndStopHandNothingOver) {
  // Bridle legs so stiff that the confluence point cannot balance: one warning, phase over.
  payload().connectionKind = kBridleLegs;
  parachute().stiffness = 1e14;
  doc.mission.initialState.parachuteOffsetX = -40.0;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(prompter.Transcript(), "warning: Too many steps in confluence point\n");
  EXPECT_EQ(handOver.height, 1000.0);
  EXPECT_EQ(doc.results.LastIndex(), 0);  // only the starting sample
  EXPECT_EQ(progress.ended, 1);

  // A run that starts again clears the abort, and the user's Stop ends it without a message.
  parachute().stiffness = 10000.0;
  prompter.Clear();
  progress.stopAtStep = progress.steps + 3;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(doc.results.LastIndex(), 3);
  EXPECT_EQ(handOver.height, 1000.0);
  EXPECT_TRUE(prompter.entries().empty());
}

// Long enough descents settle where the forces balance, in every line model; every
// variable-step integrator agrees.
TEST(FinalDescentFlight, TheSystemSettlesAtTheTerminalSpeed) {
  std::vector<double> speeds;
  for (int integrator : {kRungeKuttaFehlberg, kAdamsBashforthMoulton, kHighStiffness}) {
    for (int lines = 0; lines < 3; ++lines) {
      test::FlightFixture f;
      f.UseLightDescent(1000.0, 10.0);
      f.AddFinalDescentPhase().massPointAtConfluence = lines == 2 ? 1 : 0;
      f.payload().connectionKind = lines == 0 ? kSingleStrope : kBridleLegs;
      f.doc.mission.solver.integrator = integrator;
      f.doc.readatmosphere();
      CHandOverState r = CHandOverState::FromInitialState(f.doc.mission.initialState);
      ASSERT_EQ(test::FlyDescentPhase(f.doc, *f.doc.mission.phases[0], r), 1)
          << f.prompter.Transcript();
      EXPECT_LE(r.height, 0.0);
      // Drag of canopy (0.75·q̄·50 m²) and payload (1.5·q̄·1 m²) carrying 110 kg.
      const CTrajectorySample& s = LastSample(f.doc);
      const double density = 1.225 * std::exp(-s.payloadHeight / 7000.0);
      const double terminal = std::sqrt(2.0 * 110.0 * 9.80665 / (density * (37.5 + 1.5)));
      EXPECT_NEAR(s.payloadSpeed / terminal, 1.0, 0.01) << integrator << lines;
      EXPECT_NEAR(s.parachuteSpeed / terminal, 1.0, 0.01) << integrator << lines;
      EXPECT_NEAR(s.payloadPathAngle, -90.0, 0.5);
      // The lines carry the payload's weight less its own drag.
      const double q = 0.5 * density * s.payloadSpeed * s.payloadSpeed;
      EXPECT_NEAR(s.connectionForce / (100.0 * 9.80665 - 1.5 * q), 1.0, 0.02);
      speeds.push_back(r.payloadSpeed);
    }
  }
  for (double v : speeds) EXPECT_NEAR(v / speeds[0], 1.0, 1e-3);
}

// A ballistic entry hands over to the final descent, which starts where the entry ended with
// the canopy at the payload, and goes on along the same time axis.
TEST(FinalDescentFlight, AWholeMissionFromEntryToTheGround) {
  test::FlightFixture f;
  f.UseLightDescent(6000.0, 200.0);
  f.doc.mission.initialState.latitude = 10.0;
  f.doc.mission.initialState.heading = 45.0;
  f.doc.mission.initialState.payloadPathAngle = f.doc.mission.initialState.parachutePathAngle =
      -30.0;
  f.doc.mission.initialState.payloadPitch = 30.0;
  f.AddBallisticPhase().stopHeight = 3000.0;
  CParachutePhase& descent = f.AddFinalDescentPhase();
  descent.stopHeight = 2000.0;
  RunMission(f.doc);
  for (const auto& e : f.prompter.entries()) {
    EXPECT_EQ(e.kind, RecordingPrompter::Kind::OkCancel) << f.prompter.Transcript();
  }

  // The last ballistic sample, then the first of the descent one output step later.
  const auto& samples = f.doc.results.Samples();
  std::size_t split = 0;
  while (samples[split].phaseType == kSampleBallistic) ++split;
  ASSERT_GT(split, 1u);
  ASSERT_LT(split + 1, samples.size());
  const CTrajectorySample& end = samples[split - 1];
  const CTrajectorySample& start = samples[split];
  EXPECT_NEAR(start.time - end.time, f.doc.mission.solver.outputTimeStep, 1e-9);
  EXPECT_LE(end.payloadHeight, 3000.0);
  EXPECT_NEAR(start.payloadHeight, end.payloadHeight + end.payloadVz * 0.1, 0.5);
  EXPECT_NEAR(start.payloadSpeed, end.payloadSpeed, 2.0);
  // The canopy starts at the payload and drops behind it.
  EXPECT_LT(std::fabs(start.parachuteOffsetX), 5.0);
  EXPECT_LT(LastSample(f.doc).parachuteOffsetX, -20.0);
  // The descent starts where the entry ended on the map, one output step on.
  const double radius = f.doc.planetConstants().radius;
  EXPECT_NEAR((start.latitude - end.latitude) * kDegToRad * radius,
              end.payloadVx * f.doc.mission.solver.outputTimeStep, 1.0);
  EXPECT_GT(start.latitude, 10.0);
  EXPECT_LE(LastSample(f.doc).payloadHeight, 2000.0);
  EXPECT_EQ(LastSample(f.doc).phaseType, kSampleFinalDescent);
  EXPECT_EQ(f.doc.results.EndTime(), LastSample(f.doc).time);
}

}  // namespace
}  // namespace plumora
