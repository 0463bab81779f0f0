#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gui/logic/table/TableLayout.h"

namespace plumora::gui {
namespace {

CTrajectoryStore StoreOf(int samples) {
  CTrajectoryStore store;
  for (int i = 0; i < samples; ++i) {
    CTrajectorySample s;
    s.time = 0.1 * i;
    s.payloadHeight = 14000.0 - i;
    s.latitude = 1.5;
    s.parachuteHeight = 900.0 + i;
    store.Append(s);
  }
  return store;
}

// The default columns on a screen of width × height, scrolled to x and the first row given.
TableDrawing OnScreen(const CTrajectoryStore& store, int width, int height, int x, int row) {
  return LayoutTable(store, DefaultColumnSwitches(), ScreenTableGeometry(width, height), x, row);
}

std::vector<const AnchoredText*> TextsAt(const TableDrawing& d, int y) {
  std::vector<const AnchoredText*> row;
  for (const AnchoredText& t : d.texts) {
    if (t.at.y == y) row.push_back(&t);
  }
  return row;
}

TEST(TableFormatTest, ValuesAreTwoDecimalsWithoutBlanks) {
  EXPECT_EQ(FormatTableValue(-0.004), "-0.00");
  EXPECT_EQ(FormatTableValue(123456.789), "123456.79");
  EXPECT_EQ(FormatTableValue(0.0), "0.00");
  EXPECT_EQ(FormatTableValue(1e20), "100000000000000000000.00");
  EXPECT_EQ(FormatTableValue(-1.7976931348623157e308).size(), 313u);  // no overflow
}

TEST(TableColumnsTest, UnitsAgreeWithTheSampleFields) {
  for (const TableColumn& c : kTableColumns) {
    const SampleFieldInfo& field = kSampleFields[static_cast<std::size_t>(c.sampleField - 1)];
    EXPECT_EQ(c.unit, "(" + std::string(field.unit) + ")") << c.title;
  }
}

TEST(TableLayoutTest, OneSampleShowsTwoHeaderLinesAndOneRowAtRowThree) {
  const TableDrawing d = OnScreen(StoreOf(1), 800, 400, 0, 0);
  EXPECT_TRUE(d.fillBackground);
  const auto titles = TextsAt(d, 0);
  const auto units = TextsAt(d, 20);
  const auto values = TextsAt(d, 60);
  ASSERT_EQ(titles.size(), 10u);
  ASSERT_EQ(units.size(), 10u);
  ASSERT_EQ(values.size(), 10u);
  EXPECT_TRUE(TextsAt(d, 40).empty());
  EXPECT_EQ(titles[0]->text, "Time");
  EXPECT_EQ(titles[0]->at.x, 50);
  EXPECT_EQ(titles[4]->text, "Altitude L");  // connection force is off: packed, no gap
  EXPECT_EQ(titles[4]->at.x, 450);
  EXPECT_EQ(titles[4]->colour, GroupColour(ColumnGroup::kPayload));
  EXPECT_EQ(units[1]->text, "(deg)");
  EXPECT_EQ(values[0]->text, "0.00");
  EXPECT_EQ(values[1]->text, "1.50");
  EXPECT_EQ(values[4]->text, "14000.00");
  EXPECT_EQ(values[4]->colour, (Colour{0, 0, 0}));
  EXPECT_EQ(values[4]->anchor, Anchor::kCentreTop);
}

TEST(TableLayoutTest, EmptyStoreSaysSoAtTheCorner) {
  const TableDrawing d = OnScreen(CTrajectoryStore{}, 300, 300, 0, 0);
  ASSERT_EQ(d.texts.size(), 1u);
  EXPECT_EQ(d.texts[0].text, "No data available");
  EXPECT_EQ(d.texts[0].at.x, 0);
  EXPECT_EQ(d.texts[0].at.y, 0);
  EXPECT_EQ(d.texts[0].anchor, Anchor::kLeftTop);
  EXPECT_FALSE(TableScrollSizes(-1, 300, 12));  // the sizes stay as they were
}

TEST(TableLayoutTest, SwitchesChooseTheColumns) {
  const CTrajectoryStore store = StoreOf(3);
  ColumnSwitches none{};
  const TableDrawing blank = LayoutTable(store, none, ScreenTableGeometry(500, 500), 0, 0);
  EXPECT_TRUE(blank.fillBackground);
  EXPECT_TRUE(blank.texts.empty());

  ColumnSwitches parachute{};
  for (int k = 11; k < 17; ++k) parachute[static_cast<std::size_t>(k)] = true;
  const TableDrawing d = LayoutTable(store, parachute, ScreenTableGeometry(500, 500), 0, 0);
  const auto titles = TextsAt(d, 0);
  ASSERT_EQ(titles.size(), 6u);
  EXPECT_EQ(titles[0]->text, "Altitude P");
  EXPECT_EQ(titles[0]->at.x, 50);
  EXPECT_EQ(titles[0]->colour, (Colour{0, 0, 128}));
  EXPECT_EQ(TextsAt(d, 80)[0]->text, "901.00");
}

TEST(TableLayoutTest, ScrollingMovesRowsUnderAFixedHeaderAndShiftsColumns) {
  const TableDrawing d = OnScreen(StoreOf(100), 400, 200, 130, 7);
  const auto titles = TextsAt(d, 0);
  EXPECT_EQ(titles[0]->at.x, 50 - 130);
  const auto first = TextsAt(d, 60);
  EXPECT_EQ(first[0]->text, "0.70");  // row 7 is the first shown
  // A 200-pixel pane shows 200/20 − 2 = 8 data rows: only those are formatted.
  EXPECT_EQ(d.firstRow, 7);
  EXPECT_EQ(d.endRow, 15);
  EXPECT_EQ(d.texts.size(), 2 * 10 + 8 * 10u);

  // The last rows stop at the last sample; a pane too low for a row formats none.
  const TableDrawing tall = OnScreen(StoreOf(10), 400, 1000, 0, 8);
  EXPECT_EQ(tall.firstRow, 8);
  EXPECT_EQ(tall.endRow, 10);
  const TableDrawing low = OnScreen(StoreOf(40000), 400, 45, 0, 0);
  EXPECT_EQ(low.endRow, low.firstRow);
  EXPECT_EQ(low.texts.size(), 20u);  // the header only
}

TEST(TableLayoutTest, PrintingDrawsOnTenthsOfMillimetresFromTheFirstVisibleRow) {
  const CTrajectoryStore store = StoreOf(200);
  // Ten 25 mm columns are wider than a 190 mm page: they narrow to 19 mm, text too.
  const TableGeometry page = PrintTableGeometry(190.0, 277.0, DefaultColumnSwitches());
  EXPECT_EQ(page.areaWidth, 1900);
  EXPECT_EQ(page.areaHeight, 2770);
  EXPECT_EQ(page.columnWidth, 190);
  EXPECT_EQ(page.fontHeight, 30);
  const TableDrawing d = LayoutTable(store, DefaultColumnSwitches(), page, 300, 12);
  EXPECT_FALSE(d.fillBackground);
  const auto titles = TextsAt(d, 0);
  ASSERT_EQ(titles.size(), 10u);
  EXPECT_EQ(titles[0]->at.x, 95);  // no horizontal scrolling on paper
  EXPECT_EQ(titles[9]->text, "Yaw L");
  EXPECT_LE(titles[9]->at.x + page.columnWidth / 2, page.areaWidth);
  ColumnSwitches four{};
  four[0] = four[1] = four[2] = four[3] = true;
  EXPECT_EQ(PrintTableGeometry(190.0, 277.0, four).columnWidth, 250);  // room enough
  EXPECT_EQ(PrintTableGeometry(190.0, 277.0, four).fontHeight, 40);
  EXPECT_EQ(TextsAt(d, 50)[0]->text, "(s)");
  EXPECT_EQ(TextsAt(d, 150)[0]->text, "1.20");
  EXPECT_EQ(d.endRow - d.firstRow, 2770 / 50 - 2);  // like a screen: height / row − 2
}

TEST(TableLayoutTest, TheAnimatedSampleIsMarkedAndTheTableScrollsToKeepItWhole) {
  const CTrajectoryStore store = StoreOf(100);
  // 200 pixels: two header lines, a blank one, seven whole rows and one below the pane.
  const TableGeometry screen = ScreenTableGeometry(800, 200);
  const auto marked = [&](int index) {
    return LayoutTable(store, DefaultColumnSwitches(), screen, 30, 10, index).marked;
  };
  EXPECT_EQ(marked(12), (Rect{-30, 100, 1000, 20}));  // across the ten shown columns
  EXPECT_FALSE(marked(9));
  EXPECT_FALSE(marked(18));

  EXPECT_EQ(FollowRow(10, 16, 99, 200), 10);   // the last whole row: no need to move
  EXPECT_EQ(FollowRow(10, 17, 99, 200), 11);   // below: one row up
  EXPECT_EQ(FollowRow(10, 40, 99, 200), 34);   // far below: at the bottom, as a step leaves it
  EXPECT_EQ(FollowRow(10, 4, 99, 200), 4);     // above: at the top
  EXPECT_EQ(FollowRow(10, 100, 99, 200), 10);  // no such sample
  EXPECT_EQ(FollowRow(10, 50, 99, 30), 50);    // no room for a whole row: that row first
}

TEST(TableLayoutTest, SidewaysTheTimeColumnStaysAtTheLeftOverTheColumnsScrolledUnderIt) {
  const CTrajectoryStore store = StoreOf(100);
  const TableGeometry screen = ScreenTableGeometry(400, 200);
  // Not scrolled, or on paper: nothing is drawn twice.
  EXPECT_FALSE(LayoutTable(store, DefaultColumnSwitches(), screen, 0, 7).frozen);
  EXPECT_FALSE(LayoutTable(store, DefaultColumnSwitches(),
                           PrintTableGeometry(190.0, 277.0, DefaultColumnSwitches()), 300, 7)
                   .frozen);
  const TableDrawing d =
      LayoutTable(store, DefaultColumnSwitches(), screen, 130, 7, 9, {}, RowSelection{8, 8});
  ASSERT_TRUE(d.frozen);
  EXPECT_EQ(d.frozen->area, (Rect{0, 0, 100, 200}));
  EXPECT_EQ(d.frozen->marked, (Rect{0, 100, 100, 20}));
  EXPECT_EQ(d.frozen->selected, (Rect{0, 80, 100, 20}));
  ASSERT_EQ(d.frozen->texts.size(), 2 + 8u);  // the heading and the rows drawn
  EXPECT_EQ(d.frozen->texts[0].text, "Time");
  EXPECT_EQ(d.frozen->texts[0].at, (Point{50, 0}));
  EXPECT_EQ(d.frozen->texts[1].text, "(s)");
  EXPECT_EQ(d.frozen->texts[2].text, "0.70");
  EXPECT_EQ(d.frozen->texts[2].at, (Point{50, 60}));
  EXPECT_EQ(d.frozen->texts[2].colour, d.texts[20].colour);
  // The other columns scroll on as before; only the Time column is kept, and not when it is off.
  EXPECT_EQ(TextsAt(d, 0)[1]->at.x, 150 - 130);
  ColumnSwitches noTime = DefaultColumnSwitches();
  noTime[0] = false;
  EXPECT_FALSE(LayoutTable(store, noTime, screen, 130, 7).frozen);
}

TEST(TableLayoutTest, ClickedRowsAreSelectedAndBandedWhereTheyShow) {
  EXPECT_EQ(TableRowAt(59, 10, 99), -1);  // the header and the blank line
  EXPECT_EQ(TableRowAt(60, 10, 99), 10);
  EXPECT_EQ(TableRowAt(119, 10, 99), 12);
  EXPECT_EQ(TableRowAt(119, 98, 99), -1);  // below the last sample
  EXPECT_EQ(TableRowAt(60, 0, -1), -1);    // no samples

  RowSelection rows;
  rows.Click(-1, false);
  EXPECT_TRUE(rows.empty());
  rows.Click(12, true);  // shift without an anchor: the row alone
  EXPECT_EQ(rows.first(), 12);
  EXPECT_EQ(rows.last(), 12);
  rows.Click(5, true);
  EXPECT_EQ(rows.first(), 5);
  EXPECT_EQ(rows.last(), 12);
  rows.Click(20, true);  // stretched from the same anchor
  EXPECT_EQ(rows.first(), 12);
  EXPECT_EQ(rows.last(), 20);
  rows.Click(-1, false);  // the header: the choice stays
  EXPECT_EQ(rows.last(), 20);
  rows.Click(3, false);
  EXPECT_EQ(rows.first(), 3);
  EXPECT_EQ(rows.last(), 3);

  const CTrajectoryStore store = StoreOf(100);
  const TableGeometry screen = ScreenTableGeometry(800, 200);  // rows 10 to 17 drawn
  const auto band = [&](RowSelection s) {
    return LayoutTable(store, DefaultColumnSwitches(), screen, 30, 10, -1, {}, s).selected;
  };
  EXPECT_EQ(band({5, 12}), (Rect{-30, 60, 1000, 60}));    // cut at the first row drawn
  EXPECT_EQ(band({16, 40}), (Rect{-30, 180, 1000, 40}));  // and at the last
  EXPECT_FALSE(band({2, 9}));
  EXPECT_FALSE(band({}));
}

TEST(TableCopyTest, SelectedRowsAreTabSeparatedWithHeadingsAndFullPrecision) {
  CTrajectoryStore store = StoreOf(4);
  ColumnSwitches columns{};
  columns[0] = columns[5] = columns[1] = true;  // Time, Latitude, Altitude L
  EXPECT_EQ(SelectedRowsText(store, columns, RowSelection{2, 1}),
            "Time (s)\tLatitude (deg)\tAltitude L (m)\n"
            "0.1\t1.5\t13999\n"
            "0.2\t1.5\t13998\n");
  // Numbers exactly as stored: what reads back is the stored double.
  CTrajectorySample s;
  s.time = 2.0 / 3.0;
  s.latitude = -1e-300;
  store.Append(s);
  const std::string one = SelectedRowsText(store, columns, RowSelection{4, 4});
  EXPECT_EQ(one.substr(one.find('\n') + 1), "0.6666666666666666\t-1e-300\t0\n");
  // Rows beyond the store are left out; none at all gives nothing.
  EXPECT_EQ(SelectedRowsText(store, columns, RowSelection{3, 900}),
            SelectedRowsText(store, columns, RowSelection{4, 3}));
  EXPECT_EQ(SelectedRowsText(store, columns, RowSelection{50, 60}), "");
  EXPECT_EQ(SelectedRowsText(store, columns, RowSelection{}), "");
  EXPECT_EQ(SelectedRowsText(CTrajectoryStore{}, columns, RowSelection{0, 0}), "");
}

TEST(TableScrollTest, OneScrollUnitIsOneRowUpToTheClamp) {
  const auto sizes = TableScrollSizes(99, 400, 12);
  ASSERT_TRUE(sizes);
  EXPECT_EQ(sizes->totalHeight, 99 + 400);  // the last sample can be the first row shown
  EXPECT_EQ(sizes->totalWidth, 1200);
  EXPECT_EQ(sizes->pageWidth, 100);
  EXPECT_EQ(sizes->pageHeight, 200);
  EXPECT_EQ(sizes->lineWidth, 1);
  EXPECT_EQ(sizes->lineHeight, 1);
  // 40000 samples: clamped, so the first row shown is at most 32767 − client height.
  EXPECT_EQ(TableScrollSizes(39999, 400, 12)->totalHeight, 32767);
  EXPECT_EQ(TableScrollSizes(32767 - 400, 400, 12)->totalHeight, 32767);
  EXPECT_EQ(TableScrollSizes(32767 - 401, 400, 12)->totalHeight, 32766);
  EXPECT_EQ(TableScrollSizes(0, 400, 10)->totalWidth, 1000);
}

}  // namespace
}  // namespace plumora::gui
