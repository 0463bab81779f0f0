#include "gui/logic/PreviewState.h"

namespace plumora::gui {

namespace {
constexpr float kMesh4Scale = 0.025f;  // the fourth payload mesh is modelled forty times too large
}

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
  leftX_ = x;
  leftY_ = y;
  dragging_ = true;
}

void PreviewState::RightDown(int x, int y) {
  rightX_ = x;
  rightY_ = y;
  dragging_ = true;
}

void PreviewState::Move(int x, int y, bool leftHeld, bool rightHeld) {
  if (!dragging_) return;
  if (leftHeld) {
    turn_ = savedTurn_ + static_cast<float>(x - leftX_);
    tilt_ = savedTilt_ + static_cast<float>(y - leftY_);
  }
  if (rightHeld) {
    zoom_ = savedZoom_ + static_cast<float>(y - rightY_) * 0.1f;
    if (!(zoom_ >= 0.0f)) zoom_ = 0.0f;
  }
}

void PreviewState::LeftUp() {
  dragging_ = false;
  savedTilt_ = tilt_;
  savedTurn_ = turn_;
}

void PreviewState::RightUp() {
  dragging_ = false;
  savedZoom_ = zoom_;
}

float PreviewState::VehicleScale() const {
  return mode == kPreviewPayloadMesh4 ? zoom_ * kMesh4Scale : zoom_;
}

std::int32_t PreviewState::Selector() const {
  return mode >= kPreviewCapsule && mode <= kPreviewParachute ? mode : kPreviewCapsule;
}

}  // namespace plumora::gui
