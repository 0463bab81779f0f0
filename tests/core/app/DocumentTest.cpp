#include <gtest/gtest.h>

#include <cmath>

#include "core/app/PlumoraDoc.h"
#include "core/flight/HandOverState.h"
#include "support/Missions.h"

namespace plumora {
namespace {

TEST(Document, RecordsTakeNumbersFromTheCountersAndLookupsTheLastWithANumber) {
  CPlumoraDoc doc;
  const CPayload& p0 = doc.mission.CreatePayload();
  const CPayload& p1 = doc.mission.CreatePayload();
  const CParachute& c0 = doc.mission.CreateParachute();
  EXPECT_EQ(p0.number, 0);
  EXPECT_EQ(p1.number, 1);
  EXPECT_EQ(c0.number, 0);
  EXPECT_EQ(doc.mission.nextPayloadNumber, 2);
  EXPECT_EQ(doc.mission.nextParachuteNumber, 1);
  // Deleting records never lowers a counter, so numbers stay unique.
  doc.mission.payloads.clear();
  EXPECT_EQ(doc.mission.CreatePayload().number, 2);

  // A lookup takes the last record with the number.
  CPayload& later = doc.mission.CreatePayload();
  later.number = 2;  // as a file may bring it
  later.name = "later";
  EXPECT_EQ(doc.mission.FindPayload(2)->name, "later");
  EXPECT_EQ(doc.mission.FindPayload(7), nullptr);
  EXPECT_EQ(doc.mission.FindParachute(5), nullptr);
}

TEST(Document, LegPointsLieEvenlyOnTheAttachmentCircle) {
  CPayload p;
  p.legCount = 4;
  p.cogDistance = -1.0;
  p.legRadius = 0.35;
  p.DeriveLegPoints();
  const Vec3 expected[4] = {{-1, 0.35, 0}, {-1, 0, 0.35}, {-1, -0.35, 0}, {-1, 0, -0.35}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(p.legPoints[i].x, -1.0);
    EXPECT_NEAR(p.legPoints[i].y, expected[i].y, 1e-14) << i;
    EXPECT_NEAR(p.legPoints[i].z, expected[i].z, 1e-14) << i;
  }
  EXPECT_EQ(p.legPoints[4], Vec3{});

  // A count beyond the table fills the table and nothing more; a count of 0 fills nothing.
  p.legCount = 80;
  p.DeriveLegPoints();
  EXPECT_NEAR(Norm(p.legPoints[49] - Vec3{-1.0, 0.0, 0.0}), 0.35, 1e-14);
  CPayload none;
  none.legCount = 0;
  none.DeriveLegPoints();
  EXPECT_EQ(none.legPoints[0], Vec3{});
}

TEST(Document, ComputedPhasesOwnTheirModules) {
  CPlumoraDoc doc;
  CMissionPhase& entry = doc.mission.AddPhase(kPhaseBallisticEntry);
  doc.mission.AddPhase(kPhaseDeployment);
  CMissionPhase& descent = doc.mission.AddPhase(kPhaseFinalDescent);
  ASSERT_NE(entry.ballistic(), nullptr);
  EXPECT_EQ(entry.parachute(), nullptr);
  ASSERT_NE(descent.parachute(), nullptr);
  EXPECT_EQ(doc.mission.phases[1]->ballistic(), nullptr);
  EXPECT_EQ(doc.mission.phases[1]->parachute(), nullptr);
  EXPECT_EQ(doc.mission.ModuleCount(), 2);
  EXPECT_EQ(doc.mission.ModulePosition(descent), 2);
  EXPECT_EQ(doc.mission.ModulePosition(*doc.mission.phases[1]), 0);

  // A phase inserted in front moves its neighbours' positions but never their modules.
  descent.parachute()->stopHeight = 123.0;
  doc.mission.InsertPhase(0, kPhaseInflation);
  EXPECT_EQ(doc.mission.phases[3]->parachute()->stopHeight, 123.0);
  doc.mission.DeletePhase(1);  // the ballistic entry and its module
  EXPECT_EQ(doc.mission.ModuleCount(), 1);
  EXPECT_EQ(doc.mission.phases[2]->parachute()->stopHeight, 123.0);
}

TEST(Document, InitialStateOkMakesTheParachuteFollowThePayload) {
  CPlumoraDoc doc;
  InitialState edited = doc.mission.initialState;
  edited.payloadPathAngle = -5.0;
  edited.payloadVelocity = 6000.0;
  doc.mission.ApplyInitialState(edited);
  EXPECT_EQ(doc.mission.initialState.parachutePathAngle, -5.0);
  EXPECT_EQ(doc.mission.initialState.parachuteVelocity, 6000.0);
}

TEST(Document, HandOverStartsFromTheInitialState) {
  InitialState s;
  for (int i = 0; i < 23; ++i) s.*InitialState::kFieldOrder[i] = i + 1;  // fields 1 … 23
  const CHandOverState r = CHandOverState::FromInitialState(s);
  const double expected[23] = {1, 3,  5,  7,  8,  12, 10, 11, 14, 2,  4, 6,
                               9, 13, 18, 19, 20, 21, 22, 23, 15, 16, 17};
  const double actual[23] = {
      r.payloadRateX,       r.payloadRateY,   r.payloadRateZ,     r.height,
      r.payloadPathAngle,   r.payloadSpeed,   r.payloadPitch,     r.payloadRoll,
      r.payloadYaw,         r.parachuteRateX, r.parachuteRateY,   r.parachuteRateZ,
      r.parachutePathAngle, r.parachuteSpeed, r.parachuteOffsetX, r.parachuteOffsetY,
      r.parachuteOffsetZ,   r.parachuteRoll,  r.parachutePitch,   r.parachuteYaw,
      r.latitude,           r.longitude,      r.heading};
  for (int i = 0; i < 23; ++i) EXPECT_EQ(actual[i], expected[i]) << "hand-over field " << i + 1;
}

TEST(Document, EnvironmentChangeEmptiesTheResultsAndTellsTheViews) {
  CPlumoraDoc doc;
  test::CountingObserver observer;
  doc.AddObserver(&observer);
  doc.AddObserver(&observer);  // once is enough
  doc.results.Append({});
  doc.results.SetEndTime(5.0);
  doc.ApplyEnvironment({kTitan, 2, 1});
  EXPECT_EQ(doc.results.LastIndex(), -1);
  EXPECT_EQ(doc.results.EndTime(), 0.0);
  EXPECT_EQ(doc.mission.environment.planet, kTitan);
  EXPECT_EQ(doc.mission.environment.atmosphere, 2);
  EXPECT_EQ(doc.mission.environment.wind, 1);
  EXPECT_EQ(observer.results, 1);
  EXPECT_EQ(observer.views, 1);
  doc.RemoveObserver(&observer);
  doc.ApplyEnvironment({kEarth, 0, 0});
  EXPECT_EQ(observer.views, 1);
}

TEST(Document, DestroyEmptiesTheListsButSamplesKeepTheirRecords) {
  CPlumoraDoc doc;
  doc.mission.CreatePayload().name = "capsule";
  doc.mission.AddPhase(kPhaseBallisticEntry);
  CTrajectorySample sample;
  sample.payload = doc.mission.FindPayload(0);
  doc.results.Append(sample);
  doc.Destroy();
  EXPECT_TRUE(doc.mission.payloads.empty());
  EXPECT_TRUE(doc.mission.phases.empty());
  // The results still show which payload flew, without a dangling reference.
  EXPECT_EQ(doc.results.SampleAt(0).payload->name, "capsule");
}

}  // namespace
}  // namespace plumora
