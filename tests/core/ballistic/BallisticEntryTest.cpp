#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/ballistic/BallisticEntry.h"
#include "core/common/Messages.h"
#include "core/flight/PhaseLoop.h"
#include "core/flight/ProgressMeter.h"
#include "support/FlightFixture.h"
#include "support/ScriptedProgress.h"

namespace plumora {
namespace {

class BallisticEntry : public ::testing::Test, public test::FlightFixture {
 protected:
  BallisticEntry() : phase(AddBallisticPhase()) {
    doc.SetProgressSink(&progress);
    doc.mission.solver.integrator =
        kEuler;  // cheap and deterministic; the driver's rules don't depend on it
  }
  int Run(std::size_t index = 0) {
    EXPECT_EQ(doc.readatmosphere(), 1) << prompter.Transcript();
    doc.results.Clear();
    handOver = CHandOverState::FromInitialState(doc.mission.initialState);
    return test::FlyBallisticPhase(doc, *doc.mission.phases[index], handOver);
  }
  std::vector<double> SampleTimes() const {
    std::vector<double> times;
    for (const auto& s : doc.results.Samples()) times.push_back(s.time);
    return times;
  }

  CBallisticEntryPhase& phase;
  test::ScriptedProgress progress;
  CHandOverState handOver;
};

TEST_F(BallisticEntry, SamplesFallOnTheFirstStepAtOrAfterEachOutputTime) {
  phase.stopKind = 0;
  phase.stopTime = 1.0;
  ASSERT_EQ(Run(), 1) << prompter.Transcript();
  auto times = SampleTimes();
  ASSERT_EQ(times.size(), 11u);
  for (std::size_t i = 0; i < times.size(); ++i) EXPECT_NEAR(times[i], 0.1 * i, 1e-12);
  EXPECT_EQ(doc.results.EndTime(), times.back());

  doc.results.Clear();
  doc.mission.solver.outputTimeStep = 0.25;
  ASSERT_EQ(Run(), 1);
  times = SampleTimes();
  ASSERT_GE(times.size(), 4u);
  const double expected[] = {0.0, 0.3, 0.5, 0.8};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(times[i], expected[i], 1e-12) << i;
}

TEST_F(BallisticEntry, TimeStopEndsAfterTheStepThatReachesIt) {
  phase.stopKind = 0;
  phase.stopTime = 100.0;
  doc.mission.initialState.height = 140000.0;  // well clear of the ground
  ASSERT_EQ(Run(), 1);
  EXPECT_NEAR(doc.results.EndTime(), 100.0, 1e-9);
  EXPECT_EQ(doc.results.LastIndex(), 1000);
  // The progress went from a tenth of a percent to the whole.
  ASSERT_FALSE(progress.shown.empty());
  EXPECT_NEAR(progress.shown.front(), 0.2, 1e-9);  // shown after TOUT advanced to 0.2
  EXPECT_EQ(progress.phaseText, "    1/1");
  EXPECT_EQ(progress.started, 1);
  EXPECT_EQ(progress.ended, 1);
}

TEST_F(BallisticEntry, StartingBelowTheStopHeightEndsAfterOneStep) {
  phase.stopHeight = 20000.0;  // above the default 14 km start
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(doc.results.LastIndex(), 1);
  // The hand-over now holds the state after that step; the parachute is packed.
  EXPECT_LT(handOver.height, 14000.0);
  EXPECT_GT(handOver.height, 13900.0);
  EXPECT_NEAR(handOver.payloadSpeed, doc.results.SampleAt(1).payloadSpeed, 1e-9);
  EXPECT_EQ(handOver.parachuteSpeed, handOver.payloadSpeed);
  EXPECT_EQ(handOver.parachutePathAngle, handOver.payloadPathAngle);
  EXPECT_EQ(handOver.parachuteOffsetX, 0.0);
  EXPECT_EQ(handOver.parachuteRateY, 0.0);
  EXPECT_NEAR(handOver.heading, 0.0, 0.01);  // only the Coriolis drift turns it
  EXPECT_GT(handOver.latitude, 0.0);         // flying north from the equator
}

TEST_F(BallisticEntry, SamplesDescribeThePayloadAndItsPackedParachute) {
  doc.mission.initialState.payloadRateY = 2.0;
  phase.stopKind = 0;
  phase.stopTime = 0.5;
  ASSERT_EQ(Run(), 1);
  const CTrajectorySample& first = doc.results.SampleAt(0);
  EXPECT_EQ(first.payloadHeight, 14000.0);
  EXPECT_EQ(first.payloadPathAngle, -12.14);
  EXPECT_NEAR(first.payloadVz, 500.0 * std::sin(-12.14 * kDegToRad), 1e-12);
  EXPECT_EQ(first.parachuteWy, 2.0);
  EXPECT_EQ(first.phaseType, kSampleBallistic);

  const CTrajectorySample& s = doc.results.SampleAt(3);
  EXPECT_NEAR(
      s.payloadSpeed,
      std::sqrt(s.payloadVx * s.payloadVx + s.payloadVy * s.payloadVy + s.payloadVz * s.payloadVz),
      1e-9);
  EXPECT_EQ(s.parachuteHeight, s.payloadHeight);
  EXPECT_EQ(s.parachuteVz, s.payloadVz);
  EXPECT_EQ(s.parachutePitch, s.payloadPathAngle);
  EXPECT_EQ(s.parachuteRoll, 0.0);
  EXPECT_EQ(s.parachuteWy, 0.0);
  EXPECT_EQ(s.parachuteX, s.payloadX);
  EXPECT_GT(s.payloadWy, 0.0);
  EXPECT_NEAR(s.payloadX, doc.planetConstants().radius + s.payloadHeight, 1.0);  // near lat/lon 0
}

TEST_F(BallisticEntry, ALaterPhaseContinuesTheTimeAxis) {
  doc.readatmosphere();
  doc.results.SetEndTime(50.0);
  handOver = CHandOverState::FromInitialState(doc.mission.initialState);
  phase.stopKind = 0;
  phase.stopTime = 0.3;
  ASSERT_EQ(test::FlyBallisticPhase(doc, *doc.mission.phases[0], handOver), 1);
  EXPECT_NEAR(doc.results.SampleAt(0).time, 50.1, 1e-12);
}

TEST_F(BallisticEntry, FailuresReturnZeroAndHandNothingOver) {
  phase.payloadNumber = 42;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(prompter.Transcript(), "error: No payload selected in ballistic entry module\n");
  EXPECT_EQ(doc.results.LastIndex(), -1);

  phase.payloadNumber = payload().number;
  prompter.Clear();
  progress.stopAtStep = 3;
  const CHandOverState before = CHandOverState::FromInitialState(doc.mission.initialState);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(handOver.height, before.height);
  EXPECT_EQ(doc.results.LastIndex(), 3);  // the first sample and three steps
  EXPECT_EQ(progress.ended, 1);
  EXPECT_TRUE(prompter.entries().empty());
}

TEST_F(BallisticEntry, TheSampleLimitStopsThePhase) {
  phase.stopKind = 0;
  phase.stopTime = 1000.0;
  doc.mission.initialState.height = 140000.0;
  doc.mission.solver.timeStep = doc.mission.solver.outputTimeStep = 0.001;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(doc.results.LastIndex(), 32000);
  EXPECT_EQ(prompter.Transcript(), "error: Number of data points > 32000\n");
}

TEST_F(BallisticEntry, ASolverThatNeverAdvancesOrTimeThatDoesNotMoveEndsThePhase) {
  doc.mission.solver.integrator = 9;  // no such integrator: nothing is stepped
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(prompter.entries().size(), 1u);
  EXPECT_EQ(prompter.entries()[0].text, kMsgSolverStuck);
  EXPECT_EQ(progress.ended, 1);

  // A step far too large for Euler's method blows the state up: the phase ends at once.
  prompter.Clear();
  doc.mission.solver.integrator = kEuler;
  doc.mission.solver.timeStep = doc.mission.solver.outputTimeStep = 1e6;
  doc.mission.initialState.payloadVelocity = 1e300;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(prompter.entries().at(0).text, kMsgStateNotFinite);
  EXPECT_EQ(doc.results.LastIndex(), 0);  // only the starting sample

  prompter.Clear();
  doc.mission.solver.timeStep = -0.1;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(prompter.entries().at(0).text, kMsgBadTimeStep);

  // A capsule of next to no inertia, turned by its aerodynamic moment, forces steps so small
  // that time crawls: no progress either, and said so at once.
  prompter.Clear();
  test::WriteFile(base / "adf" / "ld600.adf",
                  test::ReadFile(test::DataFolder() / "adf" / "ld600.adf"));
  doc.mission.solver.integrator = kRungeKuttaFehlberg;
  doc.mission.solver.timeStep = doc.mission.solver.outputTimeStep = 0.1;
  doc.mission.initialState.payloadVelocity = 500.0;
  doc.mission.initialState.payloadPitch = 5.0;
  payload().iyy = payload().izz = 1e-305;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(prompter.Transcript(), "error: " + std::string(kMsgSolverStuck));
}

TEST(ProgressMeter, TimesAndBar) {
  double now = 1000.0;
  ProgressMeter meter([&] { return now; });
  meter.ShowProgress(0.0);
  EXPECT_EQ(meter.leftText(), "       inf s");
  EXPECT_EQ(meter.elapsedText(), "      0.00 s");
  now += 2500.0;
  meter.ShowProgress(25.0);
  EXPECT_EQ(meter.elapsedText(), "      2.50 s");
  EXPECT_EQ(meter.leftText(), "      7.50 s");
  EXPECT_EQ(meter.barPosition(), 25);
  meter.ShowProgress(100.0);
  EXPECT_EQ(meter.leftText(), "      0.00 s");
  EXPECT_EQ(FormatPhaseText(2, 3), "    2/3");
  EXPECT_EQ(ClampPercentage(NAN), 0.0);
  EXPECT_EQ(ClampPercentage(-4.0), 0.0);
  EXPECT_EQ(ClampPercentage(1e300 * 1e300), 100.0);
  EXPECT_EQ(ClampPercentage(42.5), 42.5);
}

// A sphere entering at 120 km and 7.6 km/s lands at the speed where drag balances weight,
// whichever variable-step integrator flies it.
TEST(BallisticEntryFlight, EveryIntegratorLandsAtTheTerminalSpeed) {
  std::vector<double> landingSpeeds;
  for (int integrator : {kRungeKuttaFehlberg, kAdamsBashforthMoulton, kHighStiffness}) {
    test::FlightFixture f;
    CBallisticEntryPhase& phase = f.AddBallisticPhase();
    phase.stopHeight = 0.0;
    f.doc.mission.initialState.height = 120000.0;
    f.doc.mission.initialState.payloadVelocity = 7600.0;
    f.doc.mission.initialState.payloadPathAngle = -6.0;
    f.doc.mission.initialState.payloadPitch = -6.0;
    f.doc.mission.solver.integrator = integrator;
    f.doc.readatmosphere();
    CHandOverState r = CHandOverState::FromInitialState(f.doc.mission.initialState);
    ASSERT_EQ(test::FlyBallisticPhase(f.doc, *f.doc.mission.phases[0], r), 1)
        << f.prompter.Transcript();
    EXPECT_LE(r.height, 0.0);
    EXPECT_GT(r.height, -10.0);
    // Sea-level density 1.225 kg/m³, drag coefficient 1.5 on 6.16 m², 2800 kg.
    const double terminal =
        std::sqrt(2.0 * 2800.0 * 9.80665 / (1.225 * test::kFixtureDragCoefficient * 6.16));
    // Still slowing down as the air thickens, it lands a little above the sea-level value.
    EXPECT_NEAR(r.payloadSpeed / terminal, 1.0, 0.03) << integrator;
    landingSpeeds.push_back(r.payloadSpeed);
    EXPECT_LT(r.payloadPathAngle, -85.0) << integrator;  // falling almost vertically
    // No moment acts: the attitude stays what it was while the flow turns to the vertical.
    EXPECT_NEAR(f.doc.results.SampleAt(f.doc.results.LastIndex()).payloadPlanetPitch,
                f.doc.results.SampleAt(1).payloadPlanetPitch, 1e-6);
  }
  // The three methods agree to their tolerances.
  EXPECT_NEAR(landingSpeeds[1] / landingSpeeds[0], 1.0, 1e-4);
  EXPECT_NEAR(landingSpeeds[2] / landingSpeeds[0], 1.0, 1e-4);
}

}  // namespace
}  // namespace plumora
