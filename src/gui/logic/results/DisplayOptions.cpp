#include "gui/logic/results/DisplayOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "gui/logic/editing/NumberText.h"

namespace plumora::gui {

// In the dialog's order; the column numbers follow the table's (Time 0 … Con. force 4, the
// payload's 5 to 10, the parachute's 11 to 16).
const std::array<TableOptionSwitch, kTableColumnCount> kTableOptionSwitches = {{
    {kCtlShowTime, "Time", 0, 0},
    {kCtlShowLatitude, "Latitude", 0, 1},
    {kCtlShowLongitude, "Longitude", 0, 2},
    {kCtlShowHeading, "Heading", 0, 3},
    {kCtlShowPayloadHeight, "Height", 1, 5},
    {kCtlShowPayloadSpeed, "Speed", 1, 7},
    {kCtlShowPayloadPathAngle, "Path angle", 1, 6},
    {kCtlShowPayloadRoll, "Roll", 1, 8},
    {kCtlShowPayloadPitch, "Pitch", 1, 9},
    {kCtlShowPayloadYaw, "Yaw", 1, 10},
    {kCtlShowParachuteHeight, "Height", 2, 11},
    {kCtlShowParachuteSpeed, "Speed", 2, 13},
    {kCtlShowParachutePathAngle, "Path angle", 2, 12},
    {kCtlShowParachuteRoll, "Roll", 2, 14},
    {kCtlShowParachutePitch, "Pitch", 2, 15},
    {kCtlShowParachuteYaw, "Yaw", 2, 16},
    {kCtlShowConnectionForce, "Connection Force", -1, 4},
}};

OptionsDialog OptionsDialogFor(DisplayMode mode) {
  switch (mode) {
    case DisplayMode::kTable:
      return OptionsDialog::kTable;
    case DisplayMode::kChart:
      return OptionsDialog::kChart;
    case DisplayMode::k3DPayload:
    case DisplayMode::k3DParachute:
    case DisplayMode::k3DSystem:
      return OptionsDialog::k3D;
    case DisplayMode::kStudyHistograms:
      return OptionsDialog::kStudyHistogram;
    default:
      return OptionsDialog::kNone;
  }
}

std::string_view DerivedOptionLabel(int k) {
  return kChartVariables.at(static_cast<std::size_t>(kStoredChartVariableCount + k)).listItem;
}

void ApplyTableOptions(ResultsViewState& state, const ColumnSwitches& switches,
                       const DerivedSwitches& derived) {
  state.columnSwitches = switches;
  state.derivedColumns = derived;
  state.shownColumnCount = static_cast<int>(std::count(switches.begin(), switches.end(), true) +
                                            std::count(derived.begin(), derived.end(), true));
}

ChartOptions ChartOptionsOf(const ResultsViewState& state) {
  return {state.chartX, state.chartY, state.chartBody, state.chartSwitches, state.chartMoreY};
}

bool ApplyChartOptions(ResultsViewState& state, const ChartOptions& options) {
  const auto listed = [](int v) { return v >= 0 && v < kChartVariableCount; };
  if (!listed(options.x) || !listed(options.y) || (options.body != 0 && options.body != 1) ||
      !std::all_of(options.moreY.begin(), options.moreY.end(), listed)) {
    return false;
  }
  const std::vector<int> curves = ChartCurveVariables(options.y, options.moreY);
  state.chartMoreY.assign(curves.begin() + 1, curves.end());
  state.chartX = options.x;
  state.chartY = options.y;
  state.chartBody = options.body;
  state.chartSwitches = options.switches;
  state.chartZoom.on = false;
  return true;
}

std::array<double, 3> LightFieldValues(const ResultsViewState& state) {
  std::array<double, 3> values{};
  for (std::size_t k = 0; k < values.size(); ++k) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, state.lightPosition[k]).ptr;
    values[k] = ParseNumber(std::string_view(text, static_cast<std::size_t>(end - text)))
                    .value_or(state.lightPosition[k]);
  }
  return values;
}

std::string StoreLightPosition(ResultsViewState& state, const std::array<double, 3>& xyz) {
  for (std::size_t k = 0; k < xyz.size(); ++k) {
    if (!(std::fabs(xyz[k]) <= std::numeric_limits<float>::max())) {
      return "\"" + std::string(kLightFieldNames[k]) + "\": " + FormatNumber(xyz[k]) +
             " is too large for the light's position. The previous values are kept.";
    }
  }
  for (std::size_t k = 0; k < xyz.size(); ++k) {
    state.lightPosition[k] = static_cast<float>(xyz[k]);
  }
  return {};
}

}  // namespace plumora::gui
