// One frame of a 3D view as the scenes see it, on screen or off: the current context's
// function table, the shared lists, the view's projection; and the text a scene writes over
// the finished frame (the axis labels).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gl/CGLScene.h"
#include "gl/GlFunctions.h"
#include "gl/ViewProjection.h"

namespace plumora {

struct SceneFrame {
  const GlFunctions& gl;
  const CGLScene& scene;
  const ViewProjection& projection;  // set for the view's size before the draw
};

// Centred on (x, y), device pixels from the view's top left corner.
struct SceneLabel {
  int x = 0;
  int y = 0;
  std::string text;
  std::array<std::uint8_t, 3> colour{200, 0, 0};  // red, green, blue
};

// Draws a frame and gives the labels to write over it.
using SceneDraw = std::function<std::vector<SceneLabel>(const SceneFrame&)>;

}  // namespace plumora
