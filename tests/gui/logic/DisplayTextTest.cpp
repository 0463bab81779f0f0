#include <gtest/gtest.h>

#include "core/common/CodePage.h"
#include "core/flight/TrajectoryStore.h"
#include "gui/logic/DisplayText.h"

namespace plumora::gui {
namespace {

TEST(DisplayTextTest, Utf8StaysAndCodePageBytesAreConverted) {
  EXPECT_EQ(DisplayText("plain"), "plain");
  EXPECT_EQ(DisplayText("caf\xC3\xA9"), "caf\xC3\xA9");
  EXPECT_EQ(DisplayText("caf\xE9"), "caf\xC3\xA9");  // é in Windows-1252
  EXPECT_EQ(DisplayText("\x80"), "\xE2\x82\xAC");    // €
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));             // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));         // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));             // cut short
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x9A\x80"));
}

TEST(DisplayTextTest, TheEndOfARunCountsItsSamples) {
  CTrajectoryStore results;
  EXPECT_EQ(RunDoneText(results), "Done: no samples");
  CTrajectorySample s;
  s.time = 0.0;
  results.Append(s);
  EXPECT_EQ(RunDoneText(results), "Done: 1 sample, 0 s");
  s.time = 1234.5678901234;
  results.Append(s);
  EXPECT_EQ(RunDoneText(results), "Done: 2 samples, 1234.56789 s");
}

}  // namespace
}  // namespace plumora::gui
