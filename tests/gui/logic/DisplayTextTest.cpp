#include <gtest/gtest.h>

#include "core/app/RunMission.h"
#include "core/common/CodePage.h"
#include "core/flight/TrajectoryStore.h"
#include "gui/logic/draw/DisplayText.h"

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

// The status bar says how a run ended, as the command line's summary does: only a landing or a
// phase's own stop is "Done".
TEST(DisplayTextTest, TheEndOfARunSaysHowItEndedAndCountsItsSamples) {
  CTrajectoryStore results;
  RunOutcome outcome;
  EXPECT_EQ(RunEndText(outcome, results), "Nothing was run: the mission has no computed phase.");
  outcome.start = RunStart::kRecordRefused;
  EXPECT_EQ(RunEndText(outcome, results), "Nothing was run: a record the phases fly cannot fly.");
  outcome.start = RunStart::kAtmosphereUnread;
  EXPECT_EQ(RunEndText(outcome, results), "Nothing was run: the atmosphere could not be read.");

  outcome.start = RunStart::kRan;
  outcome.phases.push_back({0, PhaseEnd::kGround, 0, -1});
  EXPECT_EQ(RunEndText(outcome, results), "Done: no samples");
  CTrajectorySample s;
  s.time = 0.0;
  results.Append(s);
  EXPECT_EQ(RunEndText(outcome, results), "Done: 1 sample, 0 s");
  s.time = 1234.5678901234;
  results.Append(s);
  EXPECT_EQ(RunEndText(outcome, results), "Done: 2 samples, 1234.56789 s");
  outcome.phases.back().end = PhaseEnd::kStopCondition;
  EXPECT_EQ(RunEndText(outcome, results), "Done: 2 samples, 1234.56789 s");

  // A declined flip ends the run early; the first phase's end does not count, the last one's does.
  outcome.phases.push_back({1, PhaseEnd::kDeclined, 1, 1});
  EXPECT_EQ(RunEndText(outcome, results),
            "Ended where the parachute flip question was declined: 2 samples, 1234.56789 s");
  outcome.phases.back().end = Fail(ErrorCode::kStopped, "stopped");
  EXPECT_EQ(RunEndText(outcome, results), "Stopped: 2 samples, 1234.56789 s");
  outcome.phases.back().end = Fail(ErrorCode::kFlightFailed, "the step size became too small");
  EXPECT_EQ(RunEndText(outcome, results), "Ended with an error: 2 samples, 1234.56789 s");
}

}  // namespace
}  // namespace plumora::gui
