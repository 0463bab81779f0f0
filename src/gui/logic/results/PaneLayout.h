// The sizes of the four panes of a document window: the first column's width and the first
// row's height decide everything (both rows share the column split, both columns the row split).
#pragma once

namespace plumora::gui {

struct PaneSplit {
  int firstColumnWidth = 0;
  int firstRowHeight = 0;
  bool operator==(const PaneSplit&) const = default;
};

// Four panes of nearly equal size in a client area of w × h.
PaneSplit EqualisedSplit(int clientWidth, int clientHeight);

// What a double click on the pane at (column, row), now paneWidth × paneHeight, asks for: when
// that pane already fills the client area (within 12 pixels each way) the four panes come back
// (none is returned: equalise); otherwise the split that gives the pane the whole area.
struct PaneZoom {
  bool equalise = false;
  PaneSplit split;  // when not equalising
};
PaneZoom TogglePaneMaximised(int column, int row, int paneWidth, int paneHeight, int clientWidth,
                             int clientHeight);

}  // namespace plumora::gui
