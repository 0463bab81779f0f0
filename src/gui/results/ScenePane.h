// The four 3D display modes: the payload or the parachute alone in its airflow, the two together
// with their lines, and the planet with the flight around it, at the sample the animation shows.
// On the screen the pane draws into an OpenGL view of the shared context group; pictures, print
// and screens without OpenGL are drawn off-screen by the same scene code.
#pragma once

#include <QPointer>
#include <vector>

#include "core/common/Prompter.h"
#include "gl/CAirStreaks.h"
#include "gl/SceneFrame.h"
#include "gui/results/ResultsPane.h"

namespace plumora::gui {

class ScenePane final : public ResultsPane {
 public:
  ScenePane(PaneHost& host, DisplayMode mode);
  ~ScenePane() override;

  DisplayMode mode() const override { return mode_; }
  // The OpenGL view; null when the screen has no OpenGL, and the pane paints off-screen pictures
  // on the canvas instead.
  QWidget* surface() override;
  void Paint(QPainter& painter, const QSize& client) override;
  QImage Snapshot(const QSize& size) override;

  // A left drag turns the scene: a degree a pixel, kept for the next drag.
  PaneReadout MouseMove(const QPoint& pos, Qt::MouseButtons buttons) override;
  void MousePress(const QPoint& pos, Qt::MouseButton button) override;
  void MouseRelease(const QPoint& pos, Qt::MouseButton button) override;
  // The wheel zooms as the dialogs' previews do; the other 3D modes of the pane share the zoom.
  bool Wheel(int angleDelta) override;
  void AnimationStep(int index, bool playing) override;

 private:
  std::vector<SceneLabel> Draw(const SceneFrame& frame, CAirStreaks* streaks, bool border);
  // The scene drawn off-screen (models that cannot be read are said through prompter), or a
  // picture saying that 3D views are not available.
  QImage Picture(const QSize& size, Prompter& prompter);

  DisplayMode mode_;
  QPointer<QWidget> surface_;
  bool dragging_ = false;
  std::vector<Vec3> track_;     // m, the globe's track, refilled for every frame
  CAirStreaks pictureStreaks_;  // the streaks of pictures drawn off-screen
};

}  // namespace plumora::gui
