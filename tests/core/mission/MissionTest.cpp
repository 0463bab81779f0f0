#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/mission/Mission.h"
#include "support/Missions.h"

namespace plumora {
namespace {

// A copy is a mission of its own: changing any part of it leaves the original as it was, and
// the two are equal exactly as long as nothing stored differs.
TEST(Mission, CopiesAreDeepAndEqualUntilOneChanges) {
  Mission original = test::EveryFieldFilled();
  const std::string bytes = test::ArchiveBytes(original);

  const std::vector<void (*)(Mission&)> changes = {
      [](Mission& m) { m.payloads[0]->mass += 1.0; },
      [](Mission& m) { m.parachutes[1]->name += "!"; },
      [](Mission& m) { m.phases[0]->ballistic()->stopHeight = 5.0; },
      [](Mission& m) { m.phases[3]->parachute()->massPointAtConfluence = 0; },
      [](Mission& m) { m.phases[2]->comments.clear(); },
      [](Mission& m) { m.AddPhase(kPhaseInflation); },
      [](Mission& m) { m.CreatePayload(); },
      [](Mission& m) { m.initialState.height = 1.0; },
      [](Mission& m) { m.solver.timeStep = 0.5; },
      [](Mission& m) { m.environment.wind = 0; },
      [](Mission& m) { m.nextParachuteNumber = 7; },
  };
  for (std::size_t k = 0; k < changes.size(); ++k) {
    Mission copy = original;
    ASSERT_EQ(copy, original) << k;
    EXPECT_NE(copy.payloads[0].get(), original.payloads[0].get());
    EXPECT_NE(copy.phases[0]->ballistic(), original.phases[0]->ballistic());
    changes[k](copy);
    EXPECT_FALSE(copy == original) << k;
    EXPECT_EQ(test::ArchiveBytes(original), bytes) << k;
  }
  // Assignment copies as deeply, onto itself too.
  Mission assigned;
  assigned = original;
  const Mission& same = assigned;
  assigned = same;
  EXPECT_EQ(assigned, original);
  assigned.payloads[1]->legPoints[2].x = 9.0;
  EXPECT_EQ(original.payloads[1]->legPoints[2].x, -3.0);
}

// Equality is that of the stored bits: a NaN equals itself, −0 is not +0, and what a file does
// not store (a single strope's leg points, the flip memory) does not count.
TEST(Mission, EqualityComparesWhatTheFileStoresBitForBit) {
  Mission a;
  a.CreatePayload();
  a.AddPhase(kPhaseFinalDescent);
  a.initialState.heading = std::numeric_limits<double>::quiet_NaN();
  Mission b = a;
  EXPECT_EQ(a, b);

  b.initialState.heading = -std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(a == b);
  b = a;
  a.initialState.longitude = 0.0;
  b.initialState.longitude = -0.0;
  EXPECT_FALSE(a == b);
  b.initialState.longitude = 0.0;

  b.payloads[0]->legPoints[3] = {1.0, 2.0, 3.0};  // single strope: not stored
  b.phases[0]->parachute()->flip = {true, true};
  EXPECT_EQ(a, b);
  b.payloads[0]->connectionKind = kBridleLegs;  // now two leg points are stored
  a.payloads[0]->connectionKind = kBridleLegs;
  EXPECT_EQ(a, b);
  b.payloads[0]->legPoints[1].y = 0.5;
  EXPECT_FALSE(a == b);
  // A text is compared whole, not only up to a NUL.
  Mission c, d;
  c.missionComments = std::string("a\0b", 3);
  d.missionComments = std::string("a\0c", 3);
  EXPECT_FALSE(c == d);
}

TEST(Mission, TheFlownTablesAreThoseOfThePayloadsComputedPhasesFly) {
  Mission m;
  EXPECT_TRUE(m.FlownAeroTables().empty());
  m.CreatePayload();
  m.CreatePayload();
  m.AddPhase(kPhaseDeployment);
  EXPECT_TRUE(m.FlownAeroTables().empty());
  m.AddPhase(kPhaseBallisticEntry).ballistic()->payloadNumber = 1;
  m.AddPhase(kPhaseFinalDescent).parachute()->payloadNumber = 0;
  m.AddPhase(kPhaseBallisticEntry).ballistic()->payloadNumber = 42;  // no such payload
  // Every payload flies the default table, named once.
  EXPECT_EQ(m.FlownAeroTables(), std::vector<std::string>{""});
}

TEST(Mission, AFreshStudyForgetsTheFlipsOfEarlierRuns) {
  Mission m;
  m.AddPhase(kPhaseFinalDescent).parachute()->flip = {true, true};
  m.AddPhase(kPhaseBallisticEntry);
  Mission copy = m;
  EXPECT_TRUE(copy.phases[0]->parachute()->flip.accepted);  // a copy remembers as it was
  copy.ForgetFlips();
  EXPECT_FALSE(copy.phases[0]->parachute()->flip.accepted);
  EXPECT_FALSE(copy.phases[0]->parachute()->flip.detected);
  EXPECT_TRUE(m.phases[0]->parachute()->flip.accepted);
}

}  // namespace
}  // namespace plumora
