// The texture picture of a 3D model: an uncompressed 24-bit Windows bitmap, handed to OpenGL as
// blue-green-red bytes. Anything else is refused, since OpenGL would read width × height × 3
// bytes from it whatever it holds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/common/Prompter.h"

namespace plumora {

class CTexture {
 public:
  // Reads the picture. 1 on success; 0 on failure, with "Error opening texture." when the file
  // cannot be read and "Texture file is not a bitmap" for anything but a complete, uncompressed
  // 24-bit bitmap. A failed load leaves the texture empty.
  int Load(const std::filesystem::path& path, Prompter& prompter);

  bool IsEmpty() const { return pixels_.empty(); }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  // Blue-green-red rows, bottom row first, each padded to a multiple of four bytes (OpenGL's
  // default unpack alignment); null when empty.
  const std::uint8_t* Pixels() const { return pixels_.empty() ? nullptr : pixels_.data(); }

 private:
  std::vector<std::uint8_t> pixels_;
  std::int32_t width_ = 0;   // pixels
  std::int32_t height_ = 0;  // pixels
};

}  // namespace plumora
