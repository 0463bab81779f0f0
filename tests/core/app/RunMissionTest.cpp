#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/common/Messages.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

// Everything the document told its observers, in order.
struct Recorder final : DocumentObserver {
  std::vector<std::string> heard;
  void ChartZoomCleared(const CPlumoraDoc&) override { heard.push_back("zoom"); }
  void ResultsChanged(const CPlumoraDoc&) override { heard.push_back("results"); }
  void ViewsNeedUpdate(const CPlumoraDoc&) override { heard.push_back("views"); }
  void MissionPlanChanged(const CPlumoraDoc&) override { heard.push_back("plan"); }
};

// Module doubles: record which phase ran with which hand-over state, then do what the test says.
struct ScriptedModules final : PhaseModules {
  struct Call {
    std::string module;
    const CMissionPhase* phase;
    CHandOverState start;
  };
  std::vector<Call> calls;
  // Called with the call's number (from 0); returns what the module returns.
  std::function<Result<PhaseEnd>(int, FlightContext&, CHandOverState&)> behaviour =
      [](int, FlightContext&, CHandOverState&) { return PhaseEnd::kStopCondition; };

  Result<PhaseEnd> FlyBallisticEntry(FlightContext& flight, const CMissionPhase& phase,
                                     CHandOverState& r) override {
    return Record("ballistic", flight, phase, r);
  }
  Result<PhaseEnd> FlyFinalDescent(FlightContext& flight, const CMissionPhase& phase,
                                   CHandOverState& r) override {
    return Record("parachute", flight, phase, r);
  }
  Result<PhaseEnd> Record(const char* module, FlightContext& flight, const CMissionPhase& phase,
                          CHandOverState& r) {
    calls.push_back({module, &phase, r});
    return behaviour(static_cast<int>(calls.size()) - 1, flight, r);
  }
};

// A module that flies: one sample at the end of its phase, a lower height handed on.
Result<PhaseEnd> Fly(FlightContext& flight, CHandOverState& r) {
  CTrajectorySample sample;
  sample.time = flight.results().EndTime() + 10.0;
  sample.payloadHeight = r.height - 1000.0;
  flight.results().Append(sample);
  flight.results().SetEndTime(sample.time);
  r.height = sample.payloadHeight;
  r.parachuteOffsetX = 0.0;
  return r.height <= 0.0 ? PhaseEnd::kGround : PhaseEnd::kStopCondition;
}

class RunMissionTest : public ::testing::Test {
 protected:
  RunMissionTest() {
    doc.baseFolder = dir.path();
    doc.SetPrompter(&prompter);
    doc.AddObserver(&recorder);
    doc.mission.initialState.height = 20000.0;
    doc.mission.initialState.parachuteOffsetX = -25.0;
    modules.behaviour = [](int, FlightContext& f, CHandOverState& r) { return Fly(f, r); };
  }
  void WriteAtmosphere() {
    test::WriteFile(dir / "atm" / "e.atm", test::SimpleAtmosphere(4).Text());
  }
  // Results from an earlier run.
  void LeaveEarlierRun() {
    CTrajectorySample old;
    old.time = 99.0;
    doc.results.Append(old);
    doc.results.SetEndTime(99.0);
  }

  test::TempDir dir;
  RecordingPrompter prompter;
  Recorder recorder;
  ScriptedModules modules;
  CPlumoraDoc doc;
};

TEST_F(RunMissionTest, WithoutComputedPhasesNothingChangesButTheZoom) {
  LeaveEarlierRun();
  for (auto types : {std::vector<int>{}, std::vector<int>{kPhaseDeployment, kPhaseInflation}}) {
    doc.mission.phases.clear();
    for (int type : types) doc.mission.AddPhase(type);
    recorder.heard.clear();
    const RunOutcome outcome = RunMission(doc, modules);
    EXPECT_EQ(outcome.start, RunStart::kNothingToRun);
    EXPECT_EQ(outcome.End(), FlightEnd::kNotFlown);
    EXPECT_EQ(outcome.Failure(), nullptr);
    EXPECT_EQ(recorder.heard, std::vector<std::string>{"zoom"});
    EXPECT_EQ(doc.results.LastIndex(), 0);
    EXPECT_EQ(doc.results.EndTime(), 99.0);
    EXPECT_TRUE(modules.calls.empty());
    EXPECT_TRUE(prompter.entries().empty());  // the atmosphere is not even read
  }
}

