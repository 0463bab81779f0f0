#include <gtest/gtest.h>

#include "gui/logic/results/PaneLayout.h"

namespace plumora::gui {
namespace {

TEST(PaneLayoutTest, EqualisedPanesLeaveRoomForTheSplitterAndNeverVanish) {
  EXPECT_EQ(EqualisedSplit(800, 601), (PaneSplit{395, 295}));
  EXPECT_EQ(EqualisedSplit(20, 0), (PaneSplit{10, 10}));
}

TEST(PaneLayoutTest, DoubleClickMaximisesThePaneAndRestoresTheFour) {
  // Top-left pane: the first column and row take everything.
  PaneZoom zoom = TogglePaneMaximised(0, 0, 395, 295, 800, 600);
  EXPECT_FALSE(zoom.equalise);
  EXPECT_EQ(zoom.split, (PaneSplit{800, 600}));
  // Bottom-right pane: the first column and row give up everything.
  zoom = TogglePaneMaximised(1, 1, 395, 295, 800, 600);
  EXPECT_EQ(zoom.split, (PaneSplit{0, 0}));
  zoom = TogglePaneMaximised(1, 0, 395, 295, 800, 600);
  EXPECT_EQ(zoom.split, (PaneSplit{0, 600}));
  // A pane that fills the frame within 12 pixels each way brings the four back.
  EXPECT_TRUE(TogglePaneMaximised(1, 1, 788, 588, 800, 600).equalise);
  EXPECT_FALSE(TogglePaneMaximised(1, 1, 787, 600, 800, 600).equalise);
  EXPECT_FALSE(TogglePaneMaximised(1, 1, 800, 587, 800, 600).equalise);
}

}  // namespace
}  // namespace plumora::gui
