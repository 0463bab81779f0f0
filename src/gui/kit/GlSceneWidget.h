// A 3D view on screen: a QOpenGLWidget of the shared context group that draws one scene with
// the shared display lists. Each widget sets up the state of its own context (lists are shared
// between contexts, state is not) and keeps its own projection, set in device pixels.
#pragma once

#include <QOpenGLWidget>
#include <QPainter>
#include <vector>

#include "gl/SceneFrame.h"
#include "gui/kit/GlResources.h"

namespace plumora::gui {

class GlSceneWidget : public QOpenGLWidget {
 public:
  GlSceneWidget(const GlResources& resources, SceneDraw draw, QWidget* parent = nullptr);
  // Changes what the view draws (and repaints it).
  void SetDraw(SceneDraw draw);

 protected:
  void initializeGL() override;
  void resizeGL(int width, int height) override;
  void paintGL() override;

 private:
  const GlResources& resources_;
  SceneDraw draw_;
  GlFunctions gl_;
  ViewProjection projection_;
  int deviceWidth_ = 0;   // pixels
  int deviceHeight_ = 0;  // pixels
  bool usable_ = false;   // the context is current-able and its table resolved
};

// The widget of a 3D view: a GlSceneWidget when the shared lists are ready, otherwise a plain
// label saying that 3D views are not available.
QWidget* CreateGlView(const GlResources& resources, SceneDraw draw, QWidget* parent = nullptr);

// Writes labels over a finished frame; their positions are in device pixels.
void PaintSceneLabels(QPainter& painter, const std::vector<SceneLabel>& labels,
                      double devicePixelRatio);

}  // namespace plumora::gui