TEST_F(RunMissionTest, AnAtmosphereThatCannotBeReadLeavesTheResultsEmpty) {
  doc.mission.AddPhase(kPhaseBallisticEntry);
  LeaveEarlierRun();
  const RunOutcome outcome = RunMission(doc, modules);
  EXPECT_EQ(prompter.Transcript().find("error: atm folder not found in readatmosphere\n"), 0u);
  EXPECT_EQ(outcome.start, RunStart::kAtmosphereUnread);
  EXPECT_EQ(outcome.End(), FlightEnd::kFailed);
  ASSERT_NE(outcome.Failure(), nullptr);
  EXPECT_EQ(outcome.Failure()->code, ErrorCode::kCannotOpen);
  EXPECT_EQ(doc.results.LastIndex(), -1);
  EXPECT_EQ(doc.results.EndTime(), 0.0);
  EXPECT_TRUE(modules.calls.empty());
  EXPECT_EQ(recorder.heard, std::vector<std::string>{"zoom"});
}

// Records a phase would fly are checked before anything runs; the first that cannot fly is
// named with its field. Records no phase flies are not refused.
TEST_F(RunMissionTest, RecordsThatCannotFlyAreNamedAndNothingRuns) {
  WriteAtmosphere();
  CPayload& payload = doc.mission.CreatePayload();
  payload.number = 3;
  payload.name = "K\xe4psle";  // Windows-1252, shown as UTF-8
  CParachute& parachute = doc.mission.CreateParachute();
  parachute.number = 5;
  parachute.name = "main";
  doc.mission.CreatePayload().mass = -1.0;  // flown by nobody
  doc.mission.AddPhase(kPhaseBallisticEntry).ballistic()->payloadNumber = 3;
  CParachutePhase& descent = *doc.mission.AddPhase(kPhaseFinalDescent).parachute();
  descent.payloadNumber = 3;
  descent.parachuteNumber = 5;
  parachute.confluenceMass = 0.0;  // flown only with a mass point
  ASSERT_EQ(RunMission(doc, modules).start, RunStart::kRan) << prompter.Transcript();

  const struct {
    std::function<void()> spoil;
    std::string text;
  } cases[] = {
      {[&] { payload.mass = 0.0; }, "Payload 3 \"K\xc3\xa4psle\": mass must be positive\n"},
      {[&] { payload.iyy = std::nan(""); },
       "Payload 3 \"K\xc3\xa4psle\": inertia Iyy must be a finite number\n"},
      {[&] { parachute.stiffness = -10.0; }, "Parachute 5 \"main\": stiffness must be positive\n"},
      {[&] { descent.massPointAtConfluence = 1; },
       "Parachute 5 \"main\": confluence point mass must be positive\n"},
  };
  const CPayload goodPayload = payload;
  const CParachute goodParachute = parachute;
  LeaveEarlierRun();
  recorder.heard.clear();
  for (const auto& c : cases) {
    payload = goodPayload;
    parachute = goodParachute;
    descent.massPointAtConfluence = 0;
    c.spoil();
    prompter.Clear();
    const RunOutcome outcome = RunMission(doc, modules);
    EXPECT_EQ(outcome.start, RunStart::kRecordRefused);
    ASSERT_NE(outcome.Failure(), nullptr);
    EXPECT_EQ(outcome.Failure()->code, ErrorCode::kInvalid);
    EXPECT_EQ(prompter.Transcript(), "error: " + c.text);
  }
  EXPECT_EQ(modules.calls.size(), 2u);     // the first run's only
  EXPECT_EQ(doc.results.EndTime(), 99.0);  // the earlier results stay
  EXPECT_EQ(recorder.heard, std::vector<std::string>(std::size(cases), "zoom"));
}

