#include "gui/kit/DibImage.h"

#include <cstring>

namespace plumora::gui {

QImage DibImage(const CDIB& dib) {
  const std::vector<std::uint32_t> argb = dib.ToArgb();
  if (argb.empty()) return {};
  const int width = dib.Width();
  const int rows = static_cast<int>(argb.size() / static_cast<std::size_t>(width));
  QImage image(width, rows, QImage::Format_RGB32);
  if (image.isNull()) return {};  // too large to hold
  for (int y = 0; y < rows; ++y) {
    std::memcpy(image.scanLine(y), argb.data() + static_cast<std::size_t>(y) * width,
                static_cast<std::size_t>(width) * sizeof(std::uint32_t));
  }
  return image;
}

}  // namespace plumora::gui
