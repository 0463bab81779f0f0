#include "gui/logic/table/TableLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace plumora::gui {

namespace {

constexpr int kScreenRowHeight = 20;     // pixels
constexpr int kScreenColumnWidth = 100;  // pixels
constexpr int kPrintRowHeight = 50;      // 0.1 mm
constexpr int kPrintColumnWidth = 250;   // 0.1 mm
constexpr int kPrintFontHeight = 40;     // 0.1 mm
constexpr int kHeaderRows = 3;           // two header lines and a blank one
constexpr int kPageRows = 10;            // vertical page of the scroll bars, in rows

// A shown column: a stored one, or derived quantity k.
struct ShownColumn {
  std::string_view title;
  std::string_view unit;
  ColumnGroup group;
  int sampleField = 0;
  int derived = -1;

  double ValueAt(const ResultsSource& source, int row) const {
    return derived >= 0 ? source.Derived(row, derived)
                        : SampleField(source.store().SampleAt(row), sampleField);
  }
};

std::vector<ShownColumn> ShownColumns(const ColumnSwitches& switches,
                                      const DerivedSwitches& derived);

// The band behind rows first to last where they are among the rows drawn, [r0, end).
std::optional<Rect> RowBand(int first, int last, int r0, int end, int x, int width, int h) {
  const int top = std::max(first, r0);
  const int bottom = std::min(last, end - 1);
  if (first < 0 || top > bottom || width <= 0) return std::nullopt;
  return Rect{x, (top - r0 + kHeaderRows) * h, width, (bottom - top + 1) * h};
}

// The headings of the columns, the first centred on x and each next one w further, then their
// values in rows [r0, end), row after row.
void AddColumnTexts(std::vector<AnchoredText>& texts, const ResultsSource& source,
                    const std::vector<ShownColumn>& columns, int x, int w, int r0, int end, int h) {
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const int at = x + static_cast<int>(c) * w;
    const Colour colour = GroupColour(columns[c].group);
    texts.push_back({{at, 0}, std::string(columns[c].title), Anchor::kCentreTop, colour});
    texts.push_back({{at, h}, std::string(columns[c].unit), Anchor::kCentreTop, colour});
  }
  for (int r = r0; r < end; ++r) {
    const int y = (r - r0 + kHeaderRows) * h;
    for (std::size_t c = 0; c < columns.size(); ++c) {
      texts.push_back({{x + static_cast<int>(c) * w, y},
                       FormatTableValue(columns[c].ValueAt(source, r)), Anchor::kCentreTop});
    }
  }
}

