// The options of a results pane without a window: which dialog a mode opens, the table's
// switches as the dialog groups them, and what each dialog writes back into the pane's settings
// on OK (Cancel writes nothing).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/results/ResultsViewState.h"

namespace plumora::gui {

enum class OptionsDialog { kNone, kTable, kChart, k3D, kStudyHistogram };
// Table and Chart have their own; the three 3D object modes share the light; the study's
// histograms choose their output; the two trajectory modes, the landing scatter and a blank pane
// have none.
OptionsDialog OptionsDialogFor(DisplayMode mode);

// One check box of Table Options: its control, label and group box, and the table column (an
// index of kTableColumns) it switches. The last one stands below the groups.
struct TableOptionSwitch {
  int controlId;
  std::string_view label;
  int group;  // index of kTableOptionGroups, or -1 below them
  int column;
};
inline constexpr std::array<std::string_view, 3> kTableOptionGroups = {"Show", "Payload",
                                                                       "Parachute"};
extern const std::array<TableOptionSwitch, kTableColumnCount> kTableOptionSwitches;

// The group of the derived quantities' boxes, after the others, labelled as the chart lists
// name them.
inline constexpr std::string_view kDerivedOptionGroup = "Derived";
std::string_view DerivedOptionLabel(int k);

// OK in Table Options: the switches, and the shown column count becomes the number that are on.
void ApplyTableOptions(ResultsViewState& state, const ColumnSwitches& switches,
                       const DerivedSwitches& derived = {});

// The choices of Chart Options, which are all the chart's settings but its zoom: list positions
// (chart variables), the body, the switches and the further curves.
struct ChartOptions {
  int x = 0;
  int y = 1;
  int body = 0;  // 0 payload, 1 parachute
  ChartSwitches switches;
  std::vector<int> moreY;  // list positions of further curves
  bool operator==(const ChartOptions&) const = default;
};
ChartOptions ChartOptionsOf(const ResultsViewState& state);
// OK in Chart Options: the axes, the body and the switches, and the zoom is dropped (even when
// nothing else changed). A choice outside the lists changes nothing and gives false. Further curves
// keep their order; the Y variable itself, repeats and those past kMaxChartCurves are dropped.
bool ApplyChartOptions(ResultsViewState& state, const ChartOptions& options);

// The light's x, y, z as the fields show them: each float as the shortest decimal that reads
// back as it (0.1f shows as 0.1, not as the double nearest that float).
std::array<double, 3> LightFieldValues(const ResultsViewState& state);
// OK on the Light page: the three values become the light's position (w stays). A value too
// large for the light's single precision stores nothing: the message says which field.
[[nodiscard]] std::string StoreLightPosition(ResultsViewState& state,
                                             const std::array<double, 3>& xyz);
// The light's fields as messages name them.
inline constexpr std::array<std::string_view, 3> kLightFieldNames = {"x (m)", "y (m)", "z (m)"};

}  // namespace plumora::gui
