#include <gtest/gtest.h>

#include "core/app/PlumoraDoc.h"
#include "gui/logic/editing/MissionPlan.h"

namespace plumora::gui {
namespace {

TEST(MissionPlanTest, LinesShowNumberFlagEightCharactersAndCode) {
  CPlumoraDoc doc;
  doc.mission.missionName = "Entry \xE9t\xE9";  // Windows-1252 bytes stay bytes here
  CMissionPhase& first = doc.mission.AddPhase(0);
  first.name = "Hypersonic entry";
  CMissionPhase& second = doc.mission.AddPhase(3);
  second.name = "100% %s%n";
  second.active = 0;
  const MissionPlanText plan = MissionPlanFor(&doc);
  EXPECT_EQ(plan.missionName, "Entry \xE9t\xE9");
  ASSERT_EQ(plan.lines.size(), 2u);
  EXPECT_EQ(plan.lines[0], "1\ty\tHyperson\tBR");
  EXPECT_EQ(plan.lines[1], "2\tn\t100% %s%\tFD");
  // Short and empty names are shown whole.
  doc.mission.AddPhase(1).name = "";
  doc.mission.AddPhase(2).name = "Tab\there";
  const MissionPlanText more = MissionPlanFor(&doc);
  EXPECT_EQ(more.lines[2], "3\ty\t\tDP");
  EXPECT_EQ(more.lines[3], "4\ty\tTab\there\tIN");
}

TEST(MissionPlanTest, UnknownTypesHaveNoCodeAndNoDocumentShowsNone) {
  EXPECT_STREQ(PhaseTypeCode(7), "");
  const MissionPlanText none = MissionPlanFor(nullptr);
  EXPECT_EQ(none.missionName, "None");
  EXPECT_TRUE(none.lines.empty());
  CPlumoraDoc doc;
  EXPECT_EQ(MissionPlanFor(&doc).missionName, "Default");
}

}  // namespace
}  // namespace plumora::gui
