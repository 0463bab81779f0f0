// Turning a 3D view with the mouse: one degree per pixel, horizontal motion turning the view and
// vertical motion tilting it. A drag adds to the angles the previous drag left. The wheel zooms.
#pragma once

namespace plumora::gui {

// The zoom of a 3D view (1: the scene frames what it shows) after the wheel turned by angleDelta
// (Qt's eighths of a degree, 120 a notch; positive away from the user). A notch away from the
// user enlarges by a tenth of the framed size, a notch towards the user shrinks by as much; the
// wheel keeps the zoom between kMinWheelZoom and kMaxWheelZoom (a zoom already outside them
// only moves back towards them); an unusable zoom (NaN) becomes 1.
inline constexpr float kWheelZoomStep = 0.1f;  // per notch
inline constexpr float kMinWheelZoom = 0.1f;
inline constexpr float kMaxWheelZoom = 20.0f;
float WheelZoom(float zoom, int angleDelta);

class ViewRotation {
 public:
  // A drag starts at (x, y), pixels.
  void Anchor(int x, int y);
  // The pointer is at (x, y): the angles are the committed ones plus its travel since the anchor.
  void DragTo(int x, int y);
  // The drag ended: the next one starts from the angles now shown.
  void Commit();
  // The angles of a view kept from an earlier session; the next drag goes on from them.
  void Set(float tilt, float turn);

  float tilt() const { return tilt_; }  // deg, from vertical motion
  float turn() const { return turn_; }  // deg, from horizontal motion

 private:
  int anchorX_ = 0, anchorY_ = 0;  // pixels
  float tilt_ = 0.0f, turn_ = 0.0f;
  float baseTilt_ = 0.0f, baseTurn_ = 0.0f;
};

}  // namespace plumora::gui
