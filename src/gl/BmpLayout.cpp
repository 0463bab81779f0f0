#include "gl/BmpLayout.h"

namespace plumora {

namespace {

constexpr std::uint16_t kBmMagic = 0x4D42;     // "BM"
constexpr std::uint32_t kInfoHeaderSize = 40;  // the smallest header whose fields we read
constexpr std::uint32_t kCompressionBitfields = 3;
// Far beyond any picture the program ships, small enough that sizes never overflow.
constexpr std::int64_t kMaxDimension = 1 << 16;

}  // namespace

std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t ReadS32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(ReadU32(p));
}

bool HasBmpMark(const std::uint8_t* bytes, std::size_t size) {
  return size >= 2 && ReadU16(bytes) == kBmMagic;
}

std::optional<BmpLayout> CheckBmpLayout(const std::uint8_t* bytes, std::size_t size) {
  if (size < kBmpFileHeaderSize + kInfoHeaderSize || size > 0xFFFFFFFFu) return std::nullopt;
  const std::uint8_t* info = bytes + kBmpFileHeaderSize;
  const std::uint32_t headerSize = ReadU32(info);
  const std::int64_t width = ReadS32(info + 4);
  const std::int64_t height = ReadS32(info + 8);
  const std::uint16_t planes = ReadU16(info + 12);
  const std::uint16_t bits = ReadU16(info + 14);
  const std::uint32_t compression = ReadU32(info + 16);
  const std::uint32_t coloursUsed = ReadU32(info + 32);
  if (headerSize < kInfoHeaderSize || kBmpFileHeaderSize + std::uint64_t{headerSize} > size) {
    return std::nullopt;
  }
  const std::int64_t rows = height < 0 ? -height : height;
  if (width <= 0 || width > kMaxDimension || rows == 0 || rows > kMaxDimension || planes != 1) {
    return std::nullopt;
  }
  const bool paletted = bits == 1 || bits == 4 || bits == 8;
  const bool direct = bits == 16 || bits == 24 || bits == 32;
  if (!paletted && !direct) return std::nullopt;
  if (compression != kBmpCompressionNone &&
      !(compression == kCompressionBitfields && (bits == 16 || bits == 32))) {
    return std::nullopt;
  }
  std::uint64_t colours = 0;
  if (paletted) {
    const std::uint64_t most = std::uint64_t{1} << bits;
    colours = coloursUsed != 0 ? coloursUsed : most;
    if (colours > most) return std::nullopt;
  }
  // Bit-field masks follow a 40-byte header; larger headers hold them inside.
  const std::uint64_t masks =
      compression == kCompressionBitfields && headerSize == kInfoHeaderSize ? 12 : 0;
  const std::uint64_t tableOffset = kBmpFileHeaderSize + std::uint64_t{headerSize} + masks;
  const std::uint64_t pixelOffset = ReadU32(bytes + 10);
  const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
  if (tableOffset + 4 * colours > pixelOffset || pixelOffset > size ||
      stride * static_cast<std::uint64_t>(rows) > size - pixelOffset) {
    return std::nullopt;
  }
  BmpLayout layout;
  layout.width = static_cast<std::int32_t>(width);
  layout.height = static_cast<std::int32_t>(height);
  layout.bitCount = bits;
  layout.compression = compression;
  layout.colourTableOffset = static_cast<std::uint32_t>(tableOffset);
  layout.colourCount = static_cast<std::uint32_t>(colours);
  layout.pixelOffset = static_cast<std::uint32_t>(pixelOffset);
  layout.rowStride = static_cast<std::uint32_t>(stride);
  return layout;
}

}  // namespace plumora
