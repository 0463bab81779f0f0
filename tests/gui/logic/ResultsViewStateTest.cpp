#include <gtest/gtest.h>

#include "gui/logic/CommandIds.h"
#include "gui/logic/ResultsViewState.h"

namespace plumora::gui {
namespace {

int SetFlags(const ResultsViewState& view) {
  int n = 0;
  for (bool on : view.modeFlags) n += on ? 1 : 0;
  return n;
}

TEST(DisplayModeTest, TogglingTheModeThatIsOnBlanksThePaneAndAnotherReplacesIt) {
  ResultsViewState view;
  EXPECT_EQ(view.Mode(), DisplayMode::kNone);
  view.ToggleDisplayMode(DisplayMode::kChart);
  EXPECT_EQ(view.Mode(), DisplayMode::kChart);
  view.ToggleDisplayMode(DisplayMode::k3DSystem);
  EXPECT_EQ(view.Mode(), DisplayMode::k3DSystem);
  EXPECT_EQ(SetFlags(view), 1);
  view.ToggleDisplayMode(DisplayMode::k3DSystem);
  EXPECT_EQ(view.Mode(), DisplayMode::kNone);
  EXPECT_EQ(SetFlags(view), 0);
}

TEST(DisplayModeTest, OnlyTurningTheTableOnLeavesTheScrollSizesToTheTable) {
  ResultsViewState view;
  EXPECT_FALSE(view.ToggleDisplayMode(DisplayMode::kTable));  // on: the table sizes itself
  EXPECT_TRUE(view.ToggleDisplayMode(DisplayMode::kTable));   // off: back to neutral
  EXPECT_TRUE(view.ToggleDisplayMode(DisplayMode::kChart));
  EXPECT_TRUE(view.ToggleDisplayMode(DisplayMode::kChart));
  view.ToggleDisplayMode(DisplayMode::kTable);
  EXPECT_TRUE(view.ToggleDisplayMode(DisplayMode::kChart));  // the table replaced: neutral
}

TEST(DisplayModeTest, BothMenusToggleTheSameModes) {
  for (const ModeCommand& c : kModeCommands) {
    EXPECT_EQ(ModeOfCommand(c.showId), c.mode);
    EXPECT_EQ(ModeOfCommand(c.popupId), c.mode);
  }
  EXPECT_FALSE(ModeOfCommand(kCmdShowOptions));
  EXPECT_FALSE(ModeOfCommand(kCmdPopupOptions));
  EXPECT_FALSE(ModeOfCommand(kCmdRun));
  EXPECT_TRUE(UsesOpenGl(DisplayMode::k3DTrajectory));
  EXPECT_FALSE(UsesOpenGl(DisplayMode::k2DTrajectory));
  EXPECT_FALSE(UsesOpenGl(DisplayMode::kTable));
}

TEST(MenuStateTest, ShowMenuNeedsResultsForEveryPictureButTableAndChart) {
  ResultsViewState view;
  for (const ModeCommand& c : kModeCommands) {
    const bool always = c.mode == DisplayMode::kTable || c.mode == DisplayMode::kChart;
    EXPECT_EQ(ShowMenuState(c.showId, view, false).enabled, always) << c.text;
    EXPECT_TRUE(ShowMenuState(c.showId, view, true).enabled) << c.text;
  }
  EXPECT_TRUE(ShowMenuState(kCmdShowOptions, view, false).enabled);
}

TEST(MenuStateTest, PopupKeepsTheTrajectoryItemsEnabledWithoutResults) {
  ResultsViewState view;
  EXPECT_TRUE(PopupMenuState(kCmdPopup2DTrajectory, view, false).enabled);
  EXPECT_TRUE(PopupMenuState(kCmdPopup3DTrajectory, view, false).enabled);
  EXPECT_TRUE(PopupMenuState(kCmdPopupTable, view, false).enabled);
  EXPECT_TRUE(PopupMenuState(kCmdPopupChart, view, false).enabled);
  for (int id : {kCmdPopup3DPayload, kCmdPopup3DParachute, kCmdPopup3DSystem}) {
    EXPECT_FALSE(PopupMenuState(id, view, false).enabled) << id;
    EXPECT_TRUE(PopupMenuState(id, view, true).enabled) << id;
  }
}

TEST(MenuStateTest, TheModeThatIsOnIsCheckedInBothMenusAndNothingElse) {
  ResultsViewState view;
  view.ToggleDisplayMode(DisplayMode::k2DTrajectory);
  for (const ModeCommand& c : kModeCommands) {
    const bool on = c.mode == DisplayMode::k2DTrajectory;
    EXPECT_EQ(ShowMenuState(c.showId, view, true).checked, on) << c.text;
    EXPECT_EQ(PopupMenuState(c.popupId, view, true).checked, on) << c.text;
  }
}

TEST(MenuStateTest, StatusPromptsAreTheProgramsOwn) {
  EXPECT_EQ(StatusPrompt(kCmdShowTable), "Show numerical output");
  EXPECT_EQ(StatusPrompt(kCmdShowChart), "Show graphical output");
  EXPECT_EQ(StatusPrompt(kCmdShowOptions), "Graphical options");
  EXPECT_EQ(StatusPrompt(kCmdPopup3DPayload), StatusPrompt(kCmdShow3DPayload));
  EXPECT_EQ(StatusPrompt(kCmdShow3DParachute), "Show 3D parachute");
  EXPECT_EQ(StatusPrompt(kCmdShow3DSystem), "Show 3D system: capsule plus parachute");
  EXPECT_EQ(StatusPrompt(kCmdPopup2DTrajectory), "Show 2D trajectory on global map");
  EXPECT_EQ(StatusPrompt(kCmdPopup3DTrajectory), "Shows 3D position around planet");
  EXPECT_EQ(StatusPrompt(kCmdRun), "Start simulation");
  EXPECT_EQ(StatusPrompt(kCmdShow3DTrajectory), "");
}

TEST(MenuStateTest, ReadoutNamesTheAxisInUtf8) {
  EXPECT_EQ(AxisReadout(0, 0.0), "time (s)=0.00");
  EXPECT_EQ(AxisReadout(2, -12.345), "path (\u00B0)=-12.35");
  EXPECT_EQ(AxisReadout(1, 12345.678), "height (m)=12345.68");
}

}  // namespace
}  // namespace plumora::gui
