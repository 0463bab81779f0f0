#include <gtest/gtest.h>

#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/results/ResultsViewState.h"

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

TEST(DisplayModeTest, ReadoutNamesTheAxisInUtf8) {
  EXPECT_EQ(AxisReadout(0, 0.0), "time (s)=0.00");
  EXPECT_EQ(AxisReadout(2, -12.345), "path (\u00B0)=-12.35");
  EXPECT_EQ(AxisReadout(1, 12345.678), "height (m)=12345.68");
  EXPECT_EQ(AxisReadout(14, 3.5), "Angle of attack (\u00B0)=3.50");  // an angle, not a force
}

}  // namespace
}  // namespace plumora::gui