std::string FullPrecision(double value) {
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace

const std::array<TableColumn, kTableColumnCount> kTableColumns = {{
    {"Time", "(s)", 1, ColumnGroup::kCommon},
    {"Latitude", "(deg)", 43, ColumnGroup::kCommon},
    {"Longitude", "(deg)", 44, ColumnGroup::kCommon},
    {"Heading", "(deg)", 45, ColumnGroup::kCommon},
    {"Con. force", "(N)", 46, ColumnGroup::kCommon},
    {"Altitude L", "(m)", 2, ColumnGroup::kPayload},
    {"Path angle L", "(deg)", 3, ColumnGroup::kPayload},
    {"Speed L", "(m/s)", 4, ColumnGroup::kPayload},
    {"Roll L", "(deg)", 8, ColumnGroup::kPayload},
    {"Pitch L", "(deg)", 9, ColumnGroup::kPayload},
    {"Yaw L", "(deg)", 10, ColumnGroup::kPayload},
    {"Altitude P", "(m)", 20, ColumnGroup::kParachute},
    {"Path angle P", "(deg)", 21, ColumnGroup::kParachute},
    {"Speed P", "(m/s)", 22, ColumnGroup::kParachute},
    {"Roll P", "(deg)", 26, ColumnGroup::kParachute},
    {"Pitch P", "(deg)", 27, ColumnGroup::kParachute},
    {"Yaw P", "(deg)", 28, ColumnGroup::kParachute},
}};

const std::array<DerivedTableColumn, kDerivedColumnCount> kDerivedTableColumns = {{
    {"Mach", "(-)"},
    {"Dyn. pressure", "(Pa)"},
    {"Deceleration", "(g)"},
    {"Descent rate", "(m/s)"},
    {"Line force", "(kN)"},
}};

Colour GroupColour(ColumnGroup group) {
  switch (group) {
    case ColumnGroup::kCommon:
      return {128, 0, 0};
    case ColumnGroup::kPayload:
      return {0, 77, 0};  // dark enough to read on the grey
    case ColumnGroup::kDerived:
      return {96, 0, 96};
    default:
      return {0, 0, 128};
  }
}

TableGeometry ScreenTableGeometry(int clientWidth, int clientHeight) {
  return {kScreenRowHeight, kScreenColumnWidth, clientWidth, clientHeight, false, kPaneFontPixels};
}

TableGeometry PrintTableGeometry(double pageWidthMm, double pageHeightMm,
                                 const ColumnSwitches& switches, const DerivedSwitches& derived) {
  TableGeometry page{kPrintRowHeight,
                     kPrintColumnWidth,
                     static_cast<int>(pageWidthMm * 10.0),
                     static_cast<int>(pageHeightMm * 10.0),
                     true,
                     kPrintFontHeight};
  int shown = 0;
  for (bool on : switches) shown += on ? 1 : 0;
  for (bool on : derived) shown += on ? 1 : 0;
  if (shown > 0 && shown * kPrintColumnWidth > page.areaWidth) {
    page.columnWidth = std::max(1, page.areaWidth / shown);
    page.fontHeight = std::max(1, kPrintFontHeight * page.columnWidth / kPrintColumnWidth);
  }
  return page;
}

std::optional<ScrollSizes> TableScrollSizes(int lastIndex, int areaHeight, int shownColumnCount) {
  if (lastIndex < 0) return std::nullopt;
  ScrollSizes sizes;
  // One scroll unit is one row, and the last sample can become the first row shown.
  sizes.totalHeight =
      lastIndex < kMaxScrollRows + 1 - areaHeight ? lastIndex + areaHeight : kMaxScrollRows;
  sizes.totalWidth = shownColumnCount * kScreenColumnWidth;
  sizes.pageWidth = kScreenColumnWidth;
  sizes.pageHeight = kPageRows * kScreenRowHeight;
  sizes.lineWidth = 1;
  sizes.lineHeight = 1;
  return sizes;
}

std::string FormatTableValue(double value) {
  if (std::isnan(value)) return {};
  char text[512];  // "%12.2f" of the largest double has more than 300 digits
  std::snprintf(text, sizeof text, "%12.2f", value);
  std::string_view view = text;
  const auto first = view.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = view.find_last_not_of(" \t");
  return std::string(view.substr(first, last - first + 1));
}

namespace {

std::vector<ShownColumn> ShownColumns(const ColumnSwitches& switches,
                                      const DerivedSwitches& derived) {
  std::vector<ShownColumn> shown;
  for (int k = 0; k < kTableColumnCount; ++k) {
    const TableColumn& c = kTableColumns[static_cast<std::size_t>(k)];
    if (switches[static_cast<std::size_t>(k)])
      shown.push_back({c.title, c.unit, c.group, c.sampleField});
  }
  for (int k = 0; k < kDerivedColumnCount; ++k) {
    const DerivedTableColumn& c = kDerivedTableColumns[static_cast<std::size_t>(k)];
    if (derived[static_cast<std::size_t>(k)])
      shown.push_back({c.title, c.unit, ColumnGroup::kDerived, 0, k});
  }
  return shown;
}

}  // namespace

TableDrawing LayoutTable(const ResultsSource& source, const ColumnSwitches& switches,
                         const TableGeometry& geometry, int scrollX, int scrollY, int markedRow,
                         const DerivedSwitches& derived, const RowSelection& selection) {
  TableDrawing drawing;
  const CTrajectoryStore& store = source.store();
  const int n = store.LastIndex();
  if (n < 0) {
    drawing.texts.push_back({{0, 0}, std::string(kNoDataAvailable), Anchor::kLeftTop});
    return drawing;
  }
  const int h = geometry.rowHeight;
  const int w = geometry.columnWidth;
  const int x0 = geometry.printing ? 0 : -scrollX;
  const int r0 = std::clamp(scrollY, 0, n);
  drawing.fillBackground = !geometry.printing;

  const std::vector<ShownColumn> shown = ShownColumns(switches, derived);
  // Only the rows that fit below the header are formatted, however long the flight.
  const int last = r0 + geometry.areaHeight / h - kHeaderRows;
  const int end = std::min(n, last) + 1;
  drawing.firstRow = r0;
  drawing.endRow = std::max(r0, end);
  const int width = static_cast<int>(shown.size()) * w;
  drawing.marked = RowBand(markedRow, markedRow, r0, end, x0, width, h);
  if (!geometry.printing && !selection.empty()) {
    drawing.selected = RowBand(selection.first(), selection.last(), r0, end, x0, width, h);
  }
  AddColumnTexts(drawing.texts, source, shown, x0 + w / 2, w, r0, end, h);
  if (!geometry.printing && scrollX > 0 && !shown.empty() && switches[0]) {
    FrozenColumn frozen{Rect{0, 0, w, geometry.areaHeight}, {}, {}, {}};
    if (drawing.selected) {
      frozen.selected = RowBand(selection.first(), selection.last(), r0, end, 0, w, h);
    }
    frozen.marked = RowBand(markedRow, markedRow, r0, end, 0, w, h);
    AddColumnTexts(frozen.texts, source, {shown[0]}, w / 2, w, r0, end, h);
    drawing.frozen = std::move(frozen);
  }
  return drawing;
}

int TableRowAt(int y, int scrollY, int lastIndex) {
  if (y < kHeaderRows * kScreenRowHeight) return -1;
  const long row = static_cast<long>(std::max(0, scrollY)) + y / kScreenRowHeight - kHeaderRows;
  return row <= lastIndex ? static_cast<int>(row) : -1;
}

void RowSelection::Click(int row, bool extend) {
  if (row < 0) return;
  if (!extend || empty()) anchor = row;
  extent = row;
}

std::string SelectedRowsText(const ResultsSource& source, const ColumnSwitches& switches,
                             const RowSelection& selection, const DerivedSwitches& derived) {
  const int first = std::max(0, selection.first());
  const int last = std::min(source.store().LastIndex(), selection.last());
  if (selection.empty() || first > last) return {};
  const std::vector<ShownColumn> shown = ShownColumns(switches, derived);
  std::string text;
  for (std::size_t c = 0; c < shown.size(); ++c) {
    if (c > 0) text += '\t';
    text.append(shown[c].title).append(" ").append(shown[c].unit);
  }
  text += '\n';
  for (int r = first; r <= last; ++r) {
    for (std::size_t c = 0; c < shown.size(); ++c) {
      if (c > 0) text += '\t';
      text += FullPrecision(shown[c].ValueAt(source, r));
    }
    text += '\n';
  }
  return text;
}

int FollowRow(int firstRow, int index, int lastIndex, int areaHeight) {
  if (index < 0 || index > lastIndex) return firstRow;
  // Rows wholly visible under the header; at least the one that must be seen.
  const int whole = std::max(1, areaHeight / kScreenRowHeight - kHeaderRows);
  if (index < firstRow) return index;
  if (index >= firstRow + whole) return index - whole + 1;
  return firstRow;
}

}  // namespace plumora::gui
