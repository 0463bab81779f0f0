// Where the parts of a Windows bitmap file lie, worked out from its headers with every field
// checked against the size of the file. Both bitmap readers (CDIB, CTexture) go through here, so
// neither can point outside the bytes it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace plumora {

inline constexpr std::uint32_t kBmpFileHeaderSize = 14;
inline constexpr std::uint32_t kBmpCompressionNone = 0;

std::uint16_t ReadU16(const std::uint8_t* p);
std::uint32_t ReadU32(const std::uint8_t* p);
std::int32_t ReadS32(const std::uint8_t* p);

// True when the file starts with the "BM" mark.
bool HasBmpMark(const std::uint8_t* bytes, std::size_t size);

struct BmpLayout {
  std::int32_t width = 0;               // pixels
  std::int32_t height = 0;              // pixels; negative for a picture stored top row first
  int bitCount = 0;                     // bits per pixel: 1, 4, 8, 16, 24 or 32
  std::uint32_t compression = 0;        // none, or bit fields for 16 and 32 bits
  std::uint32_t colourTableOffset = 0;  // bytes from the start of the file
  std::uint32_t colourCount = 0;        // entries in the colour table
  std::uint32_t pixelOffset = 0;        // bytes from the start of the file
  std::uint32_t rowStride = 0;          // bytes from one pixel row to the next
  std::uint32_t rows() const { return static_cast<std::uint32_t>(height < 0 ? -height : height); }
};

// The layout of a whole bitmap file (file header included), or nothing when a header field is
// outside what we read or describes data beyond the end of the file. The "BM" mark is the
// caller's to check, since each reader has its own message for it.
std::optional<BmpLayout> CheckBmpLayout(const std::uint8_t* bytes, std::size_t size);

}  // namespace plumora