TEST_F(RunMissionTest, ComputedPhasesRunInOrderEachFromThePreviousEnd) {
  WriteAtmosphere();
  CMissionPhase& entry = doc.mission.AddPhase(kPhaseBallisticEntry);
  doc.mission.AddPhase(kPhaseDeployment);
  CMissionPhase& descent = doc.mission.AddPhase(kPhaseFinalDescent);
  descent.active = 0;  // not consulted
  LeaveEarlierRun();
  const RunOutcome outcome = RunMission(doc, modules);
  ASSERT_EQ(modules.calls.size(), 2u) << prompter.Transcript();
  EXPECT_EQ(modules.calls[0].module, "ballistic");
  EXPECT_EQ(modules.calls[0].phase, &entry);
  EXPECT_EQ(modules.calls[0].start.height, 20000.0);
  EXPECT_EQ(modules.calls[0].start.parachuteOffsetX, -25.0);
  EXPECT_EQ(modules.calls[1].module, "parachute");
  EXPECT_EQ(modules.calls[1].phase, &descent);
  EXPECT_EQ(modules.calls[1].start.height, 19000.0);
  EXPECT_EQ(modules.calls[1].start.parachuteOffsetX, 0.0);
  // The old results are gone, the atmosphere was read, the ranges cover the new samples.
  EXPECT_EQ(doc.results.LastIndex(), 1);
  EXPECT_EQ(doc.results.EndTime(), 20.0);
  EXPECT_EQ(doc.atmosphereTable().pointCount, 4);
  EXPECT_EQ(doc.results.Ranges()[0].maximum, 20.0);
  EXPECT_EQ(recorder.heard, (std::vector<std::string>{"zoom", "results", "views"}));
  // Each computed phase with its place in the list and the samples it stored.
  ASSERT_EQ(outcome.phases.size(), 2u);
  EXPECT_EQ(outcome.phases[0].phase, 0u);
  EXPECT_EQ(outcome.phases[1].phase, 2u);
  EXPECT_EQ(outcome.phases[1].firstSample, 1);
  EXPECT_EQ(outcome.phases[1].lastSample, 1);
  EXPECT_EQ(outcome.End(), FlightEnd::kStopCondition);
  EXPECT_EQ(outcome.Failure(), nullptr);
}

TEST_F(RunMissionTest, AModuleThatStopsEndsTheMissionButKeepsItsSamples) {
  WriteAtmosphere();
  doc.mission.AddPhase(kPhaseBallisticEntry);
  doc.mission.AddPhase(kPhaseBallisticEntry);
  doc.mission.AddPhase(kPhaseFinalDescent);
  modules.behaviour = [](int call, FlightContext& f, CHandOverState& r) -> Result<PhaseEnd> {
    (void)Fly(f, r);
    if (call == 0) return Fail(ErrorCode::kFlightFailed, "failed\n", kCaptionWarning);
    return PhaseEnd::kGround;
  };
  const RunOutcome outcome = RunMission(doc, modules);
  EXPECT_EQ(modules.calls.size(), 1u);
  // The phase's error is shown once, as it is, by the document's run.
  EXPECT_EQ(prompter.Transcript(), "warning: failed\n");
  EXPECT_EQ(outcome.End(), FlightEnd::kFailed);
  EXPECT_EQ(doc.results.LastIndex(), 0);
  EXPECT_EQ(doc.results.Ranges()[0].maximum, 10.0);  // ranges still computed
  EXPECT_EQ(recorder.heard, (std::vector<std::string>{"zoom", "results", "views"}));
}

TEST_F(RunMissionTest, EveryRunStartsFromTheInitialState) {
  WriteAtmosphere();
  doc.mission.AddPhase(kPhaseBallisticEntry);
  RunMission(doc, modules);
  const CTrajectoryStore first = doc.results;
  RunMission(doc, modules);
  ASSERT_EQ(modules.calls.size(), 2u);
  EXPECT_EQ(modules.calls[1].start.height, 20000.0);
  EXPECT_EQ(doc.results.LastIndex(), first.LastIndex());
  EXPECT_EQ(doc.results.SampleAt(0).payloadHeight, 19000.0);
  EXPECT_EQ(doc.results.EndTime(), first.EndTime());
}

