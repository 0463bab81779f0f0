// The command line of a headless picture: `plumora --snapshot FILE.png [options] [MISSION]`. The
// parsing and its checks need no window; the desktop program acts on what this gives back.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gui/logic/results/ResultsViewState.h"

namespace plumora::gui {

// Exit statuses of the headless mode.
inline constexpr int kSnapshotOk = 0;
inline constexpr int kSnapshotFailed = 1;  // an error, said on stderr as "error: TEXT"
inline constexpr int kSnapshotUsage = 2;   // bad usage

// Pictures larger than this each way are refused rather than allocated.
inline constexpr int kMaxSnapshotSide = 8192;  // pixels

struct SnapshotOptions {
  std::string output;  // the PNG to write
  int width = 800;     // pixels
  int height = 600;    // pixels
  DisplayMode mode = DisplayMode::kTable;
  int chartX = 0;     // chart variable on the horizontal axis
  int chartY = 1;     // chart variable on the vertical axis
  int chartBody = 0;  // 0 payload, 1 parachute
  ChartSwitches chartSwitches;
  std::vector<int> chartMoreY;       // further curves
  DerivedSwitches derivedColumns{};  // the table's derived columns
  double time = 0.0;                 // s; the animation shows the sample nearest to it
  bool timeGiven = false;
  std::optional<int> command;  // a command id: picture its dialog instead of a pane
  // The dispersion study to fly for the study modes and the track's landings; empty: the
  // mission's own (NAME.dispersions.json beside it).
  std::string study;
  StudyOutput histogramOutput = StudyOutput::kPeakDeceleration;
  bool landingEllipses = false;  // the ground track draws the flown study's landings
  std::string mission;           // empty: a new mission
  std::string base;              // folder of the run-time data; empty: the default data folder
};

struct SnapshotCommandLine {
  std::optional<SnapshotOptions> options;  // set when there is a picture to make
  int status = kSnapshotOk;                // otherwise: exit with this status
  std::string text;                        // after printing this (help on stdout, else stderr)
};

// True when the picture needs a flown dispersion study: a study mode, or the track's landings.
bool NeedsStudy(const SnapshotOptions& options);

// True when the arguments (without the program's name) ask for a picture.
bool WantsSnapshot(const std::vector<std::string>& arguments);
// With --help, the text is the list of the options.
SnapshotCommandLine ParseSnapshotCommandLine(const std::vector<std::string>& arguments);

// True for an argument that is an option's name rather than a value: it begins with "-", is
// more than "-" and is not a number ("-2.5" is a value).
bool LooksLikeOption(const std::string& argument);

// The chart switches a comma-separated list of "round", "fit", "grid" and "log" turns on (any of
// them, in any order; an empty list none); false for any other word.
bool ParseChartSwitches(const std::string& text, ChartSwitches& switches);

// A comma-separated list of whole numbers from 0 to last ("15,16"; empty: none); false for
// anything else.
bool ParseNumberList(const std::string& text, int last, std::vector<int>& numbers);

// "WxH" ("800x600"), each side 1 to kMaxSnapshotSide; false for anything else.
bool ParseSnapshotSize(const std::string& text, int& width, int& height);

}  // namespace plumora::gui
