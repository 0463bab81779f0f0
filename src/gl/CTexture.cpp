#include "gl/CTexture.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/common/FileIO.h"
#include "core/common/Messages.h"
#include "gl/BmpLayout.h"

namespace plumora {

namespace {

constexpr int kTextureBits = 24;

}  // namespace

int CTexture::Load(const std::filesystem::path& path, Prompter& prompter) {
  pixels_.clear();
  width_ = height_ = 0;
  // Only a regular file: a device or a pipe named as a texture could be read without end.
  std::error_code error;
  const Result<std::string> read = std::filesystem::is_regular_file(path, error)
                                       ? ReadWholeFile(path)
                                       : Fail(ErrorCode::kCannotOpen, {});
  if (!read) {
    prompter.Message(kMsgTextureNotOpened, kCaptionProgram);
    return 0;
  }
  const std::string& file = read.value();
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
  const std::optional<BmpLayout> layout =
      HasBmpMark(bytes, file.size()) ? CheckBmpLayout(bytes, file.size()) : std::nullopt;
  if (!layout || layout->bitCount != kTextureBits || layout->compression != kBmpCompressionNone) {
    prompter.Message(kMsgTextureNotBitmap, kCaptionProgram);
    return 0;
  }
  const std::size_t stride = layout->rowStride;
  const std::size_t rows = layout->rows();
  const std::uint8_t* first = bytes + layout->pixelOffset;
  pixels_.assign(first, first + stride * rows);
  if (layout->height < 0) {
    // Stored top row first: OpenGL wants the bottom row first.
    for (std::size_t y = 0; y < rows / 2; ++y) {
      std::swap_ranges(pixels_.begin() + static_cast<std::ptrdiff_t>(y * stride),
                       pixels_.begin() + static_cast<std::ptrdiff_t>((y + 1) * stride),
                       pixels_.begin() + static_cast<std::ptrdiff_t>((rows - 1 - y) * stride));
    }
  }
  width_ = layout->width;
  height_ = static_cast<std::int32_t>(rows);
  return 1;
}

}  // namespace plumora
