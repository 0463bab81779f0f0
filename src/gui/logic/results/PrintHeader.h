// The line at the top of a printed page: which mission, what the pane shows, and when it was
// printed, so that a page found later says what it is.
#pragma once

#include <string>
#include <string_view>

#include "gui/logic/results/ResultsViewState.h"

namespace plumora::gui {

// What a pane of the mode shows: "Chart: height (m) against time (s), payload" (every curve of
// the chart named, "(logarithmic)" after them on a log axis), "Table", "Ground track",
// "3D trajectory" and so on.
std::string PaneDescription(DisplayMode mode, const ResultsViewState& state);

// "mission.psd — Chart: height (m) against time (s), payload — 2026-12-07"; a mission without
// a name yet is "Untitled".
std::string PrintHeaderLine(std::string_view mission, std::string_view shows,
                            std::string_view date);

}  // namespace plumora::gui
