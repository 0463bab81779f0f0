// Turning a 3D view with the mouse: one degree per pixel, horizontal motion turning the view and
// vertical motion tilting it. A drag adds to the angles the previous drag left.
#pragma once

namespace plumora::gui {

class ViewRotation {
 public:
  // A drag starts at (x, y), pixels.
  void Anchor(int x, int y);
  // The pointer is at (x, y): the angles are the committed ones plus its travel since the anchor.
  void DragTo(int x, int y);
  // The drag ended: the next one starts from the angles now shown.
  void Commit();

  float tilt() const { return tilt_; }  // deg, from vertical motion
  float turn() const { return turn_; }  // deg, from horizontal motion

 private:
  int anchorX_ = 0, anchorY_ = 0;  // pixels
  float tilt_ = 0.0f, turn_ = 0.0f;
  float baseTilt_ = 0.0f, baseTurn_ = 0.0f;
};

}  // namespace plumora::gui
