#include <gtest/gtest.h>

#include "gui/logic/snapshot/SnapshotOptions.h"

namespace plumora::gui {
namespace {

SnapshotCommandLine Parse(std::vector<std::string> arguments) {
  return ParseSnapshotCommandLine(arguments);
}

TEST(SnapshotOptionsTest, DefaultsAndEveryOption) {
  const SnapshotCommandLine plain = Parse({"--snapshot", "out.png"});
  ASSERT_TRUE(plain.options) << plain.text;
  EXPECT_EQ(plain.options->width, 800);
  EXPECT_EQ(plain.options->height, 600);
  EXPECT_EQ(plain.options->mode, DisplayMode::kTable);
  EXPECT_FALSE(plain.options->timeGiven);
  EXPECT_FALSE(plain.options->command);
  EXPECT_EQ(plain.options->mission, "");

  const SnapshotCommandLine full = Parse(
      {"examples/earth-return.psd", "--snapshot=a.png", "--size", "320x200", "--mode", "track",
       "--x", "3", "--y", "14", "--body", "parachute", "--time", "-2.5", "--command", "32781"});
  ASSERT_TRUE(full.options) << full.text;
  const SnapshotOptions& o = *full.options;
  EXPECT_EQ(o.output, "a.png");
  EXPECT_EQ(o.width, 320);
  EXPECT_EQ(o.height, 200);
  EXPECT_EQ(o.mode, DisplayMode::k2DTrajectory);
  EXPECT_EQ(o.chartX, 3);
  EXPECT_EQ(o.chartY, 14);
  EXPECT_EQ(o.chartBody, 1);
  EXPECT_TRUE(o.timeGiven);
  EXPECT_DOUBLE_EQ(o.time, -2.5);
  EXPECT_EQ(o.command, 32781);
  EXPECT_EQ(o.mission, "examples/earth-return.psd");

  EXPECT_EQ(o.chartSwitches, ChartSwitches{});
  const SnapshotCommandLine charted =
      Parse({"--snapshot", "c.png", "--chart-options", "grid,round"});
  ASSERT_TRUE(charted.options) << charted.text;
  EXPECT_EQ(charted.options->chartSwitches, (ChartSwitches{true, false, true}));
  ChartSwitches all;
  EXPECT_TRUE(ParseChartSwitches("fit,round,grid", all));
  EXPECT_EQ(all, (ChartSwitches{true, true, true}));
  for (const char* bad : {"round,,grid", "round,", "Grid", "fit grid", "all"}) {
    ChartSwitches kept = all;
    EXPECT_FALSE(ParseChartSwitches(bad, kept)) << bad;
    EXPECT_EQ(kept, all) << bad;  // a refused list changes nothing
  }

  // Further curves, a log axis and the table's derived columns.
  const SnapshotCommandLine more = Parse({"--snapshot", "m.png", "--y", "16", "--more-y", "3,15",
                                          "--chart-options", "log", "--derived-columns", "0,4"});
  ASSERT_TRUE(more.options) << more.text;
  EXPECT_EQ(more.options->chartY, 16);
  EXPECT_EQ(more.options->chartMoreY, (std::vector<int>{3, 15}));
  EXPECT_TRUE(more.options->chartSwitches.logY);
  EXPECT_EQ(more.options->derivedColumns, (DerivedSwitches{true, false, false, false, true}));
  std::vector<int> numbers{7};
  EXPECT_TRUE(ParseNumberList("", 19, numbers));
  EXPECT_TRUE(numbers.empty());
  for (const char* bad : {"20", "-1", "1,", ",1", "1;2", "x", "1.5", "99999999999"}) {
    numbers = {7};
    EXPECT_FALSE(ParseNumberList(bad, 19, numbers)) << bad;
    EXPECT_EQ(numbers, std::vector<int>{7}) << bad;
  }
  EXPECT_EQ(Parse({"--snapshot", "m.png", "--derived-columns", "5"}).status, kSnapshotUsage);
  // The study's pictures: its file, the histogram's output and the track's landings.
  EXPECT_FALSE(NeedsStudy(o));
  EXPECT_EQ(o.histogramOutput, StudyOutput::kPeakDeceleration);
  const SnapshotCommandLine studied =
      Parse({"--snapshot", "h.png", "--mode", "histogram", "--histogram-output", "landing_speed",
             "--study", "s.json", "m.psd"});
  ASSERT_TRUE(studied.options) << studied.text;
  EXPECT_EQ(studied.options->mode, DisplayMode::kStudyHistograms);
  EXPECT_EQ(studied.options->histogramOutput, StudyOutput::kLandingSpeed);
  EXPECT_EQ(studied.options->study, "s.json");
  EXPECT_TRUE(NeedsStudy(*studied.options));
  const SnapshotCommandLine landings =
      Parse({"--snapshot", "t.png", "--mode", "track", "--landing-ellipses", "m.psd"});
  ASSERT_TRUE(landings.options) << landings.text;
  EXPECT_TRUE(landings.options->landingEllipses);
  EXPECT_TRUE(NeedsStudy(*landings.options));
  EXPECT_EQ(landings.options->mission, "m.psd");
  // The outputs go by the names of the runs CSV's columns.
  EXPECT_EQ(Parse({"--snapshot", "s.png", "--mode", "scatter", "--histogram-output",
                   "max_connection_force"})
                .options->histogramOutput,
            StudyOutput::kPeakLineForce);
  EXPECT_EQ(Parse({"--snapshot", "s.png", "--histogram-output", "line_force"}).status,
            kSnapshotUsage);
  EXPECT_EQ(Parse({"--snapshot", "s.png", "--study"}).status, kSnapshotUsage);

  EXPECT_TRUE(WantsSnapshot({"m.psd", "--snapshot=x.png"}));
  EXPECT_FALSE(WantsSnapshot({"--snapshots.psd"}));
}

TEST(SnapshotOptionsTest, BadUsageIsRefusedWithStatusTwo) {
  const std::vector<std::vector<std::string>> bad = {
      {},                                            // no picture named
      {"--snapshot", "o.png", "--size", "800"},      // no height
      {"--snapshot", "o.png", "--size", "0x600"},    // empty
      {"--snapshot", "o.png", "--size", "9000x10"},  // too large to allocate
      {"--snapshot", "o.png", "--size", "8x6x2"},
      {"--snapshot", "o.png", "--mode", "globe"},
      {"--snapshot", "o.png", "--x", "20"},
      {"--snapshot", "o.png", "--body", "both"},
      {"--snapshot", "o.png", "--time", "nan"},
      {"--snapshot", "o.png", "--time", "soon"},
      {"--snapshot", "o.png", "--command", "12345"},  // no such command
      {"--snapshot", "o.png", "a.psd", "b.psd"},
      {"--snapshot", "o.png", "--chart-options", "round,zoom"},
  };
  for (const auto& arguments : bad) {
    const SnapshotCommandLine r = Parse(arguments);
    EXPECT_FALSE(r.options) << testing::PrintToString(arguments);
    EXPECT_EQ(r.status, kSnapshotUsage) << testing::PrintToString(arguments);
    EXPECT_EQ(r.text.rfind("error: ", 0), 0u) << r.text;
  }
  const SnapshotCommandLine help = Parse({"--help"});
  EXPECT_FALSE(help.options);
  EXPECT_EQ(help.status, kSnapshotOk);
  EXPECT_NE(help.text.find("--command"), std::string::npos);
  EXPECT_NE(help.text.find("--chart-options"), std::string::npos);
  const SnapshotCommandLine unknown = Parse({"--snapshot", "o.png", "--chart-options", "zoom"});
  EXPECT_NE(unknown.text.find("round, fit, grid and log"), std::string::npos) << unknown.text;
}

}  // namespace
}  // namespace plumora::gui
