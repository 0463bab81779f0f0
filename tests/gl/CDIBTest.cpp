#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "BmpSamples.h"
#include "Pictures.h"
#include "core/common/Messages.h"
#include "gl/CDIB.h"

namespace plumora {
namespace {

using test::Checker;
using test::PalettedBmp;
using test::PutU16;
using test::PutU32;

// A reader and what it said.
class CDIBTest : public ::testing::Test {
 protected:
  RecordingPrompter prompter;
  CDIB dib;
};

TEST_F(CDIBTest, ReadsTheBitmapsWeWriteWithTheirColours) {
  const std::string bytes = tools::BmpBytes(Checker());
  ASSERT_EQ(dib.ReadBytes(bytes, prompter), 1) << prompter.Transcript();
  EXPECT_EQ(dib.Width(), 3);
  EXPECT_EQ(dib.Height(), 2);
  EXPECT_EQ(dib.BitCount(), 24);
  EXPECT_EQ(dib.RowStride(), 12u);
  EXPECT_EQ(dib.Size(), bytes.size());
  EXPECT_EQ(dib.Pixels() - dib.FileHeader(), 54);
  const std::vector<std::uint32_t> argb = dib.ToArgb();
  ASSERT_EQ(argb.size(), 6u);
  EXPECT_EQ(argb[0], 0xFFFF0000u);
  EXPECT_EQ(argb[1], 0xFF00FF00u);
  EXPECT_EQ(argb[2], 0xFF0000FFu);
  EXPECT_EQ(argb[3], 0xFF0A141Eu);

  // A top-down picture is read top row first: the stored bottom row now comes first.
  std::string topDown = bytes;
  PutU32(topDown, 22, static_cast<std::uint32_t>(-2));
  ASSERT_EQ(dib.ReadBytes(topDown, prompter), 1);
  EXPECT_EQ(dib.Height(), -2);
  EXPECT_EQ(dib.ToArgb()[0], 0xFF0A141Eu);
}

TEST_F(CDIBTest, PalettedPicturesUseTheirColourTable) {
  ASSERT_EQ(dib.ReadBytes(PalettedBmp(4, 4), prompter), 1) << prompter.Transcript();
  EXPECT_EQ(dib.ColourCount(), 4u);
  const auto argb = dib.ToArgb();
  EXPECT_EQ(argb[0], 0xFFC80003u);  // top-left: colour 3
  EXPECT_EQ(argb[2], 0xFFC80001u);  // bottom-left: colour 1
  // Colours used 0 means the full table of 256, which this file does not hold.
  EXPECT_EQ(dib.ReadBytes(PalettedBmp(4, 0), prompter), 0);
  EXPECT_EQ(prompter.entries().back().text, kMsgDibBadHeader);
}

TEST_F(CDIBTest, RefusesAnythingButBm) {
  std::string bytes = tools::BmpBytes(Checker());
  bytes[1] = 'A';
  EXPECT_EQ(dib.ReadBytes(bytes, prompter), 0);
  ASSERT_EQ(prompter.entries().size(), 1u);
  EXPECT_EQ(prompter.entries()[0].text, "Tipo del fichero no valido. Debe ser BM");
  EXPECT_TRUE(dib.IsEmpty());
  EXPECT_EQ(dib.ReadBytes("", prompter), 0);
  EXPECT_EQ(prompter.entries().back().text, kMsgDibNotBm);
}

TEST_F(CDIBTest, HeadersThatPointOutsideTheFileAreRefused) {
  const std::string good = tools::BmpBytes(Checker());
  struct Damage {
    const char* what;
    std::function<void(std::string&)> apply;
  };
  const Damage damages[] = {
      {"cut after the file header", [](std::string& b) { b.resize(20); }},
      {"pixel rows cut short", [](std::string& b) { b.resize(b.size() - 1); }},
      {"pixel offset past the end", [](std::string& b) { PutU32(b, 10, 1u << 30); }},
      {"pixel offset inside the header", [](std::string& b) { PutU32(b, 10, 20); }},
      {"huge width", [](std::string& b) { PutU32(b, 18, 0x7FFFFFFF); }},
      {"negative width", [](std::string& b) { PutU32(b, 18, 0xFFFFFFFF); }},
      {"zero height", [](std::string& b) { PutU32(b, 22, 0); }},
      {"most negative height", [](std::string& b) { PutU32(b, 22, 0x80000000u); }},
      {"header size past the end", [](std::string& b) { PutU32(b, 14, 0xFFFFFFF0u); }},
      {"small header", [](std::string& b) { PutU32(b, 14, 12); }},
      {"bit count 7", [](std::string& b) { PutU16(b, 28, 7); }},
      {"two planes", [](std::string& b) { PutU16(b, 26, 2); }},
      {"run-length compression", [](std::string& b) { PutU32(b, 30, 1); }},
  };
  for (const Damage& d : damages) {
    std::string bytes = good;
    d.apply(bytes);
    RecordingPrompter prompter;
    CDIB dib;
    EXPECT_EQ(dib.ReadBytes(bytes, prompter), 0) << d.what;
    ASSERT_EQ(prompter.entries().size(), 1u) << d.what;
    EXPECT_EQ(prompter.entries()[0].text, kMsgDibBadHeader) << d.what;
    EXPECT_TRUE(dib.IsEmpty()) << d.what;
    EXPECT_TRUE(dib.ToArgb().empty()) << d.what;
  }
}

TEST_F(CDIBTest, SerialisedFormRoundTripsAndIsChecked) {
  ASSERT_EQ(dib.ReadBytes(tools::BmpBytes(Checker()), prompter), 1);
  const std::string stored = dib.Store();
  EXPECT_EQ(static_cast<unsigned char>(stored[0]), 0x6F);
  EXPECT_EQ(static_cast<unsigned char>(stored[1]), 0x74);
  CDIB copy;
  std::size_t used = 0;
  ASSERT_EQ(copy.Load(stored + "trailing", prompter, &used), 1);
  EXPECT_EQ(used, stored.size());
  EXPECT_EQ(copy.ToArgb(), dib.ToArgb());

  // A count of 0 is an empty bitmap, quietly.
  EXPECT_EQ(copy.Load(std::string("\x6F\x74\0\0\0\0", 6), prompter), 1);
  EXPECT_TRUE(copy.IsEmpty());
  EXPECT_TRUE(prompter.entries().empty());

  std::string wrongMarker = stored;
  wrongMarker[0] = 0x70;
  EXPECT_EQ(copy.Load(wrongMarker, prompter), 0);
  EXPECT_EQ(prompter.entries().back().text, "Fichero DIB no valido");
  // A count beyond the data never reads past it.
  EXPECT_EQ(copy.Load(stored.substr(0, stored.size() - 1), prompter), 0);
  EXPECT_EQ(prompter.entries().back().text, "Error al leer el fichero .bmp");
  EXPECT_EQ(copy.Load("\x6F", prompter), 0);
  EXPECT_TRUE(copy.IsEmpty());
}

}  // namespace
}  // namespace plumora
