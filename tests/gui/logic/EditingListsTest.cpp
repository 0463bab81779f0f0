// What the editors list and how dialog units become pixels.
#include <gtest/gtest.h>

#include "core/app/PlumoraDoc.h"
#include "gui/logic/draw/DisplayText.h"
#include "gui/logic/editing/DialogUnits.h"
#include "gui/logic/editing/RecordLists.h"

namespace plumora::gui {
namespace {

TEST(RecordListsTest, PhaseLinesShowWholeNamesAndPadTheFlag) {
  CPlumoraDoc doc;
  CMissionPhase& entry = doc.mission.AddPhase(kPhaseBallisticEntry);
  entry.name = "Hypersonic entry phase";  // 22 characters
  CMissionPhase& descent = doc.mission.AddPhase(kPhaseFinalDescent);
  descent.name = "50% %s\t\xE9";
  descent.active = 0;
  doc.mission.phases.push_back(std::make_unique<CMissionPhase>(kPhaseInflation));
  doc.mission.phases.push_back(std::make_unique<CMissionPhase>(7));
  const std::vector<std::string> lines = PhaseEditorLines(doc);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "  1\tyes\tHypersonic entry phase\tBallistic-reentry");
  EXPECT_EQ(lines[1], "  2\tno \t50% %s\t\xE9\tFinal descent");
  EXPECT_EQ(lines[2], "  3\tyes\t\tInflation");
  EXPECT_EQ(lines[3], "  4\tyes\t\t");
}

TEST(RecordListsTest, ManagersNumberByPositionAndShowTypes) {
  CPlumoraDoc doc;
  for (const char* name : {"First", "Second capsule of the mission", "Third"}) {
    doc.mission.CreatePayload().name = name;
  }
  doc.mission.payloads[1]->typeKeyword = "SKORVAN";
  doc.mission.payloads.erase(doc.mission.payloads.begin());
  EXPECT_EQ(
      PayloadManagerLines(doc),
      (std::vector<std::string>{"  1\tSecond capsule of the mission\tSKORVAN", "  2\tThird\tZEL"}));
  CParachute& drogue = doc.mission.CreateParachute();
  drogue.name = "Drogue";
  drogue.type = "DGB";
  EXPECT_EQ(ParachuteManagerLines(doc), std::vector<std::string>{"  1\tDrogue\tDGB"});
}

TEST(DialogUnitsTest, UnitsFollowTheFontAndRound) {
  // 52 letters 364 px wide: an average of 7 px, so a horizontal unit is 1.75 px.
  const DialogUnits units(364, 16);
  EXPECT_EQ(units.averageCharWidth(), 7);
  EXPECT_EQ(units.ToPixelsX(4), 7);
  EXPECT_EQ(units.ToPixelsX(2), 4);  // 3.5 rounds up
  EXPECT_EQ(units.ToPixelsY(8), 16);
  EXPECT_EQ(units.ToPixelsY(3), 6);
  EXPECT_EQ(units.TabStops(kPhaseListTabStops), (std::vector<int>{70, 140, 315}));
  // The average is rounded, not cut: 53 px a pair of letters gives 27, not 26.
  EXPECT_EQ(DialogUnits(26 * 53, 10).averageCharWidth(), 27);
  EXPECT_EQ(DialogUnits(0, 0).ToPixelsX(40), 10);  // a font that measures nothing still lays out
}

TEST(DisplayTextTest, TypedTextIsKeptAsWindows1252OrRefusedByName) {
  char32_t bad = 0;
  EXPECT_EQ(StoredText("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", bad), "\xE9t\xE9 \x80");  // été €
  EXPECT_EQ(StoredText("\xC4\x81", bad), std::nullopt);                            // ā
  EXPECT_EQ(bad, U'\u0101');
  EXPECT_EQ(UnstorableTextMessage("Phase Name", bad),
            "\"Phase Name\" holds the character U+0101, which a mission file cannot keep. The "
            "previous text is kept.");
  EXPECT_EQ(LeftOutCharacterMessage("Mission Name", U'\U0001F680'),
            "\"Mission Name\" cannot take the character U+1F680, which a mission file cannot "
            "keep. It was left out.");
}

}  // namespace
}  // namespace plumora::gui
