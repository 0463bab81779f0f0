#include "gui/logic/app/PictureExport.h"

#include <algorithm>
#include <cctype>

namespace plumora::gui {

std::optional<PictureFormat> PictureFormatOf(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".png") return PictureFormat::kPng;
  if (extension == ".svg") return PictureFormat::kSvg;
  return std::nullopt;
}

int PictureSide(int paneSide) {
  return std::clamp(paneSide, kMinPictureSide, kMaxPictureSide);
}

std::string PictureFormatRefusal(const std::filesystem::path& path) {
  return "\"" + path.filename().string() +
         "\": a picture is written as PNG (.png) or SVG (.svg); name the file with one of "
         "these endings.";
}

}  // namespace plumora::gui
