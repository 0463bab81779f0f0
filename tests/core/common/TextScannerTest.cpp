#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/common/TextScanner.h"

namespace plumora {
namespace {

TEST(TextScanner, NumbersAreReadAsSinglePrecisionWidened) {
  TextScanner in("0.1 -2.5e3 +7 1e40 1e-50 12abc");
  double v = 0.0;
  ASSERT_TRUE(in.ReadFloat(v));
  EXPECT_EQ(v, static_cast<double>(0.1f));
  ASSERT_TRUE(in.ReadFloat(v));
  EXPECT_EQ(v, -2500.0);
  ASSERT_TRUE(in.ReadFloat(v));
  EXPECT_EQ(v, 7.0);
  ASSERT_TRUE(in.ReadFloat(v));
  EXPECT_TRUE(std::isinf(v));
  ASSERT_TRUE(in.ReadFloat(v));
  EXPECT_EQ(v, 0.0);
  // A number followed by letters gives the number and leaves the letters.
  ASSERT_TRUE(in.ReadFloat(v));
  EXPECT_EQ(v, 12.0);
  EXPECT_FALSE(in.ReadFloat(v));
  std::string token;
  ASSERT_TRUE(in.ReadToken(token));
  EXPECT_EQ(token, "abc");
  EXPECT_FALSE(in.ReadFloat(v));  // end of input
}

TEST(TextScanner, IntegersFollowTheirConversions) {
  TextScanner in("  42\n0x1F 010 -7 99999999999999999999 x");
  long l = 0;
  int i = 0;
  ASSERT_TRUE(in.ReadLong(l));
  EXPECT_EQ(l, 42);
  ASSERT_TRUE(in.ReadInt(i));
  EXPECT_EQ(i, 31);
  ASSERT_TRUE(in.ReadInt(i));
  EXPECT_EQ(i, 8);
  ASSERT_TRUE(in.ReadLong(l));
  EXPECT_EQ(l, -7);
  ASSERT_TRUE(in.ReadLong(l));
  EXPECT_EQ(l, LONG_MAX);
  EXPECT_FALSE(in.ReadLong(l));
  EXPECT_EQ(in.Line(), 2);
}

TEST(TextScanner, LinesAreSkippedWithABoundedRead) {
  // Carriage returns stay part of the line; a line of more than 99 characters takes two reads.
  const std::string longLine(120, 'x');
  TextScanner in("first\r\n" + longLine + "\nlast 5");
  ASSERT_TRUE(in.SkipLine());
  EXPECT_EQ(in.Line(), 2);
  ASSERT_TRUE(in.SkipLine());
  EXPECT_EQ(in.Line(), 2);
  ASSERT_TRUE(in.SkipLine());
  EXPECT_EQ(in.Line(), 3);
  std::string token;
  ASSERT_TRUE(in.ReadToken(token));
  EXPECT_EQ(token, "last");
  ASSERT_TRUE(in.SkipLine());
  EXPECT_FALSE(in.SkipLine());
}

TEST(TextScanner, ALineIsReadBoundedOrSkippedWhole) {
  const std::string longLine(120, 'y');
  TextScanner in("ab\r\n" + longLine + "\n" + longLine + "\nend");
  std::string line;
  ASSERT_TRUE(in.ReadLine(line));
  EXPECT_EQ(line, "ab\r");
  ASSERT_TRUE(in.ReadLine(line));
  EXPECT_EQ(line, std::string(99, 'y'));  // the bounded read stops inside the long line
  EXPECT_EQ(in.Line(), 2);
  in.SkipRestOfLine();
  EXPECT_EQ(in.Line(), 3);
  in.SkipRestOfLine();  // a long line in one go
  ASSERT_TRUE(in.ReadLine(line));
  EXPECT_EQ(line, "end");
  EXPECT_FALSE(in.ReadLine(line));
  EXPECT_EQ(line, "");
  in.SkipRestOfLine();  // nothing left: stays at the end
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(in.Line(), 4);
}

}  // namespace
}  // namespace plumora
