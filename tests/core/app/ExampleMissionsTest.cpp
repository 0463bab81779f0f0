// The bundled examples fly to the ground at their stored settings without a message, and the
// bundled capsule aerodynamics behave as a blunt capsule should.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/common/Constants.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

struct Example {
  const char* name;
  double minLandingSpeed, maxLandingSpeed;  // m/s
};

class ExampleMission : public ::testing::TestWithParam<Example> {};

TEST_P(ExampleMission, FliesToTheGroundWithoutAMessage) {
  const Example& example = GetParam();
  CPlumoraDoc doc;
  RecordingPrompter prompter;
  prompter.defaultAnswer = false;  // a flip question would end the phase
  doc.SetPrompter(&prompter);
  ASSERT_TRUE(
      LoadMission(doc, test::DataFolder() / "examples" / (std::string(example.name) + ".psd"))
          .ok());
  doc.baseFolder = test::DataFolder();
  const RunOutcome outcome = RunMission(doc);
  EXPECT_EQ(prompter.Transcript(), "");
  EXPECT_EQ(static_cast<int>(outcome.phases.size()), doc.mission.ModuleCount());
  EXPECT_EQ(outcome.End(), FlightEnd::kLanded);
  EXPECT_EQ(outcome.Failure(), nullptr);
  ASSERT_GE(doc.results.LastIndex(), 0);
  const CTrajectorySample& last = doc.results.SampleAt(doc.results.LastIndex());
  EXPECT_LE(last.payloadHeight, 0.0);
  EXPECT_GT(last.payloadHeight, -10.0);
  EXPECT_GE(last.payloadSpeed, example.minLandingSpeed);
  EXPECT_LE(last.payloadSpeed, example.maxLandingSpeed);
  EXPECT_LT(doc.results.LastIndex(), 32000);
}

INSTANTIATE_TEST_SUITE_P(Bundled, ExampleMission,
                         ::testing::Values(Example{"earth-return", 4.0, 9.0},
                                           Example{"mars-entry", 50.0, 80.0},
                                           Example{"titan-probe", 3.0, 6.0},
                                           Example{"bridle-legs", 5.0, 12.0}),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// The westerly jet of the Earth table with winds carries the capsule east under its parachutes,
// about 2 km from 9 km down; in calm air it comes down where the entry left it.
TEST(BundledWind, TheEarthReturnDriftsEastUnderItsParachutes) {
  double landing[2] = {};
  for (int wind : {0, 1}) {
    CPlumoraDoc doc;
    RecordingPrompter prompter;
    doc.SetPrompter(&prompter);
    ASSERT_TRUE(LoadMission(doc, test::DataFolder() / "examples" / "earth-return.psd").ok());
    doc.baseFolder = test::DataFolder();
    doc.mission.environment.atmosphere = doc.mission.environment.wind = wind;
    RunMission(doc);
    const auto& s = doc.results.Samples();
    const auto start = std::find_if(s.begin(), s.end(), [](const CTrajectorySample& x) {
      return x.phaseType == kSampleFinalDescent;
    });
    ASSERT_NE(start, s.end());
    const double metresPerDegree =
        kDegToRad * doc.planetConstants().radius * std::cos(s.back().latitude * kDegToRad);
    const double drift = (s.back().longitude - start->longitude) * metresPerDegree;
    EXPECT_NEAR(drift, wind ? 2000.0 : 0.0, wind ? 300.0 : 100.0);
    landing[wind] = s.back().longitude;
  }
  EXPECT_GT(landing[1], landing[0]);
}

// The default payload with the bundled aerodynamics, released 10 degrees off its flight path
// at 60 km and 3 km/s, over its first 30 s (down to about 22 km and Mach 3). Lower and slower a
// blunt capsule without damping swings ever wider, as real ones do.
TEST(BundledCapsule, DeceleratesAndSwingsBackTowardsZeroAngleOfAttack) {
  CPlumoraDoc doc;
  RecordingPrompter prompter;
  doc.SetPrompter(&prompter);
  doc.baseFolder = test::DataFolder();
  doc.mission.CreatePayload();
  CBallisticEntryPhase& phase = *doc.mission.AddPhase(kPhaseBallisticEntry).ballistic();
  phase.payloadNumber = 0;
  phase.stopKind = 0;
  phase.stopTime = 30.0;
  doc.mission.initialState.height = 60000.0;
  doc.mission.initialState.payloadVelocity = 3000.0;
  doc.mission.initialState.payloadPathAngle = -30.0;
  doc.mission.initialState.payloadPitch = 40.0;  // the nose 10 degrees above the flight path
  RunMission(doc);
  ASSERT_EQ(prompter.Transcript(), "");
  const auto& samples = doc.results.Samples();
  ASSERT_GT(samples.size(), 250u);
  EXPECT_NEAR(samples[1].payloadAngleOfAttack, 10.0, 0.5);
  EXPECT_LT(samples.back().payloadSpeed, 0.5 * samples.front().payloadSpeed);
  // A restoring moment swings the nose back through the flight path again and again: the angle
  // of attack keeps coming back near zero and never grows into a tumble.
  int nearZero = 0;
  double largest = 0.0;
  for (std::size_t i = 1; i + 1 < samples.size(); ++i) {
    const double a = samples[i].payloadAngleOfAttack;
    largest = std::max(largest, a);
    if (a < 2.0 && a <= samples[i - 1].payloadAngleOfAttack &&
        a <= samples[i + 1].payloadAngleOfAttack) {
      ++nearZero;
    }
  }
  EXPECT_GE(nearZero, 3);
  EXPECT_LT(largest, 11.0);
}

}  // namespace
}  // namespace plumora
