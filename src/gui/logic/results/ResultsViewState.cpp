#include "gui/logic/results/ResultsViewState.h"

#include <algorithm>
#include <cstdio>

#include "core/common/CodePage.h"
#include "gui/logic/commands/CommandIds.h"

namespace plumora::gui {

const std::array<ModeCommand, kDisplayModeCount> kModeCommands = {{
    {DisplayMode::kTable, kCmdShowTable, kCmdPopupTable, "Table"},
    {DisplayMode::kChart, kCmdShowChart, kCmdPopupChart, "Chart"},
    {DisplayMode::k3DPayload, kCmdShow3DPayload, kCmdPopup3DPayload, "3D payload"},
    {DisplayMode::k3DParachute, kCmdShow3DParachute, kCmdPopup3DParachute, "3D parachute"},
    {DisplayMode::k3DSystem, kCmdShow3DSystem, kCmdPopup3DSystem, "3D System"},
    {DisplayMode::k2DTrajectory, kCmdShow2DTrajectory, kCmdPopup2DTrajectory, "2D Trajectory"},
    {DisplayMode::k3DTrajectory, kCmdShow3DTrajectory, kCmdPopup3DTrajectory, "3D Trajectory"},
    {DisplayMode::kLandingScatter, kCmdShowLandingScatter, kCmdPopupLandingScatter,
     "Landing scatter"},
    {DisplayMode::kStudyHistograms, kCmdShowStudyHistograms, kCmdPopupStudyHistograms,
     "Study histograms"},
}};

const std::array<ChartVariable, kChartVariableCount> kChartVariables = {{
    {"Time", "time (s)"},
    {"Height", "height (m)"},
    {"Path angle", "path (\xB0)"},
    {"Speed", "speed (m/s)"},
    {"Vx", "Vx (m/s)"},
    {"Vy", "Vy (m/s)"},
    {"Vz", "Vz (m/s)"},
    {"Angular velocity x", "Ang vel x (\xB0/s)"},
    {"Angular velocity y", "Ang vel y (\xB0/s)"},
    {"Angular velocity z", "Ang vel z (\xB0/s)"},
    {"Roll", "roll (\xB0)"},
    {"Pitch", "pitch (\xB0)"},
    {"Yaw", "yaw (\xB0)"},
    {"Connection force", "Connection force (N)"},
    {"Angle of attack", "Angle of attack (\xB0)"},
    {"Mach number", "Mach number"},
    {"Dynamic pressure (Pa)", "dynamic pressure (Pa)"},
    {"Deceleration (g)", "deceleration (g)"},
    {"Descent rate (m/s)", "descent rate (m/s)"},
    {"Line force (kN)", "line force (kN)"},
}};

int DerivedOfChartVariable(int variable) {
  if (variable < kStoredChartVariableCount || variable >= kChartVariableCount) return -1;
  return variable - kStoredChartVariableCount;
}

std::vector<int> ChartCurveVariables(int yVariable, const std::vector<int>& moreY) {
  std::vector<int> curves{yVariable};
  for (int v : moreY) {
    if (static_cast<int>(curves.size()) >= kMaxChartCurves) break;
    if (v < 0 || v >= kChartVariableCount) continue;
    if (std::find(curves.begin(), curves.end(), v) == curves.end()) curves.push_back(v);
  }
  return curves;
}

std::optional<DisplayMode> ModeOfCommand(int commandId) {
  for (const ModeCommand& c : kModeCommands) {
    if (c.showId == commandId || c.popupId == commandId) return c.mode;
  }
  return std::nullopt;
}

bool UsesOpenGl(DisplayMode mode) {
  return mode == DisplayMode::k3DPayload || mode == DisplayMode::k3DParachute ||
         mode == DisplayMode::k3DSystem || mode == DisplayMode::k3DTrajectory;
}

bool ShowsStudy(DisplayMode mode) {
  return mode == DisplayMode::kLandingScatter || mode == DisplayMode::kStudyHistograms;
}

ColumnSwitches DefaultColumnSwitches() {
  // Common columns but the connection force, and the payload's; the parachute's are off.
  return {true, true, true,  true,  false, true,  true,  true, true,
          true, true, false, false, false, false, false, false};
}

DisplayMode ResultsViewState::Mode() const {
  for (int k = 0; k < kDisplayModeCount; ++k) {
    if (modeFlags[static_cast<std::size_t>(k)]) return static_cast<DisplayMode>(k);
  }
  return DisplayMode::kNone;
}

bool ResultsViewState::IsOn(DisplayMode mode) const {
  return mode != DisplayMode::kNone && modeFlags[static_cast<std::size_t>(mode)];
}

bool ResultsViewState::ToggleDisplayMode(DisplayMode mode) {
  const bool turnOn = !IsOn(mode);
  modeFlags.fill(false);
  modeFlags[static_cast<std::size_t>(mode)] = turnOn;
  return !(mode == DisplayMode::kTable && turnOn);
}

std::string AxisReadout(int chartVariable, double value) {
  const std::string label = Windows1252ToUtf8(kChartVariables.at(chartVariable).axisLabel);
  char text[256];
  std::snprintf(text, sizeof text, "%s=%4.2f", label.c_str(), value);
  return text;
}

}  // namespace plumora::gui
