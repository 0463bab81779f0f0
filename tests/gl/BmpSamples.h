// Bitmaps the picture and texture tests build: a small picture to write, and files byte by byte.
#pragma once

#include <cstdint>
#include <string>

#include "Pictures.h"

namespace plumora::test {

// A 3 × 2 picture (odd width: each row is padded to 12 bytes in a file): red, green and blue
// along the top row, (10, 20, 30) at the bottom left.
inline tools::Picture Checker() {
  tools::Picture p(3, 2);
  p.at(0, 0) = {255, 0, 0};
  p.at(1, 0) = {0, 255, 0};
  p.at(2, 0) = {0, 0, 255};
  p.at(0, 1) = {10, 20, 30};
  return p;
}

inline void PutU32(std::string& bytes, std::size_t at, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
}
inline void PutU16(std::string& bytes, std::size_t at, std::uint16_t v) {
  bytes[at] = static_cast<char>(v & 0xFF);
  bytes[at + 1] = static_cast<char>(v >> 8);
}

// An 8-bit bitmap of 2 × 2 with a colour table of `colours` entries (blue = index, red = 200);
// the bottom-left pixel has colour 1, the top-left colour 3.
inline std::string PalettedBmp(int colours, int coloursUsed) {
  const std::uint32_t offset = 14 + 40 + 4 * colours;
  std::string b(offset + 8, '\0');
  b[0] = 'B';
  b[1] = 'M';
  PutU32(b, 2, static_cast<std::uint32_t>(b.size()));
  PutU32(b, 10, offset);
  PutU32(b, 14, 40);
  PutU32(b, 18, 2);
  PutU32(b, 22, 2);
  PutU16(b, 26, 1);
  PutU16(b, 28, 8);
  PutU32(b, 46, static_cast<std::uint32_t>(coloursUsed));
  for (int i = 0; i < colours; ++i) {
    b[54 + 4 * i] = static_cast<char>(i);        // blue
    b[54 + 4 * i + 2] = static_cast<char>(200);  // red
  }
  b[offset] = 1;      // bottom-left: colour 1
  b[offset + 4] = 3;  // top-left: colour 3
  return b;
}

}  // namespace plumora::test
