// The 3D resources every view shares: one CGLScene whose display lists are compiled once, at
// start-up, in a context of the application's shared context group, so that every 3D pane and
// preview (each a QOpenGLWidget with its own context in that group) can call them.
#pragma once

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <filesystem>
#include <memory>
#include <string>

#include "core/common/Prompter.h"
#include "gl/CAirStreaks.h"
#include "gl/CGLScene.h"
#include "gl/GlFunctions.h"

class QWidget;

namespace plumora::gui {

// The format of every 3D view: OpenGL's compatibility profile (the scenes draw with the fixed
// pipeline), double buffered, with a depth buffer.
QSurfaceFormat GlSurfaceFormat();
// Before the QApplication is made: one context group for the whole program, and the format.
void PrepareOpenGl();
// The window's first OpenGL view makes Qt replace the window's native window with an OpenGL one,
// wherever that happens: a hidden OpenGL child made before the window is shown gives it that
// native window from the start, and its views can turn 3D from any event handler.
void PrepareForOpenGlViews(QWidget& window);
// The function table of a context, which must be current.
Result<> ResolveGl(QOpenGLContext& context, GlFunctions& gl);

class GlResources {
 public:
  GlResources() = default;
  ~GlResources();
  GlResources(const GlResources&) = delete;
  GlResources& operator=(const GlResources&) = delete;

  // Makes a context in the shared group and builds the scene's lists in it from base (models
  // that cannot be read show their messages through prompter). False, showing nothing, when
  // OpenGL cannot be started here: 3D views then show kMsgNoOpenGl instead of their scenes.
  bool Initialise(const std::filesystem::path& base, Prompter& prompter);

  bool IsReady() const { return scene_.IsReady(); }
  // Why the lists could not be built; empty when they were.
  const std::string& failure() const { return failure_; }
  const CGLScene& scene() const { return scene_; }
  // The airflow streaks, scattered once the lists are built: every vehicle and system view
  // advances and draws the same field.
  CAirStreaks& streaks() { return streaks_; }

 private:
  std::unique_ptr<QOffscreenSurface> surface_;
  std::unique_ptr<QOpenGLContext> context_;
  GlFunctions gl_;
  CGLScene scene_;
  CAirStreaks streaks_;
  std::string failure_ = "OpenGL has not been started";
};

}  // namespace plumora::gui