// How the last phase ended is how the run ended; a user's stop ends it without a message.
TEST_F(RunMissionTest, TheOutcomeSaysHowTheRunEndedAndWhy) {
  WriteAtmosphere();
  doc.mission.AddPhase(kPhaseBallisticEntry);
  doc.mission.AddPhase(kPhaseFinalDescent);
  const struct {
    Result<PhaseEnd> last;
    FlightEnd end;
    std::string shown;
  } cases[] = {
      {PhaseEnd::kGround, FlightEnd::kLanded, ""},
      {PhaseEnd::kStopCondition, FlightEnd::kStopCondition, ""},
      {PhaseEnd::kDeclined, FlightEnd::kDeclined, ""},
      {Fail(ErrorCode::kStopped, {}), FlightEnd::kStoppedByUser, ""},
      {Fail(ErrorCode::kFlightFailed, std::string(kMsgSolverStuck)), FlightEnd::kFailed,
       "error: " + std::string(kMsgSolverStuck)},
  };
  for (const auto& c : cases) {
    prompter.Clear();
    modules.behaviour = [&](int call, FlightContext& f, CHandOverState& r) -> Result<PhaseEnd> {
      (void)Fly(f, r);
      return call % 2 == 0 ? Result<PhaseEnd>(PhaseEnd::kStopCondition) : c.last;
    };
    const RunOutcome outcome = RunMission(doc, modules);
    EXPECT_EQ(outcome.End(), c.end);
    EXPECT_EQ(outcome.Failure() != nullptr, !c.last.ok());
    EXPECT_EQ(prompter.Transcript(), c.shown);
  }
}

// Outside a document a run shows nothing: what it would have shown is its outcome's and its
// state's. It flies through the environment it is given, with its own factors on the air.
TEST_F(RunMissionTest, AMissionFliesThroughAGivenEnvironmentShowingNothing) {
  WriteAtmosphere();
  doc.mission.AddPhase(kPhaseBallisticEntry);
  const Result<Environment> environment = LoadRunEnvironment(dir.path(), doc.mission);
  ASSERT_TRUE(environment.ok());
  CTrajectoryStore results;
  RunState state(doc.mission, results);
  modules.behaviour = [&](int, FlightContext& f, CHandOverState& r) -> Result<PhaseEnd> {
    EXPECT_EQ(&f.environment, &environment.value());
    EXPECT_EQ(f.air.lnDensity, std::log(2.0));
    EXPECT_EQ(f.air.wind, 0.5);
    f.run.Notify("on the way\n", kCaptionWarning);
    (void)Fly(f, r);
    return Fail(ErrorCode::kOverCapacity, std::string(kMsgTooManySamples));
  };
  const RunOutcome outcome =
      FlyMission(doc.mission, environment.value(), {2.0, 0.5}, state, modules);
  EXPECT_EQ(prompter.Transcript(), "");
  ASSERT_EQ(state.notices.size(), 1u);
  EXPECT_EQ(state.notices[0].text, "on the way\n");
  EXPECT_EQ(state.notices[0].caption, "warning");
  ASSERT_NE(outcome.Failure(), nullptr);
  EXPECT_EQ(outcome.Failure()->message, kMsgTooManySamples);
  EXPECT_EQ(state.handOver.height, 19000.0);
  EXPECT_EQ(results.LastIndex(), 0);
  EXPECT_EQ(doc.results.LastIndex(), -1);  // the document was not touched
}

// A parachute flip accepted in one run is remembered by the phase record for the next, as the
// record's own memory: it is no part of the mission's value.
TEST_F(RunMissionTest, TheFlipMemoryOfARunStaysWithItsPhaseRecord) {
  WriteAtmosphere();
  doc.mission.AddPhase(kPhaseDeployment);
  doc.mission.AddPhase(kPhaseFinalDescent);
  const Mission before = doc.mission;
  std::vector<FlipMemory> seen;
  modules.behaviour = [&](int, FlightContext& f, CHandOverState& r) -> Result<PhaseEnd> {
    seen.push_back(f.run.flips[f.phaseIndex]);
    f.run.flips[f.phaseIndex] = {false, true};
    return Fly(f, r);
  };
  RunMission(doc, modules);
  RunMission(doc, modules);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_FALSE(seen[0].accepted);
  EXPECT_TRUE(seen[1].accepted);
  EXPECT_TRUE(doc.mission.phases[1]->parachute()->flip.accepted);
  EXPECT_EQ(doc.mission, before);
}

}  // namespace
}  // namespace plumora
