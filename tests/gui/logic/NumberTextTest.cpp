#include "gui/logic/editing/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace plumora::gui {
namespace {

// Whatever a field shows reads back as the very value it was given.
TEST(NumberText, ShownTextReadsBackExactly) {
  for (double v : {0.1, -12.14, 2800.0, 1e-5, 6.16, 1.0 / 3.0, 0.0174532925199433, -0.0,
                   std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                   57.2957795130823}) {
    const std::optional<double> back = ParseNumber(FormatNumber(v));
    ASSERT_TRUE(back) << FormatNumber(v);
    EXPECT_EQ(std::signbit(*back), std::signbit(v));
    EXPECT_EQ(*back, v) << FormatNumber(v);
  }
  EXPECT_EQ(FormatNumber(0.1), "0.1");
  EXPECT_EQ(FormatNumber(2800.0), "2800");
  EXPECT_EQ(FormatInteger(-1), "-1");
}

TEST(NumberText, ReadsOnlyWholeFiniteNumbersInAnyLocale) {
  EXPECT_EQ(ParseNumber(" +1.5e3 "), 1500.0);
  EXPECT_EQ(ParseNumber("-.5"), -0.5);
  EXPECT_EQ(ParseNumber("5."), 5.0);
  for (const char* bad : {"", " ", "-", ".", "1e", "1e+", "1,5", "1.5.2", "abc", "12kg", "inf",
                          "nan", "1e999", "0x10", "--1"}) {
    EXPECT_FALSE(ParseNumber(bad)) << bad;
  }
  EXPECT_EQ(ParseInteger(" -3 "), -3);
  EXPECT_EQ(ParseInteger("+7"), 7);
  for (const char* bad : {"1.0", "1e3", "", "2147483648", "x"})
    EXPECT_FALSE(ParseInteger(bad)) << bad;
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
}

// Typing passes through states that are not numbers yet; letters and commas never get in.
TEST(NumberText, TypingMayPassThroughIncompleteEntries) {
  for (const char* partial : {"", "-", "+", ".", "-.", "1e", "1e-", "2.5E+"}) {
    EXPECT_EQ(ClassifyNumberEntry(partial, false), NumberEntry::kIncomplete) << partial;
  }
  for (const char* bad : {"a", "1,", "1e5e", "1-", "e5", "1..2"}) {
    EXPECT_EQ(ClassifyNumberEntry(bad, false), NumberEntry::kInvalid) << bad;
  }
  EXPECT_EQ(ClassifyNumberEntry("-12.5", false), NumberEntry::kComplete);
  EXPECT_EQ(ClassifyNumberEntry("1.", true), NumberEntry::kInvalid);
  EXPECT_EQ(ClassifyNumberEntry("-", true), NumberEntry::kIncomplete);
  EXPECT_EQ(NotANumberMessage("Mass (kg)", "12kg"),
            "\"Mass (kg)\" needs a number; \"12kg\" is not one. The previous value is kept.");
}

}  // namespace
}  // namespace plumora::gui
