#include <gtest/gtest.h>

#include <set>

#include "gui/logic/editing/NumberText.h"
#include "gui/logic/results/DisplayOptions.h"
#include "gui/logic/table/TableLayout.h"

namespace plumora::gui {
namespace {

TEST(DisplayOptionsTest, EachModeOpensItsOwnDialogOrNone) {
  EXPECT_EQ(OptionsDialogFor(DisplayMode::kTable), OptionsDialog::kTable);
  EXPECT_EQ(OptionsDialogFor(DisplayMode::kChart), OptionsDialog::kChart);
  for (DisplayMode m : {DisplayMode::k3DPayload, DisplayMode::k3DParachute, DisplayMode::k3DSystem})
    EXPECT_EQ(OptionsDialogFor(m), OptionsDialog::k3D);
  for (DisplayMode m : {DisplayMode::k2DTrajectory, DisplayMode::k3DTrajectory,
                        DisplayMode::kLandingScatter, DisplayMode::kNone})
    EXPECT_EQ(OptionsDialogFor(m), OptionsDialog::kNone);
  EXPECT_EQ(OptionsDialogFor(DisplayMode::kStudyHistograms), OptionsDialog::kStudyHistogram);
}

TEST(DisplayOptionsTest, EveryTableColumnHasOneSwitchInItsGroup) {
  std::set<int> columns, controls;
  for (const TableOptionSwitch& s : kTableOptionSwitches) {
    columns.insert(s.column);
    controls.insert(s.controlId);
    const TableColumn& c = kTableColumns[static_cast<std::size_t>(s.column)];
    // The payload's switches show its "… L" columns, the parachute's the "… P" ones.
    const std::string title(c.title);
    if (s.group == 1) {
      EXPECT_EQ(title.back(), 'L') << s.label;
    } else if (s.group == 2) {
      EXPECT_EQ(title.back(), 'P') << s.label;
    }
    if (s.label == "Speed" || s.label == "Pitch" || s.label == "Path angle") {
      EXPECT_EQ(title.rfind(std::string(s.label), 0), 0u) << title;
    }
  }
  EXPECT_EQ(columns.size(), static_cast<std::size_t>(kTableColumnCount));
  EXPECT_EQ(controls.size(), static_cast<std::size_t>(kTableColumnCount));
  EXPECT_EQ(kTableColumns[static_cast<std::size_t>(kTableOptionSwitches[14].column)].title,
            "Pitch P");

  ResultsViewState state;
  ColumnSwitches none{};
  ApplyTableOptions(state, none);
  EXPECT_EQ(state.shownColumnCount, 0);
  ApplyTableOptions(state, DefaultColumnSwitches());
  EXPECT_EQ(state.shownColumnCount, 10);  // not the 12 a new pane starts with
  EXPECT_EQ(state.columnSwitches, DefaultColumnSwitches());
}

TEST(DisplayOptionsTest, ChartOptionsTakeOnlyListedChoicesAndAlwaysDropTheZoom) {
  ResultsViewState state;
  state.chartZoom = {true, 10, 20};
  EXPECT_TRUE(ApplyChartOptions(state, ChartOptionsOf(state)));  // OK without a change
  EXPECT_FALSE(state.chartZoom.on);
  EXPECT_EQ(state.chartY, 1);

  state.chartZoom.on = true;
  for (const ChartOptions& bad : {ChartOptions{20, 1, 0, {}, {}}, ChartOptions{0, -1, 0, {}, {}},
                                  ChartOptions{0, 1, 2, {}, {}}}) {
    EXPECT_FALSE(ApplyChartOptions(state, bad));
  }
  EXPECT_TRUE(state.chartZoom.on);
  EXPECT_EQ(state.chartX, 0);
  EXPECT_TRUE(ApplyChartOptions(state, {14, 3, 1, {true, false, true}, {}}));
  EXPECT_EQ(ChartOptionsOf(state).x, 14);
  EXPECT_EQ(state.chartBody, 1);
  EXPECT_EQ(ChartOptionsOf(state).switches, (ChartSwitches{true, false, true}));
}

TEST(DisplayOptionsTest, TheLightFieldsShowItsFloatsAndStoreOnlyWhatAFloatHolds) {
  ResultsViewState state;
  state.lightPosition = {0.1f, -2.5f, 1000.0f, 0.0f};
  const std::array<double, 3> shown = LightFieldValues(state);
  EXPECT_EQ(FormatNumber(shown[0]), "0.1");
  EXPECT_EQ(shown[2], 1000.0);

  EXPECT_EQ(StoreLightPosition(state, {0.0, 0.0, 500.0}), "");
  EXPECT_EQ(state.lightPosition, (std::array<float, 4>{0.0f, 0.0f, 500.0f, 0.0f}));
  EXPECT_EQ(StoreLightPosition(state, {1.0, 1e39, 2.0}),
            "\"y (m)\": 1e+39 is too large for the light's position. The previous values are "
            "kept.");
  EXPECT_EQ(state.lightPosition[0], 0.0f);
  EXPECT_EQ(state.lightPosition[2], 500.0f);
}

}  // namespace
}  // namespace plumora::gui
