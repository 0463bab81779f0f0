// A 3D view drawn without a window, into a picture: for pictures of the 3D display modes made
// headless, and wherever no on-screen context can be had. Mesa's off-screen renderer draws the
// same scenes as the screen.
#pragma once

#include <QImage>
#include <filesystem>
#include <string>

#include "core/common/Prompter.h"
#include "gl/SceneFrame.h"

namespace plumora::gui {

// Sets up a fresh off-screen context of width × height pixels (its state, the lists read from
// base, whose messages go to prompter, and the projection), draws the scene and writes its labels
// over it. A null picture, with failure set when given, when off-screen OpenGL cannot be used.
QImage RenderSceneOffscreen(const std::filesystem::path& base, int width, int height,
                            const SceneDraw& draw, Prompter& prompter,
                            std::string* failure = nullptr);

}  // namespace plumora::gui
