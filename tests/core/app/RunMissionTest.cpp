#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
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
  std::function<int(int, FlightContext&, CHandOverState&)> behaviour =
      [](int, FlightContext&, CHandOverState&) { return 1; };

  int RunBallisticEntry(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) override {
    return Record("ballistic", flight, phase, r);
  }
  int RunParachutePhase(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) override {
    return Record("parachute", flight, phase, r);
  }
  int Record(const char* module, FlightContext& flight, CMissionPhase& phase, CHandOverState& r) {
    calls.push_back({module, &phase, r});
    return behaviour(static_cast<int>(calls.size()) - 1, flight, r);
  }
};

// A module that flies: one sample at the end of its phase, a lower height handed on.
int Fly(FlightContext& flight, CHandOverState& r) {
  CTrajectorySample sample;
  sample.time = flight.results.EndTime() + 10.0;
  sample.payloadHeight = r.height - 1000.0;
  flight.results.Append(sample);
  flight.results.SetEndTime(sample.time);
  r.height = sample.payloadHeight;
  r.parachuteOffsetX = 0.0;
  return 1;
}

class RunMissionTest : public ::testing::Test {
 protected:
  RunMissionTest() {
    doc.baseFolder = dir.path();
    doc.SetPrompter(&prompter);
    doc.AddObserver(&recorder);
    doc.initialState.height = 20000.0;
    doc.initialState.parachuteOffsetX = -25.0;
    modules.behaviour = [](int, FlightContext& f, CHandOverState& r) { return Fly(f, r); };
  }
  void WriteAtmosphere() {
    test::WriteFile(dir / "atm" / "e.atm", test::SimpleAtmosphere(4).Text());
  }
  // Results from an earlier run, and a hand-over record that is not the initial state.
  void LeaveEarlierRun() {
    CTrajectorySample old;
    old.time = 99.0;
    doc.results.Append(old);
    doc.results.SetEndTime(99.0);
    doc.handOver.height = -1.0;
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
    doc.phases.clear();
    for (int type : types) doc.AddPhase(type);
    recorder.heard.clear();
    RunMission(doc, modules);
    EXPECT_EQ(recorder.heard, std::vector<std::string>{"zoom"});
    EXPECT_EQ(doc.results.LastIndex(), 0);
    EXPECT_EQ(doc.results.EndTime(), 99.0);
    EXPECT_EQ(doc.handOver.height, -1.0);
    EXPECT_TRUE(modules.calls.empty());
    EXPECT_TRUE(prompter.entries().empty());  // the atmosphere is not even read
  }
}

TEST_F(RunMissionTest, AnAtmosphereThatCannotBeReadLeavesTheResultsEmpty) {
  doc.AddPhase(kPhaseBallisticEntry);
  LeaveEarlierRun();
  RunMission(doc, modules);
  EXPECT_EQ(prompter.Transcript(), "error: atm folder not found in readatmosphere\n");
  EXPECT_EQ(doc.results.LastIndex(), -1);
  EXPECT_EQ(doc.results.EndTime(), 0.0);
  EXPECT_EQ(doc.handOver.height, 20000.0);  // copied before the read
  EXPECT_TRUE(modules.calls.empty());
  EXPECT_EQ(recorder.heard, std::vector<std::string>{"zoom"});
}

// Records a phase would fly are checked before anything runs; the first that cannot fly is
// named with its field. Records no phase flies are not refused.
TEST_F(RunMissionTest, RecordsThatCannotFlyAreNamedAndNothingRuns) {
  WriteAtmosphere();
  CPayload& payload = doc.CreatePayload();
  payload.number = 3;
  payload.name = "K\xe4psle";  // Windows-1252, shown as UTF-8
  CParachute& parachute = doc.CreateParachute();
  parachute.number = 5;
  parachute.name = "main";
  doc.CreatePayload().mass = -1.0;  // flown by nobody
  doc.AddPhase(kPhaseBallisticEntry).ballistic()->payloadNumber = 3;
  CParachutePhase& descent = *doc.AddPhase(kPhaseFinalDescent).parachute();
  descent.payloadNumber = 3;
  descent.parachuteNumber = 5;
  parachute.confluenceMass = 0.0;  // flown only with a mass point
  ASSERT_EQ(RunMission(doc, modules), RunStart::kRan) << prompter.Transcript();

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
    EXPECT_EQ(RunMission(doc, modules), RunStart::kRecordRefused);
    EXPECT_EQ(prompter.Transcript(), "error: " + c.text);
  }
  EXPECT_EQ(modules.calls.size(), 2u);     // the first run's only
  EXPECT_EQ(doc.results.EndTime(), 99.0);  // the earlier results stay
  EXPECT_EQ(recorder.heard, std::vector<std::string>(std::size(cases), "zoom"));
}

TEST_F(RunMissionTest, ComputedPhasesRunInOrderEachFromThePreviousEnd) {
  WriteAtmosphere();
  CMissionPhase& entry = doc.AddPhase(kPhaseBallisticEntry);
  doc.AddPhase(kPhaseDeployment);
  CMissionPhase& descent = doc.AddPhase(kPhaseFinalDescent);
  descent.active = 0;  // not consulted
  LeaveEarlierRun();
  RunMission(doc, modules);
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
  EXPECT_EQ(doc.atmosphereTable.pointCount, 4);
  EXPECT_EQ(doc.results.Ranges()[0].maximum, 20.0);
  EXPECT_EQ(recorder.heard, (std::vector<std::string>{"zoom", "results", "views"}));
}

TEST_F(RunMissionTest, AModuleThatStopsEndsTheMissionButKeepsItsSamples) {
  WriteAtmosphere();
  doc.AddPhase(kPhaseBallisticEntry);
  doc.AddPhase(kPhaseBallisticEntry);
  doc.AddPhase(kPhaseFinalDescent);
  modules.behaviour = [](int call, FlightContext& f, CHandOverState& r) {
    Fly(f, r);
    return call == 0 ? 0 : 1;
  };
  RunMission(doc, modules);
  EXPECT_EQ(modules.calls.size(), 1u);
  EXPECT_EQ(doc.results.LastIndex(), 0);
  EXPECT_EQ(doc.results.Ranges()[0].maximum, 10.0);  // ranges still computed
  EXPECT_EQ(recorder.heard, (std::vector<std::string>{"zoom", "results", "views"}));
}

TEST_F(RunMissionTest, EveryRunStartsFromTheInitialState) {
  WriteAtmosphere();
  doc.AddPhase(kPhaseBallisticEntry);
  RunMission(doc, modules);
  const CTrajectoryStore first = doc.results;
  RunMission(doc, modules);
  ASSERT_EQ(modules.calls.size(), 2u);
  EXPECT_EQ(modules.calls[1].start.height, 20000.0);
  EXPECT_EQ(doc.results.LastIndex(), first.LastIndex());
  EXPECT_EQ(doc.results.SampleAt(0).payloadHeight, 19000.0);
  EXPECT_EQ(doc.results.EndTime(), first.EndTime());
}

}  // namespace
}  // namespace plumora
