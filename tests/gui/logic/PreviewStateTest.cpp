#include "gui/logic/scene/PreviewState.h"

#include <gtest/gtest.h>

namespace plumora::gui {
namespace {

TEST(PreviewState, LeftDragsTurnTheViewAndAddUp) {
  PreviewState p(kPreviewCapsule);
  p.LeftDown(100, 100);
  p.Move(130, 110, true, false);
  EXPECT_EQ(p.turn(), 30.0f);
  EXPECT_EQ(p.tilt(), 10.0f);
  p.LeftUp();
  p.LeftDown(0, 0);
  p.Move(-5, 2, true, false);
  EXPECT_EQ(p.turn(), 25.0f);
  EXPECT_EQ(p.tilt(), 12.0f);
  p.LeftUp();
  // Without a press, moving changes nothing.
  p.Move(500, 500, true, false);
  EXPECT_EQ(p.turn(), 25.0f);
}

TEST(PreviewState, RightDragZoomsAndNeverBelowZero) {
  PreviewState p(kPreviewCapsule);
  p.RightDown(50, 50);
  p.Move(50, 30, false, true);  // 20 pixels up
  EXPECT_EQ(p.zoom(), 0.0f);
  p.Move(50, 60, false, true);
  EXPECT_FLOAT_EQ(p.zoom(), 2.0f);
  p.RightUp();
  EXPECT_FLOAT_EQ(p.zoom(), 2.0f);
}

TEST(PreviewState, UnknownModesAreTheCapsule) {
  PreviewState mesh4(kPreviewPayloadMesh4);
  EXPECT_EQ(mesh4.Selector(), 4);
  EXPECT_EQ(PreviewState(42).Selector(), kPreviewCapsule);
  EXPECT_EQ(PreviewState(-1).Selector(), kPreviewCapsule);
  EXPECT_EQ(GlobeModeOfPlanet(1), 7);
  EXPECT_EQ(GlobeModeOfPlanet(7), kPreviewEarth);
  PreviewState system(kPreviewSystem);
  system.SetSystemGeometry(-25.0, 1.0, 2.0, 10.0, 20.0, 30.0);
  EXPECT_EQ(system.system.phaseType, kSampleFinalDescent);
  EXPECT_EQ(system.system.parachuteRelPitch, 10.0);
  EXPECT_EQ(system.system.parachuteRelRoll, 20.0);
  EXPECT_EQ(system.system.payload, nullptr);
}

}  // namespace
}  // namespace plumora::gui
