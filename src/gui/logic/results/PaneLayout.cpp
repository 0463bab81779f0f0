#include "gui/logic/results/PaneLayout.h"

#include <algorithm>

namespace plumora::gui {

namespace {
constexpr int kSplitterAllowance = 5;  // room for the splitter bar
constexpr int kMinimumPane = 10;
constexpr int kFillTolerance = 12;
}  // namespace

PaneSplit EqualisedSplit(int clientWidth, int clientHeight) {
  return {std::max(kMinimumPane, clientWidth / 2 - kSplitterAllowance),
          std::max(kMinimumPane, clientHeight / 2 - kSplitterAllowance)};
}

PaneZoom TogglePaneMaximised(int column, int row, int paneWidth, int paneHeight, int clientWidth,
                             int clientHeight) {
  if (paneWidth >= clientWidth - kFillTolerance && paneHeight >= clientHeight - kFillTolerance) {
    return {true, {}};
  }
  return {false, {column == 0 ? clientWidth : 0, row == 0 ? clientHeight : 0}};
}

}  // namespace plumora::gui
