#include "gui/logic/scene/ViewRotation.h"

namespace plumora::gui {

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

}  // namespace plumora::gui
