#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "BmpSamples.h"
#include "Pictures.h"
#include "core/common/Messages.h"
#include "gl/CTexture.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

TEST(CTextureTest, HandsOpenGlTheBottomRowFirstWhicheverWayTheFileStoresIt) {
  test::TempDir dir;
  std::string bottomUp = tools::BmpBytes(test::Checker());
  // The same picture stored top row first: rows swapped, height negative.
  std::string topDown = bottomUp;
  topDown.replace(54, 12, bottomUp, 66, 12);
  topDown.replace(66, 12, bottomUp, 54, 12);
  test::PutU32(topDown, 22, static_cast<std::uint32_t>(-2));
  for (const std::string& bytes : {bottomUp, topDown}) {
    test::WriteFile(dir / "t.bmp", bytes);
    RecordingPrompter prompter;
    CTexture texture;
    ASSERT_EQ(texture.Load(dir / "t.bmp", prompter), 1) << prompter.Transcript();
    EXPECT_TRUE(prompter.entries().empty());
    EXPECT_EQ(texture.Width(), 3);
    EXPECT_EQ(texture.Height(), 2);
    const std::uint8_t* p = texture.Pixels();
    // Bottom row first, blue-green-red: (10, 20, 30) at the left.
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[2], 10);
    // The top row starts after the padded bottom row: red at the left, blue at the right.
    EXPECT_EQ(p[12 + 2], 255);
    EXPECT_EQ(p[12 + 6], 255);
  }
}

TEST(CTextureTest, RefusesAnythingButACompleteUncompressed24BitBitmap) {
  const std::string good = tools::BmpBytes(test::Checker());
  struct Case {
    const char* what;
    std::function<std::string()> bytes;
  };
  const Case cases[] = {
      {"8 bits per pixel", [] { return test::PalettedBmp(4, 4); }},
      {"32 bits per pixel",
       [&] {
         std::string b = good;
         test::PutU16(b, 28, 32);
         return b;
       }},
      {"run-length compressed",
       [&] {
         std::string b = good;
         test::PutU32(b, 30, 1);
         return b;
       }},
      {"pixel rows cut short", [&] { return good.substr(0, good.size() - 1); }},
      {"header only", [&] { return good.substr(0, 30); }},
      {"not BM", [&] { return "BA" + good.substr(2); }},
      {"empty", [] { return std::string(); }},
  };
  test::TempDir dir;
  test::WriteFile(dir / "good.bmp", good);
  for (const Case& c : cases) {
    test::WriteFile(dir / "t.bmp", c.bytes());
    RecordingPrompter prompter;
    CTexture texture;
    ASSERT_EQ(texture.Load(dir / "good.bmp", prompter), 1);
    EXPECT_EQ(texture.Load(dir / "t.bmp", prompter), 0) << c.what;
    ASSERT_EQ(prompter.entries().size(), 1u) << c.what;
    EXPECT_EQ(prompter.entries()[0].text, "Texture file is not a bitmap") << c.what;
    EXPECT_EQ(prompter.entries()[0].caption, kCaptionProgram);
    EXPECT_TRUE(texture.IsEmpty()) << c.what;
    EXPECT_EQ(texture.Pixels(), nullptr);
  }
  RecordingPrompter prompter;
  CTexture texture;
  EXPECT_EQ(texture.Load(dir / "missing.bmp", prompter), 0);
  EXPECT_EQ(texture.Load(dir.path(), prompter), 0);  // a folder
  ASSERT_EQ(prompter.entries().size(), 2u);
  EXPECT_EQ(prompter.entries()[1].text, "Error opening texture.");
}

}  // namespace
}  // namespace plumora
