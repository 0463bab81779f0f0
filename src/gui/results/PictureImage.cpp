#include "gui/results/PictureImage.h"

#include <cstring>

namespace plumora::gui {

QImage ToImage(const CDIB& bitmap) {
  const std::vector<std::uint32_t> argb = bitmap.ToArgb();
  const int width = bitmap.Width();
  const int rows = bitmap.Height() < 0 ? -bitmap.Height() : bitmap.Height();
  if (argb.empty() || width <= 0 || rows <= 0) return {};
  QImage image(width, rows, QImage::Format_RGB32);
  for (int y = 0; y < rows; ++y) {
    std::memcpy(image.scanLine(y), argb.data() + static_cast<std::size_t>(y) * width,
                static_cast<std::size_t>(width) * sizeof(std::uint32_t));
  }
  return image;
}

}  // namespace plumora::gui
