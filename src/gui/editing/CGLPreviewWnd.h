// The small 3D picture dialogs show beside their fields: the payload, the canopy, the whole
// system, or the entry point on the planet. The host dialog sets what it shows through state()
// and calls update(); the left button turns the view, the right button and the wheel zoom.
#pragma once

#include <QFrame>
#include <QPointer>

#include "gui/logic/scene/PreviewState.h"

namespace plumora::gui {

class CGLPreviewWnd : public QFrame {
 public:
  // A bordered child of `parent` at (left, top), width × height pixels, showing `mode`.
  CGLPreviewWnd(QWidget* parent, int left, int top, int width, int height, std::int32_t mode);

  PreviewState& state() { return state_; }
  const PreviewState& state() const { return state_; }

  void SetGlobePosition(double latitudeDeg, double longitudeDeg, double headingDeg,
                        double altitudeM);
  void SetSystemGeometry(double offsetX, double offsetY, double offsetZ, double relPitch,
                         double relRoll, double relYaw);

  // Draws the scene again from the state.
  using QFrame::update;
  void update();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  PreviewState state_;
  // The OpenGL view inside the border; null where the screen has no OpenGL, and the frame paints
  // an off-screen picture of the scene instead.
  QPointer<QWidget> view_;
};

}  // namespace plumora::gui
