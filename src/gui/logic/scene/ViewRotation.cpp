#include "gui/logic/scene/ViewRotation.h"

#include <algorithm>

namespace plumora::gui {

float WheelZoom(float zoom, int angleDelta) {
  constexpr float kNotch = 120.0f;                   // eighths of a degree
  if (!(zoom >= 0.0f && zoom <= 1e6f)) return 1.0f;  // NaN or absurd: framed again
  const float wanted = zoom + kWheelZoomStep * static_cast<float>(angleDelta) / kNotch;
  // A zoom the right-button drag of a preview took past a bound is not pulled back by the wheel.
  return std::clamp(wanted, std::min(kMinWheelZoom, zoom), std::max(kMaxWheelZoom, zoom));
}

void ViewRotation::Anchor(int x, int y) {
  anchorX_ = x;
  anchorY_ = y;
}

void ViewRotation::DragTo(int x, int y) {
  turn_ = baseTurn_ + static_cast<float>(x - anchorX_);
  tilt_ = baseTilt_ + static_cast<float>(y - anchorY_);
}

void ViewRotation::Commit() {
  baseTilt_ = tilt_;
  baseTurn_ = turn_;
}

void ViewRotation::Set(float tilt, float turn) {
  tilt_ = baseTilt_ = tilt;
  turn_ = baseTurn_ = turn;
}

}  // namespace plumora::gui
