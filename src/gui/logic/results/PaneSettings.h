// What the desktop keeps of a mission window's panes from one session to the next: each pane's
// display mode and its settings as a line of "name=value" pairs joined by ';', and the panes of
// the most recent missions, keyed by the mission file's absolute path. A reader meets lines
// written by other versions of the program: a name it does not know, a mode it does not have, a
// value that does not read, all leave the pane's setting as a new pane has it.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "gui/logic/results/ResultsViewState.h"

namespace plumora::gui {

// The pane's mode and settings as a line, e.g. "mode=Chart;chartX=0;chartY=1;...".
std::string PaneSettingsText(const ResultsViewState& state);
// Applies the pairs of text to state (a new pane's settings): the mode is switched on, every other
// setting named is taken over when its value reads. The zoom and the active pane are not kept.
void ReadPaneSettings(std::string_view text, ResultsViewState& state);

// The missions whose panes are kept: the most recent first, at most kRememberedMissions.
inline constexpr int kRememberedMissions = 20;
inline constexpr int kPanesPerWindow = 4;
struct MissionPanes {
  std::string path;  // the mission file, absolute
  std::array<std::string, kPanesPerWindow>
      panes{};  // top left, top right, bottom left, bottom right
  bool operator==(const MissionPanes&) const = default;
};

class RememberedPanes {
 public:
  // Entries as the settings hold them: those without a path, and repeats of a path, are dropped,
  // and only the first kRememberedMissions are kept.
  void SetEntries(std::vector<MissionPanes> entries);
  const std::vector<MissionPanes>& entries() const { return entries_; }
  // The panes kept for the mission, or null.
  const MissionPanes* Find(std::string_view path) const;
  // The mission's panes go to the top, the oldest beyond the bound go.
  void Remember(MissionPanes panes);

 private:
  std::vector<MissionPanes> entries_;
};

// The key a mission file is kept under: its absolute path without "." and ".." or links.
std::string MissionKey(const std::filesystem::path& file);

}  // namespace plumora::gui
