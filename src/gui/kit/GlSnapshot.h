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

// Draws the scene off-screen at width × height pixels and writes its labels over it. One
// off-screen context serves the whole process: its lists are read from base by the first
// picture (and again only for another base), and what reading them said is said through
// prompter at every picture, as a fresh context would. A null picture, with failure set when
// given, when off-screen OpenGL cannot be used.
QImage RenderSceneOffscreen(const std::filesystem::path& base, int width, int height,
                            const SceneDraw& draw, Prompter& prompter,
                            std::string* failure = nullptr);

}  // namespace plumora::gui
