#include "gl/CDIB.h"

#include <algorithm>
#include <new>

#include "core/common/Messages.h"
#include "gl/BmpLayout.h"

namespace plumora {

namespace {

constexpr std::uint16_t kDibMarker = 0x746F;  // start of a serialised bitmap

void PutU16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void PutU32(std::string& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
}

Error BitmapError(ErrorCode code, std::string_view text) {
  return Fail(code, std::string(text), kCaptionProgram);
}

// A block for the bytes, or the memory message.
Result<std::vector<std::uint8_t>> Allocate(std::size_t size) {
  try {
    return std::vector<std::uint8_t>(size, 0);
  } catch (const std::bad_alloc&) {
    return BitmapError(ErrorCode::kUnavailable, kMsgDibNoMemory);
  }
}

// 1 on success; 0 on failure, the error shown.
int ShownAs01(const Result<>& result, Prompter& prompter) {
  if (result) return 1;
  ShowError(prompter, result.error());
  return 0;
}

}  // namespace

void CDIB::Clear() {
  data_.clear();
  layout_ = {};
}

Result<> CDIB::Adopt(std::vector<std::uint8_t>&& bytes) {
  Clear();
  if (!HasBmpMark(bytes.data(), bytes.size())) {
    return BitmapError(ErrorCode::kMalformed, kMsgDibNotBm);
  }
  // Every field the accessors rely on must describe data that lies inside the file.
  const std::optional<BmpLayout> layout = CheckBmpLayout(bytes.data(), bytes.size());
  if (!layout) return BitmapError(ErrorCode::kMalformed, kMsgDibBadHeader);
  data_ = std::move(bytes);
  layout_ = *layout;
  return {};
}

Result<> CDIB::AdoptCopy(std::string_view bytes) {
  Result<std::vector<std::uint8_t>> block = Allocate(bytes.size());
  if (!block) {
    Clear();
    return block.error();
  }
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(block->data()));
  return Adopt(std::move(block).value());
}

int CDIB::ReadBytes(std::string_view bytes, Prompter& prompter) {
  return ShownAs01(AdoptCopy(bytes), prompter);
}

Result<> CDIB::ReadWhole(std::FILE* file) {
  Clear();
  const Error readError = BitmapError(ErrorCode::kCannotOpen, kMsgDibReadError);
  const long start = std::ftell(file);
  if (start < 0 || std::fseek(file, 0, SEEK_END) != 0) return readError;
  const long end = std::ftell(file);
  if (end < start || std::fseek(file, start, SEEK_SET) != 0) return readError;
  Result<std::vector<std::uint8_t>> block = Allocate(static_cast<std::size_t>(end - start));
  if (!block) return block.error();
  if (std::fread(block->data(), 1, block->size(), file) != block->size()) return readError;
  return Adopt(std::move(block).value());
}

int CDIB::Read(std::FILE* file, Prompter& prompter) {
  return ShownAs01(ReadWhole(file), prompter);
}

std::string CDIB::Store() const {
  std::string out;
  PutU16(out, kDibMarker);
  PutU32(out, Size());
  out.append(reinterpret_cast<const char*>(data_.data()), data_.size());
  return out;
}

Result<> CDIB::ReadSerialised(std::string_view bytes, std::size_t* consumed) {
  Clear();
  if (consumed) *consumed = 0;
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
  if (bytes.size() < 6) return BitmapError(ErrorCode::kMalformed, kMsgDibReadError);
  const std::uint16_t marker = ReadU16(p);
  const std::uint32_t size = ReadU32(p + 2);
  if (size == 0) {
    if (consumed) *consumed = 6;
    return {};
  }
  if (marker != kDibMarker) return BitmapError(ErrorCode::kMalformed, kMsgDibNotSerialised);
  // A count beyond the data would read past the archive's end.
  if (size > bytes.size() - 6) return BitmapError(ErrorCode::kMalformed, kMsgDibReadError);
  if (Result<> read = AdoptCopy(bytes.substr(6, size)); !read) return read;
  if (consumed) *consumed = 6 + std::size_t{size};
  return {};
}

int CDIB::Load(std::string_view bytes, Prompter& prompter, std::size_t* consumed) {
  return ShownAs01(ReadSerialised(bytes, consumed), prompter);
}

std::vector<std::uint32_t> CDIB::ToArgb() const {
  std::vector<std::uint32_t> out;
  if (data_.empty()) return out;
  const std::int32_t width = layout_.width;
  const std::int32_t height = layout_.height;
  const auto rows = static_cast<std::int32_t>(layout_.rows());
  out.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
  const std::uint8_t* table = data_.data() + layout_.colourTableOffset;
  const auto paletteColour = [&](std::uint32_t index) -> std::uint32_t {
    if (index >= layout_.colourCount) return 0xFF000000u;  // an index past the table shows black
    const std::uint8_t* q = table + 4 * index;
    return 0xFF000000u | (std::uint32_t{q[2]} << 16) | (std::uint32_t{q[1]} << 8) | q[0];
  };
  for (std::int32_t y = 0; y < rows; ++y) {
    // Bottom-up files store the lowest row first.
    const std::int32_t stored = height > 0 ? rows - 1 - y : y;
    const std::uint8_t* row =
        data_.data() + layout_.pixelOffset + std::size_t{layout_.rowStride} * stored;
    std::uint32_t* target = out.data() + static_cast<std::size_t>(y) * width;
    for (std::int32_t x = 0; x < width; ++x) {
      std::uint32_t argb = 0xFF000000u;
      switch (layout_.bitCount) {
        case 1:
          argb = paletteColour((row[x / 8] >> (7 - x % 8)) & 1u);
          break;
        case 4:
          argb = paletteColour((row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xFu);
          break;
        case 8:
          argb = paletteColour(row[x]);
          break;
        case 16: {  // 5-5-5
          const std::uint16_t v = ReadU16(row + 2 * x);
          argb |= ((v >> 10 & 31u) * 255 / 31) << 16 | ((v >> 5 & 31u) * 255 / 31) << 8 |
                  ((v & 31u) * 255 / 31);
          break;
        }
        case 24:
          argb |=
              std::uint32_t{row[3 * x + 2]} << 16 | std::uint32_t{row[3 * x + 1]} << 8 | row[3 * x];
          break;
        default:  // 32
          argb |=
              std::uint32_t{row[4 * x + 2]} << 16 | std::uint32_t{row[4 * x + 1]} << 8 | row[4 * x];
          break;
      }
      target[x] = argb;
    }
  }
  return out;
}

}  // namespace plumora
