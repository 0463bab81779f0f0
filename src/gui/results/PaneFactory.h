// The pane of each display mode.
#pragma once

#include <memory>

#include "gui/results/ResultsPane.h"

namespace plumora::gui {

// A new pane for mode (not kNone) on host.
std::unique_ptr<ResultsPane> MakePane(DisplayMode mode, PaneHost& host);

}  // namespace plumora::gui
