// Mission files hold their texts as single bytes of the Windows western code page (Windows-1252);
// everything that leaves the program as text (JSON) is UTF-8. The two meet only here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plumora {

// Every byte 0 to 255 maps to one code point. The five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control code points of the same value, as the usual
// best-fit tables do, so that any byte string survives the trip.
char32_t Windows1252ToCodePoint(unsigned char byte);

// The byte of a code point, or -1 when Windows-1252 has none for it.
int CodePointToWindows1252(char32_t codePoint);

// Bytes of the code page as UTF-8.
std::string Windows1252ToUtf8(std::string_view bytes);

// Whether text is well-formed UTF-8 (no overlong forms, surrogates or truncated sequences).
bool IsValidUtf8(std::string_view text);

// UTF-8 as bytes of the code page. False when the text is not valid UTF-8 or holds a character
// the code page lacks; badCodePoint then holds that character (or U+FFFD for broken UTF-8) and
// out is unspecified.
bool Utf8ToWindows1252(std::string_view utf8, std::string& out, char32_t& badCodePoint);

}  // namespace plumora
