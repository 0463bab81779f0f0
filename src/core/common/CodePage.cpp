#include "core/common/CodePage.h"

#include <array>

namespace plumora {

namespace {

// Code points of the bytes 0x80 to 0x9F; every other byte is its own code point (Latin-1).
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    // The code page reaches no further than the basic multilingual plane.
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i] into c, advancing i. False for anything malformed
// (overlong forms, surrogates, stray continuation bytes, truncation, values above U+10FFFF).
bool DecodeUtf8(std::string_view text, std::size_t& i, char32_t& c) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i++);
  c = lead;
  if (lead < 0x80) return true;
  int extra = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, c = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, c = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, c = lead & 0x07, minimum = 0x10000;
  } else {
    return false;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size() || (byte(i) & 0xC0) != 0x80) return false;
    c = (c << 6) | (byte(i++) & 0x3F);
  }
  return c >= minimum && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}

}  // namespace

char32_t Windows1252ToCodePoint(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte;
}

int CodePointToWindows1252(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<int>(codePoint);
  }
  for (std::size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == codePoint) return static_cast<int>(0x80 + k);
  }
  return -1;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char b : bytes) AppendUtf8(out, Windows1252ToCodePoint(static_cast<unsigned char>(b)));
  return out;
}

bool IsValidUtf8(std::string_view text) {
  char32_t c = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (!DecodeUtf8(text, i, c)) return false;
  }
  return true;
}

bool Utf8ToWindows1252(std::string_view utf8, std::string& out, char32_t& badCodePoint) {
  out.clear();
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    if (!DecodeUtf8(utf8, i, c)) c = kReplacement;
    const int byte = c == kReplacement ? -1 : CodePointToWindows1252(c);
    if (byte < 0) {
      badCodePoint = c;
      return false;
    }
    out += static_cast<char>(byte);
  }
  return true;
}

}  // namespace plumora
