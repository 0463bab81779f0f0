#include "gui/logic/table/TableLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plumora::gui {

namespace {

constexpr int kScreenRowHeight = 20;     // pixels
constexpr int kScreenColumnWidth = 100;  // pixels
constexpr int kPrintRowHeight = 50;      // 0.1 mm
constexpr int kPrintColumnWidth = 250;   // 0.1 mm
constexpr int kPrintFontHeight = 40;     // 0.1 mm
constexpr int kHeaderRows = 3;           // two header lines and a blank one
constexpr int kPageRows = 10;            // vertical page of the scroll bars, in rows

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

// A shown column: a stored one, or derived quantity k.
struct ShownColumn {
  std::string_view title;
  std::string_view unit;
  ColumnGroup group;
  int sampleField = 0;
  int derived = -1;
};

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
                         const DerivedSwitches& derived) {
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
  for (std::size_t c = 0; c < shown.size(); ++c) {
    const int x = x0 + static_cast<int>(c) * w + w / 2;
    const Colour colour = GroupColour(shown[c].group);
    drawing.texts.push_back({{x, 0}, std::string(shown[c].title), Anchor::kCentreTop, colour});
    drawing.texts.push_back({{x, h}, std::string(shown[c].unit), Anchor::kCentreTop, colour});
  }
  // Only the rows that fit below the header are formatted, however long the flight.
  const int last = r0 + geometry.areaHeight / h - kHeaderRows;
  const int end = std::min(n, last) + 1;
  drawing.firstRow = r0;
  drawing.endRow = std::max(r0, end);
  if (markedRow >= r0 && markedRow < end && !shown.empty()) {
    drawing.marked =
        Rect{x0, (markedRow - r0 + kHeaderRows) * h, static_cast<int>(shown.size()) * w, h};
  }
  for (int r = r0; r < end; ++r) {
    const CTrajectorySample& sample = store.SampleAt(r);
    const int y = (r - r0 + kHeaderRows) * h;
    for (std::size_t c = 0; c < shown.size(); ++c) {
      const double value = shown[c].derived >= 0 ? source.Derived(r, shown[c].derived)
                                                 : SampleField(sample, shown[c].sampleField);
      drawing.texts.push_back(
          {{x0 + static_cast<int>(c) * w + w / 2, y}, FormatTableValue(value), Anchor::kCentreTop});
    }
  }
  return drawing;
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
