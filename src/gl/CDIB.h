// A Windows bitmap (.bmp) kept whole in memory: the start-up pictures (planet maps, the
// atmosphere background, the chart's zoom mark) are read into these and kept until the program
// ends. The file is untrusted: every header field and offset is checked against the size of the
// file before anything points into it, so no accessor ever reaches outside the block.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Prompter.h"
#include "gl/BmpLayout.h"

namespace plumora {

class CDIB {
 public:
  // Reads an open file whole (from its current position to its end). 1 on success, 0 on failure;
  // the reason has been shown through prompter. A failed read leaves the bitmap empty.
  int Read(std::FILE* file, Prompter& prompter);
  // The same from bytes already in memory.
  int ReadBytes(std::string_view bytes, Prompter& prompter);

  // Serialised form: the 16-bit marker 0x746F, a 32-bit byte count n, then the n bytes of the
  // file (little-endian).
  std::string Store() const;
  // Reads the serialised form from the start of bytes. A count of 0 gives an empty bitmap without
  // a message. 1 on success (an empty bitmap included), 0 on failure (message shown, bitmap empty).
  // consumed, when given, receives the bytes taken.
  int Load(std::string_view bytes, Prompter& prompter, std::size_t* consumed = nullptr);

  bool IsEmpty() const { return data_.empty(); }
  std::uint32_t Size() const { return static_cast<std::uint32_t>(data_.size()); }
  int BitCount() const { return layout_.bitCount; }
  // Width and height as stored; the height is negative for a picture stored top row first.
  std::int32_t Width() const { return layout_.width; }
  std::int32_t Height() const { return layout_.height; }

  // The whole file, the information header (offset 14, header plus colour table) and the pixel
  // rows; null for an empty bitmap.
  const std::uint8_t* FileHeader() const { return data_.empty() ? nullptr : data_.data(); }
  const std::uint8_t* BitmapInfo() const { return data_.empty() ? nullptr : data_.data() + 14; }
  const std::uint8_t* Pixels() const {
    return data_.empty() ? nullptr : data_.data() + layout_.pixelOffset;
  }
  // Bytes from one pixel row to the next (rows are padded to four bytes).
  std::uint32_t RowStride() const { return layout_.rowStride; }
  // Colours in the colour table (0 for 16, 24 and 32 bits per pixel).
  std::uint32_t ColourCount() const { return layout_.colourCount; }

  // The picture as 0xAARRGGBB values, top row first, alpha 255: width × |height| values, or none
  // for an empty bitmap.
  std::vector<std::uint32_t> ToArgb() const;

 private:
  // The readers behind Read, ReadBytes and Load, which show what these return. A failure leaves
  // the bitmap empty.
  Result<> ReadWhole(std::FILE* file);
  Result<> AdoptCopy(std::string_view bytes);
  Result<> ReadSerialised(std::string_view bytes, std::size_t* consumed);
  // Checks the headers of bytes; on success sets the derived members and keeps the bytes.
  Result<> Adopt(std::vector<std::uint8_t>&& bytes);
  void Clear();

  std::vector<std::uint8_t> data_;
  BmpLayout layout_;  // all zero for an empty bitmap
};

}  // namespace plumora
