// The results table without a device: which columns are shown, what each cell reads, where each
// text goes, and the scroll sizes. The pane and the printer only draw the texts this gives them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/flight/TrajectoryStore.h"
#include "gui/logic/draw/Drawing.h"
#include "gui/logic/results/DerivedSeries.h"
#include "gui/logic/results/ResultsViewState.h"

namespace plumora::gui {

enum class ColumnGroup { kCommon, kPayload, kParachute, kDerived };

struct TableColumn {
  std::string_view title;
  std::string_view unit;
  int sampleField;  // number in kSampleFields
  ColumnGroup group;
};
extern const std::array<TableColumn, kTableColumnCount> kTableColumns;

// The columns of the derived quantities, after the stored ones, in the order of kDerivedFields.
struct DerivedTableColumn {
  std::string_view title;
  std::string_view unit;
};
extern const std::array<DerivedTableColumn, kDerivedColumnCount> kDerivedTableColumns;

inline constexpr Colour kTableBackground{140, 140, 140};
Colour GroupColour(ColumnGroup group);

// Sizes in the units of the drawing: pixels on the screen, tenths of a millimetre on paper.
struct TableGeometry {
  int rowHeight = 20;
  int columnWidth = 100;
  int areaWidth = 0;
  int areaHeight = 0;
  bool printing = false;
  int fontHeight = 14;
};
TableGeometry ScreenTableGeometry(int clientWidth, int clientHeight);
// A page of the given printable size in millimetres, drawn in tenths of a millimetre. Columns are
// 25 mm wide with 4 mm text; when the shown columns would not fit across the page, they and
// their text narrow so that every one of them prints.
TableGeometry PrintTableGeometry(double pageWidthMm, double pageHeightMm,
                                 const ColumnSwitches& switches,
                                 const DerivedSwitches& derived = {});

// Scroll sizes of a pane: horizontally in pixels, vertically in the table's rows (so the scroll
// position is the first row shown).
struct ScrollSizes {
  int totalWidth = 100;
  int totalHeight = 1;
  int pageWidth = 10;
  int pageHeight = 0;
  int lineWidth = 1;
  int lineHeight = 0;
  bool operator==(const ScrollSizes&) const = default;
};
// What a pane without a table scrolls over: nothing, really.
inline constexpr ScrollSizes kNeutralScrollSizes{};
// The largest vertical scroll size a pane accepts.
inline constexpr int kMaxScrollRows = 32767;
// The table's scroll sizes, or none for an empty store (the sizes stay as they were).
std::optional<ScrollSizes> TableScrollSizes(int lastIndex, int areaHeight, int shownColumnCount);

inline constexpr Colour kTableMarkedRow{196, 196, 196};
inline constexpr Colour kTableSelectedRows{172, 196, 230};

// The rows chosen with the mouse: a click picks one row, a shift-click stretches the choice from
// the row clicked first to the one clicked now.
struct RowSelection {
  int anchor = -1;  // -1: no row is selected
  int extent = -1;
  bool empty() const { return anchor < 0; }
  int first() const { return anchor < extent ? anchor : extent; }
  int last() const { return anchor < extent ? extent : anchor; }
  // A click on row (none below 0 or past the rows: the choice stays), with shift held or not.
  void Click(int row, bool extend);
};

// The row under y pixels of a screen table scrolled to first row scrollY, or -1 on the header or
// below the last row.
int TableRowAt(int y, int scrollY, int lastIndex);

// The Time column kept at the left edge while the table is scrolled sideways, painted over the
// columns that scrolled under it.
struct FrozenColumn {
  Rect area;                     // filled in kTableBackground first
  std::optional<Rect> selected;  // as in TableDrawing
  std::optional<Rect> marked;
  std::vector<AnchoredText> texts;
};

struct TableDrawing {
  bool fillBackground = false;   // the whole area in kTableBackground, before the texts
  std::optional<Rect> selected;  // the band behind the selected rows shown, in kTableSelectedRows
  std::optional<Rect> marked;    // the band behind the row the animation shows, in kTableMarkedRow
  std::vector<AnchoredText> texts;     // in window coordinates or on the page
  std::optional<FrozenColumn> frozen;  // drawn last, when the Time column scrolled out of view
  int firstRow = 0;                    // rows drawn, first and one past the last
  int endRow = 0;
};

// "%12.2f" without the blanks around it; nothing for a value that is not known (NaN).
std::string FormatTableValue(double value);

// Lays out the table for the visible rows only. On the screen the texts are in window
// coordinates: the two header lines stay at the top, rows start three row heights down, and
// scrollX shifts everything left but the Time column, which stays at the left edge; scrollY is
// the first row shown. On paper the page holds the header and the rows from scrollY on. The row
// of markedRow, when it is drawn, gets a band, and so do the selected rows on the screen. The
// derived columns that are on follow the stored ones.
TableDrawing LayoutTable(const ResultsSource& source, const ColumnSwitches& switches,
                         const TableGeometry& geometry, int scrollX, int scrollY,
                         int markedRow = -1, const DerivedSwitches& derived = {},
                         const RowSelection& selection = {});

// The selected rows (those the results hold) as tab-separated text for the clipboard: a line of
// the shown columns' headings with their units ("Time (s)"), then one line per row with each
// value at full precision (the shortest decimal that reads back as the stored number), lines
// ended by '\n'. Empty when no selected row is in the results.
std::string SelectedRowsText(const ResultsSource& source, const ColumnSwitches& switches,
                             const RowSelection& selection, const DerivedSwitches& derived = {});

// The first row to show so that the row of index is whole in an area of areaHeight pixels below
// the header, moving the table as little as it can: firstRow itself when the row is in view.
int FollowRow(int firstRow, int index, int lastIndex, int areaHeight);

}  // namespace plumora::gui
