#include <gtest/gtest.h>

#include "core/flight/TrajectoryStore.h"

namespace plumora {
namespace {

TEST(TrajectoryStore, RangesIncludeZeroAndAnEmptyStoreLeavesThemAsTheyWere) {
  CTrajectoryStore store;
  EXPECT_EQ(store.LastIndex(), -1);
  CTrajectorySample s;
  s.payloadHeight = -7.0;
  store.Append(s);
  store.ComputeRanges();
  store.Clear();
  store.ComputeRanges();
  EXPECT_EQ(store.Ranges()[1].minimum, -7.0);
  EXPECT_EQ(store.EndTime(), 0.0);

  // Ranges always include zero.
  for (double h : {1000.0, 5000.0, 2500.0}) {
    CTrajectorySample s;
    s.payloadHeight = h;
    s.payloadPathAngle = -h / 100.0;
    s.connectionForce = h;
    store.Append(s);
  }
  store.ComputeRanges();
  EXPECT_EQ(store.Ranges()[1].minimum, 0.0);
  EXPECT_EQ(store.Ranges()[1].maximum, 5000.0);
  EXPECT_EQ(store.Ranges()[2].minimum, -50.0);
  EXPECT_EQ(store.Ranges()[2].maximum, 0.0);
  EXPECT_EQ(store.Ranges()[26].maximum, 5000.0);
}

TEST(TrajectoryStore, RangeOrderFollowsTheRangeTable) {
  // Each ranged quantity gets a distinct value; its range must come back in table order.
  CTrajectorySample s;
  for (int k = 0; k < kRangeCount; ++k) SampleField(s, kRangedFields[k]) = 100.0 + k;
  CTrajectoryStore store;
  store.Append(s);
  store.ComputeRanges();
  EXPECT_EQ(store.Ranges()[7].maximum, 107.0);
  EXPECT_EQ(s.payloadWx, 107.0);             // range 8 is the payload's x rate
  EXPECT_EQ(s.payloadAngleOfAttack, 113.0);  // range 14
  EXPECT_EQ(s.parachuteWx, 120.0);           // range 21
  EXPECT_EQ(s.connectionForce, 126.0);
}

// The field names are checked in the CSV that plumora-cli run writes.
TEST(TrajectoryStore, EveryFieldNumberReachesItsOwnMember) {
  CTrajectorySample s;
  for (int n = 1; n <= kSampleFieldCount; ++n) {
    EXPECT_EQ(kSampleFields[n - 1].number, n);
    SampleField(s, n) = n;
  }
  EXPECT_EQ(s.time, 1.0);
  EXPECT_EQ(s.payloadPlanetYaw, 13.0);
  EXPECT_EQ(s.parachuteHeight, 20.0);
  EXPECT_EQ(s.confluenceZ, 42.0);
  EXPECT_EQ(s.connectionForce, 46.0);
}

}  // namespace
}  // namespace plumora
