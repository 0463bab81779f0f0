// The five pictures the program loads at start-up and keeps until it ends, from "graphics/"
// under the working folder.
#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include "core/common/Prompter.h"
#include "gl/CDIB.h"

namespace plumora::gui {

// In loading order: the Earth, Mars and Titan maps, the atmosphere picture, the zoom mark.
inline constexpr std::array<std::string_view, 5> kStartupPictureFiles = {
    "earth_gl.bmp", "mars.bmp", "titan_gl.bmp", "atmosphere.bmp", "zoom.bmp"};
inline constexpr std::string_view kGraphicsFolder = "graphics";

struct StartupBitmaps {
  CDIB earth;
  CDIB mars;
  CDIB titan;
  CDIB atmosphere;
  CDIB zoom;
};

// Loads the pictures in order from base/graphics. The first that cannot be opened or read stops
// the sequence with "Error opening file NAME" or "Error reading file NAME" (the latter after the
// bitmap reader's own message): false, and the program does not start.
bool LoadStartupBitmaps(const std::filesystem::path& base, Prompter& prompter,
                        StartupBitmaps& bitmaps);

}  // namespace plumora::gui
