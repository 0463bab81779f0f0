#include "gui/logic/scene/PreviewState.h"

namespace plumora::gui {

PreviewMode GlobeModeOfPlanet(std::int32_t planet) {
  if (planet == 1) return static_cast<PreviewMode>(kPreviewEarth + 1);
  if (planet == 2) return kPreviewTitan;
  return kPreviewEarth;
}

PreviewState::PreviewState(std::int32_t previewMode) : mode(previewMode) {
  system.phaseType = kSampleFinalDescent;
}

void PreviewState::SetGlobePosition(double latitudeDeg, double longitudeDeg, double headingDeg,
                                    double altitudeM) {
  latitude = latitudeDeg;
  longitude = longitudeDeg;
  heading = headingDeg;
  altitude = altitudeM;
}

void PreviewState::SetSystemGeometry(double offsetX, double offsetY, double offsetZ,
                                     double relPitch, double relRoll, double relYaw) {
  system.parachuteOffsetX = offsetX;
  system.parachuteOffsetY = offsetY;
  system.parachuteOffsetZ = offsetZ;
  system.parachuteRelPitch = relPitch;
  system.parachuteRelRoll = relRoll;
  system.parachuteRelYaw = relYaw;
}

void PreviewState::LeftDown(int x, int y) {
  rotation_.Anchor(x, y);
  dragging_ = true;
}

void PreviewState::RightDown(int x, int y) {
  rightX_ = x;
  rightY_ = y;
  dragging_ = true;
}

void PreviewState::Move(int x, int y, bool leftHeld, bool rightHeld) {
  if (!dragging_) return;
  if (leftHeld) rotation_.DragTo(x, y);
  if (rightHeld) {
    zoom_ = savedZoom_ + static_cast<float>(y - rightY_) * 0.1f;
    if (!(zoom_ >= 0.0f)) zoom_ = 0.0f;
  }
}

void PreviewState::LeftUp() {
  dragging_ = false;
  rotation_.Commit();
}

void PreviewState::RightUp() {
  dragging_ = false;
  savedZoom_ = zoom_;
}

void PreviewState::Wheel(int angleDelta) {
  // A right-button drag under way goes on from the zoom the wheel left.
  const float before = zoom_;
  zoom_ = WheelZoom(zoom_, angleDelta);
  savedZoom_ += zoom_ - before;
}

std::int32_t PreviewState::Selector() const {
  return mode >= kPreviewCapsule && mode <= kPreviewParachute ? mode : kPreviewCapsule;
}

}  // namespace plumora::gui
