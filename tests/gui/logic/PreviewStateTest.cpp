#include "gui/logic/scene/PreviewState.h"

#include <gtest/gtest.h>

#include <limits>

namespace plumora::gui {
namespace {

TEST(PreviewState, LeftDragsTurnTheViewAndAddUpAndRightDragsZoom) {
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

  // A right drag zooms, never below zero.
  p.RightDown(50, 50);
  p.Move(50, 30, false, true);  // 20 pixels up
  EXPECT_EQ(p.zoom(), 0.0f);
  p.Move(50, 60, false, true);
  EXPECT_FLOAT_EQ(p.zoom(), 2.0f);
  p.RightUp();
  EXPECT_FLOAT_EQ(p.zoom(), 2.0f);
}

TEST(PreviewState, TheWheelZoomsATenthANotchWithinBounds) {
  EXPECT_FLOAT_EQ(WheelZoom(1.0f, 120), 1.1f);   // away from the user: larger
  EXPECT_FLOAT_EQ(WheelZoom(1.0f, -240), 0.8f);  // towards: smaller
  EXPECT_FLOAT_EQ(WheelZoom(1.0f, 60), 1.05f);   // a fine wheel's half notch
  EXPECT_EQ(WheelZoom(0.15f, -120), kMinWheelZoom);
  EXPECT_EQ(WheelZoom(kMaxWheelZoom, 120), kMaxWheelZoom);
  EXPECT_EQ(WheelZoom(1.0f, 1 << 30), kMaxWheelZoom);  // a flood of notches is bounded
  EXPECT_EQ(WheelZoom(std::numeric_limits<float>::quiet_NaN(), 120), 1.0f);
  // A zoom the right-button drag took beyond a bound only comes back towards it.
  EXPECT_EQ(WheelZoom(0.0f, -120), 0.0f);
  EXPECT_FLOAT_EQ(WheelZoom(30.0f, -120), 29.9f);
  EXPECT_EQ(WheelZoom(30.0f, 120), 30.0f);

  PreviewState p(kPreviewCapsule);
  p.Wheel(240);
  EXPECT_FLOAT_EQ(p.zoom(), 1.2f);
  // A right drag after the wheel starts from the wheel's zoom, and the wheel during it shifts it.
  p.RightDown(0, 0);
  p.Move(0, 10, false, true);
  EXPECT_FLOAT_EQ(p.zoom(), 2.2f);
  p.Wheel(-120);
  p.Move(0, 10, false, true);
  EXPECT_FLOAT_EQ(p.zoom(), 2.1f);
  p.RightUp();
  EXPECT_FLOAT_EQ(p.zoom(), 2.1f);
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
