#include <gtest/gtest.h>

#include <string>

#include "core/common/CodePage.h"

namespace plumora {
namespace {

TEST(CodePage, EveryByteMapsToOneCodePointAndBack) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Windows1252ToUtf8(all);
  std::string back;
  char32_t bad = 0;
  ASSERT_TRUE(Utf8ToWindows1252(utf8, back, bad)) << std::hex << static_cast<unsigned>(bad);
  EXPECT_EQ(back, all);
  for (int b = 0; b < 256; ++b) {
    const char32_t c = Windows1252ToCodePoint(static_cast<unsigned char>(b));
    EXPECT_EQ(CodePointToWindows1252(c), b) << b;
  }
}

TEST(CodePage, KnownCharactersAndTheUndefinedBytes) {
  EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");  // €
  EXPECT_EQ(Windows1252ToUtf8("\x9F"), "\xC5\xB8");      // Ÿ
  EXPECT_EQ(Windows1252ToUtf8("\xE9"), "\xC3\xA9");      // é
  EXPECT_EQ(Windows1252ToUtf8(std::string("A\x00z", 3)), std::string("A\x00z", 3));
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(Windows1252ToCodePoint(b), char32_t{b});
  }
  // U+0080 is not the image of any byte: 0x80 is the euro sign.
  EXPECT_EQ(CodePointToWindows1252(0x80), -1);
  EXPECT_EQ(CodePointToWindows1252(0x20AC), 0x80);
}

TEST(CodePage, TextOutsideTheCodePageIsRefusedWithTheCharacter) {
  std::string out;
  char32_t bad = 0;
  EXPECT_FALSE(Utf8ToWindows1252("ok \xE4\xB8\xAD", out, bad));  // 中
  EXPECT_EQ(bad, char32_t{0x4E2D});
  EXPECT_FALSE(Utf8ToWindows1252("\xF0\x9F\x9A\x80", out, bad));  // 🚀
  EXPECT_EQ(bad, char32_t{0x1F680});
  // Broken UTF-8: a lone continuation, a cut sequence, an overlong form, a surrogate.
  for (const char* broken : {"\x80", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
    EXPECT_FALSE(Utf8ToWindows1252(broken, out, bad)) << broken;
    EXPECT_EQ(bad, char32_t{0xFFFD});
  }
}

}  // namespace
}  // namespace plumora
