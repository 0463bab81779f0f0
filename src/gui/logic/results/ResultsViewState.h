// What a results pane shows, without a window: the nine display modes with their toggle rule and
// the commands that toggle them, the pane's settings, and the chart variables' names.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/logic/scene/ViewRotation.h"
#include "gui/logic/study/StudyOutput.h"

namespace plumora::gui {

enum class DisplayMode {
  kNone = -1,
  kTable = 0,
  kChart,
  k3DPayload,
  k3DParachute,
  k3DSystem,
  k2DTrajectory,
  k3DTrajectory,
  kLandingScatter,   // the flown dispersion study's landing points and ellipses
  kStudyHistograms,  // how one output of the flown study is spread
};
inline constexpr int kDisplayModeCount = 9;

// The two modes that show the document's flown dispersion study rather than its results.
bool ShowsStudy(DisplayMode mode);

// The two commands that toggle a mode and the menu text they share.
struct ModeCommand {
  DisplayMode mode;
  int showId;   // Show menu
  int popupId;  // right-button popup
  std::string_view text;
};
extern const std::array<ModeCommand, kDisplayModeCount> kModeCommands;

// The mode a toggle command (of either menu) stands for.
std::optional<DisplayMode> ModeOfCommand(int commandId);

// The 3D modes draw through OpenGL; the others paint in 2D.
bool UsesOpenGl(DisplayMode mode);

// The height of the text every pane draws on the screen, in pixels.
inline constexpr int kPaneFontPixels = 14;

// Number of table columns and the switches a new pane starts with.
inline constexpr int kTableColumnCount = 17;
using ColumnSwitches = std::array<bool, kTableColumnCount>;
ColumnSwitches DefaultColumnSwitches();
// The columns of the quantities derived from each sample (Mach number, dynamic pressure,
// deceleration, descent rate, line force), after the stored ones; all off in a new pane.
inline constexpr int kDerivedColumnCount = 5;
using DerivedSwitches = std::array<bool, kDerivedColumnCount>;

// The most curves one chart draws: the Y variable and up to five more.
inline constexpr int kMaxChartCurves = 6;

// The chart's restriction to part of its X axis (the selection band's columns read off the axis).
struct ChartZoom {
  bool on = false;
  double low = 0.0;   // in the X variable's units
  double high = 0.0;  // above low whenever on
};

// The chart's optional refinements, all off unless the user asks for them; the program keeps
// them from one start to the next, and every new pane starts with them.
struct ChartSwitches {
  bool roundTicks = false;  // ticks at 1, 2 or 5 times a power of ten
  bool fitYToZoom = false;  // a zoom also fits Y to the samples it keeps
  bool gridLines = false;   // light lines across the plot at the ticks
  bool logY = false;        // the Y axis in decades; values of 0 and below are left out
  bool operator==(const ChartSwitches&) const = default;
};

// The settings of one pane. Every new pane starts from these values (and the chart switches the
// program keeps); the panes of a mission window are kept for the mission (PaneSettings.h).
struct ResultsViewState {
  std::array<bool, kDisplayModeCount> modeFlags{};  // at most one is set; none: a blank pane
  int chartX = 0;                                   // chart variable on the horizontal axis
  int chartY = 1;                                   // chart variable on the vertical axis
  int chartBody = 0;                                // 0 payload, 1 parachute
  std::vector<int> chartMoreY;                      // further curves, each a chart variable
  bool active = false;                              // the active pane of its frame
  ViewRotation sceneRotation;                       // how far the 3D modes are turned
  float sceneZoom = 1.0f;                           // the 3D modes' wheel zoom; 1 frames the scene
  ColumnSwitches columnSwitches = DefaultColumnSwitches();
  DerivedSwitches derivedColumns{};
  int shownColumnCount = 12;  // sets only the table's horizontal scroll size
  // x, y, z of the 3D scenes' light (m) and w = 0: the position acts as a direction.
  std::array<float, 4> lightPosition{0.0f, 0.0f, 1000.0f, 0.0f};
  bool trackLine = true;  // the ground track draws the line of the flight so far
  // The ground track draws the flown study's landing points and ellipses.
  bool trackEllipses = false;
  // The output "Study histograms" shows.
  StudyOutput studyOutput = StudyOutput::kPeakDeceleration;
  // The chart's zoom: kept across mode changes and new results until it is reset.
  ChartZoom chartZoom;
  ChartSwitches chartSwitches;

  // The mode that is on (the first set flag in mode order), or kNone.
  DisplayMode Mode() const;
  bool IsOn(DisplayMode mode) const;

  // Selecting the mode that is on blanks the pane; another mode replaces the current one.
  // True when the scroll sizes go back to neutral: always, except when the table is switched
  // on (the table sets its own scroll sizes as it draws).
  bool ToggleDisplayMode(DisplayMode mode);
};

// How a menu item, toolbar button or bar button looks now.
struct MenuItemState {
  bool enabled = true;
  bool checked = false;
  bool visible = true;
};

// The chart variables: the name in the options lists and the axis label (Windows-1252 bytes;
// "°" is 0xB0). The fifteen stored in each sample come first; the five derived from each sample
// (in the order of the derived columns) follow them.
struct ChartVariable {
  std::string_view listItem;
  std::string_view axisLabel;
};
inline constexpr int kStoredChartVariableCount = 15;
inline constexpr int kChartVariableCount = kStoredChartVariableCount + kDerivedColumnCount;
// The derived quantity (0 to 4) a chart variable stands for, or -1 for a stored one.
int DerivedOfChartVariable(int variable);
// The Y variables a chart draws, its own first: the further curves that are listed, each once,
// at most kMaxChartCurves in all.
std::vector<int> ChartCurveVariables(int yVariable, const std::vector<int>& moreY);

extern const std::array<ChartVariable, kChartVariableCount> kChartVariables;

// A status pane's read-out, "%s=%4.2f" of an axis label (as UTF-8) and a value.
std::string AxisReadout(int chartVariable, double value);

}  // namespace plumora::gui
