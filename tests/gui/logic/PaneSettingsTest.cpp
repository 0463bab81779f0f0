#include <gtest/gtest.h>

#include <string>

#include "gui/logic/results/DisplayOptions.h"
#include "gui/logic/results/PaneSettings.h"

namespace plumora::gui {
namespace {

ResultsViewState Read(std::string_view text) {
  ResultsViewState state;
  ReadPaneSettings(text, state);
  return state;
}

TEST(PaneSettingsTest, EverySettingKeptComesBackAsItWas) {
  ResultsViewState pane;
  pane.ToggleDisplayMode(DisplayMode::k3DSystem);
  pane.chartX = 3;
  pane.chartY = 14;
  pane.chartBody = 1;
  pane.chartSwitches = {true, false, true, true};
  pane.chartMoreY = {19, 2};
  ColumnSwitches columns{};
  columns[0] = columns[5] = columns[16] = true;
  DerivedSwitches derived{};
  derived[4] = true;
  ApplyTableOptions(pane, columns, derived);
  pane.lightPosition = {0.1f, -2.5e-7f, 12345.678f, 0.0f};
  pane.trackLine = false;
  pane.trackEllipses = true;
  pane.studyOutput = StudyOutput::kLandingLongitude;
  pane.sceneRotation.Set(-33.0f, 0.3f);
  pane.sceneZoom = 1.7f;
  pane.chartZoom = {true, 10.0, 20.0};  // a zoom belongs to the results, and is not kept

  const ResultsViewState back = Read(PaneSettingsText(pane));
  EXPECT_EQ(back.Mode(), DisplayMode::k3DSystem);
  EXPECT_EQ(back.chartX, 3);
  EXPECT_EQ(back.chartY, 14);
  EXPECT_EQ(back.chartBody, 1);
  EXPECT_EQ(back.chartSwitches, pane.chartSwitches);
  EXPECT_EQ(back.chartMoreY, pane.chartMoreY);
  EXPECT_EQ(back.columnSwitches, columns);
  EXPECT_EQ(back.derivedColumns, derived);
  EXPECT_EQ(back.shownColumnCount, 4);
  EXPECT_EQ(back.lightPosition, pane.lightPosition);  // bit for bit
  EXPECT_FALSE(back.trackLine);
  EXPECT_TRUE(back.trackEllipses);
  EXPECT_EQ(back.studyOutput, StudyOutput::kLandingLongitude);
  EXPECT_EQ(back.sceneRotation.tilt(), -33.0f);
  EXPECT_EQ(back.sceneRotation.turn(), 0.3f);
  EXPECT_EQ(back.sceneZoom, 1.7f);
  EXPECT_FALSE(back.chartZoom.on);
}

TEST(PaneSettingsTest, EachModeByItsNameAndABlankPaneStaysBlank) {
  for (const ModeCommand& c : kModeCommands) {
    ResultsViewState pane;
    pane.ToggleDisplayMode(c.mode);
    EXPECT_EQ(Read(PaneSettingsText(pane)).Mode(), c.mode) << c.text;
  }
  const std::string blank = PaneSettingsText(ResultsViewState{});
  EXPECT_EQ(blank.find("mode="), std::string::npos);
  EXPECT_EQ(Read(blank).Mode(), DisplayMode::kNone);
  EXPECT_EQ(PaneSettingsText(Read("mode=Chart")).substr(0, 11), "mode=Chart;");
}

TEST(PaneSettingsTest, DamagedOrForeignPairsLeaveANewPanesSettings) {
  const ResultsViewState fresh;
  for (const char* text : {"",
                           ";;;",
                           "garbage",
                           "=",
                           "mode",
                           "mode=Landing scatters",
                           "mode=chart",
                           "mode=Chart ",
                           "chartX=20",
                           "chartX=-1",
                           "chartX=2x",
                           "chartX=",
                           "chartX=99999999999999999999",
                           "chartBody=2",
                           "gridLines=yes",
                           "light=1,2",
                           "light=1,2,3,4",
                           "light=1,nan,3",
                           "light=1,inf,3",
                           "light=1e39,0,0",
                           "sceneTurn=5",
                           "sceneZoom=0",
                           "sceneZoom=-1",
                           "columns=Nothing,Else",
                           "logY=2;curves=1,2,3",
                           "moreY=1,20",
                           "studyOutput=landing speed",
                           "moreY=1,2,3,4,5,6",
                           "\xff\xfe=\x01"}) {
    const ResultsViewState read = Read(text);
    EXPECT_EQ(read.Mode(), fresh.Mode()) << text;
    EXPECT_EQ(read.chartX, fresh.chartX) << text;
    EXPECT_EQ(read.chartBody, fresh.chartBody) << text;
    EXPECT_EQ(read.chartSwitches, fresh.chartSwitches) << text;
    EXPECT_EQ(read.lightPosition, fresh.lightPosition) << text;
    EXPECT_EQ(read.columnSwitches, fresh.columnSwitches) << text;
    EXPECT_EQ(read.chartMoreY, fresh.chartMoreY) << text;
    EXPECT_EQ(read.studyOutput, fresh.studyOutput) << text;
    EXPECT_EQ(read.sceneRotation.turn(), 0.0f) << text;
    EXPECT_EQ(read.sceneZoom, 1.0f) << text;
  }
}

TEST(PaneSettingsTest, AGoodPairIsTakenBesideBadAndUnknownOnes) {
  const ResultsViewState read =
      Read("future=1;mode=Study charts;chartY=7;chartX=oops;columns=Time,Unknown,Yaw P;x");
  EXPECT_EQ(read.Mode(), DisplayMode::kNone);
  EXPECT_EQ(read.chartY, 7);
  EXPECT_EQ(read.chartX, 0);
  EXPECT_EQ(read.shownColumnCount, 2);
  EXPECT_TRUE(read.columnSwitches[0]);
  EXPECT_TRUE(read.columnSwitches[kTableColumnCount - 1]);
  // A table whose columns were all switched off stays so.
  EXPECT_EQ(Read("columns=").shownColumnCount, 0);
}

MissionPanes Entry(std::string path, std::string first = {}) {
  return {std::move(path), {std::move(first), "", "", ""}};
}

TEST(RememberedPanesTest, NewestFirstOncePerMissionAndBounded) {
  RememberedPanes kept;
  for (int k = 0; k < kRememberedMissions + 5; ++k) kept.Remember(Entry("/m" + std::to_string(k)));
  ASSERT_EQ(kept.entries().size(), static_cast<std::size_t>(kRememberedMissions));
  EXPECT_EQ(kept.entries().front().path, "/m24");
  EXPECT_EQ(kept.Find("/m4"), nullptr);  // the oldest went
  ASSERT_NE(kept.Find("/m5"), nullptr);

  kept.Remember(Entry("/m5", "mode=Table"));
  EXPECT_EQ(kept.entries().size(), static_cast<std::size_t>(kRememberedMissions));
  EXPECT_EQ(kept.entries().front(), Entry("/m5", "mode=Table"));
  kept.Remember(Entry(""));  // a mission without a file is not kept
  EXPECT_EQ(kept.entries().front().path, "/m5");
}

TEST(RememberedPanesTest, SettingsFromElsewhereLoseBlanksRepeatsAndTheSurplus) {
  std::vector<MissionPanes> stored = {Entry(""), Entry("/a", "first"), Entry("/a", "second")};
  for (int k = 0; k < 100; ++k) stored.push_back(Entry("/b" + std::to_string(k)));
  RememberedPanes kept;
  kept.SetEntries(stored);
  ASSERT_EQ(kept.entries().size(), static_cast<std::size_t>(kRememberedMissions));
  EXPECT_EQ(kept.entries()[0], Entry("/a", "first"));
  EXPECT_EQ(kept.entries()[1].path, "/b0");
}

TEST(RememberedPanesTest, AMissionIsKeptUnderOneAbsolutePath) {
  const std::string key = MissionKey("missions/../missions/./earth.psd");
  EXPECT_TRUE(std::filesystem::path(key).is_absolute());
  EXPECT_EQ(key, MissionKey(std::filesystem::current_path() / "missions" / "earth.psd"));
}

}  // namespace
}  // namespace plumora::gui
