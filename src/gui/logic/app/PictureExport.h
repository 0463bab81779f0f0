// File > Export picture without a window: the format a file name asks for, and the sizes a
// picture may have.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace plumora::gui {

enum class PictureFormat { kPng, kSvg };

// By the name's extension, in any case: ".png" or ".svg"; none for any other.
std::optional<PictureFormat> PictureFormatOf(const std::filesystem::path& path);

// Each side of an exported picture, in pixels.
inline constexpr int kMinPictureSide = 16;
inline constexpr int kMaxPictureSide = 10000;
// A side as the size fields start: the pane's own, kept within the limits.
int PictureSide(int paneSide);

// Said when the name has neither extension.
std::string PictureFormatRefusal(const std::filesystem::path& path);

}  // namespace plumora::gui
