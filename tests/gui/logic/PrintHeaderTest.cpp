#include <gtest/gtest.h>

#include "core/common/CodePage.h"
#include "gui/logic/results/PrintHeader.h"

namespace plumora::gui {
namespace {

TEST(PrintHeader, NamesTheMissionWhatThePaneShowsAndTheDate) {
  ResultsViewState state;
  state.chartX = 0;
  state.chartY = 1;
  EXPECT_EQ(PaneDescription(DisplayMode::kChart, state),
            "Chart: height (m) against time (s), payload");
  state.chartBody = 1;
  EXPECT_EQ(PaneDescription(DisplayMode::kChart, state).substr(0, 6), "Chart:");
  EXPECT_NE(PaneDescription(DisplayMode::kChart, state).find("parachute"), std::string::npos);
  // Further curves are named as the legend names them, each once; a log axis says so.
  state.chartMoreY = {2, 1, 99};
  state.chartSwitches.logY = true;
  EXPECT_EQ(PaneDescription(DisplayMode::kChart, state),
            "Chart: height (m), " + Windows1252ToUtf8(kChartVariables[2].axisLabel) +
                " (logarithmic) against time (s), parachute");
  state.chartMoreY.clear();
  state.chartSwitches.logY = false;
  // A variable outside the list does not index past it.
  state.chartY = 99;
  EXPECT_EQ(PaneDescription(DisplayMode::kChart, state), "Chart: ? against time (s), parachute");
  EXPECT_EQ(PaneDescription(DisplayMode::kTable, state), "Table");
  EXPECT_EQ(PaneDescription(DisplayMode::k2DTrajectory, state), "Ground track");
  EXPECT_EQ(PaneDescription(DisplayMode::kLandingScatter, state), "Landing scatter");
  state.studyOutput = StudyOutput::kLandingSpeed;
  EXPECT_EQ(PaneDescription(DisplayMode::kStudyHistograms, state),
            "Study histogram: Landing speed");

  EXPECT_EQ(PrintHeaderLine("earth-return.psd", "Table", "2026-12-07"),
            "earth-return.psd \u2014 Table \u2014 2026-12-07");
  EXPECT_EQ(PrintHeaderLine("", "Ground track", "2026-12-07"),
            "Untitled \u2014 Ground track \u2014 2026-12-07");
}

}  // namespace
}  // namespace plumora::gui
