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
  const CTrajectoryStore store = StoreOf(1);
  const TableDrawing d =
      LayoutTable(store, DefaultColumnSwitches(), ScreenTableGeometry(800, 400), 0, 0);
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
  const TableDrawing d =
      LayoutTable(CTrajectoryStore{}, DefaultColumnSwitches(), ScreenTableGeometry(300, 300), 0, 0);
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
  const CTrajectoryStore store = StoreOf(100);
  const TableDrawing d =
      LayoutTable(store, DefaultColumnSwitches(), ScreenTableGeometry(400, 200), 130, 7);
  const auto titles = TextsAt(d, 0);
  EXPECT_EQ(titles[0]->at.x, 50 - 130);
  const auto first = TextsAt(d, 60);
  EXPECT_EQ(first[0]->text, "0.70");  // row 7 is the first shown
  // A 200-pixel pane shows 200/20 − 2 = 8 data rows: only those are formatted.
  EXPECT_EQ(d.firstRow, 7);
  EXPECT_EQ(d.endRow, 15);
  EXPECT_EQ(d.texts.size(), 2 * 10 + 8 * 10u);
}

TEST(TableLayoutTest, TheLastRowsStopAtTheLastSample) {
  const CTrajectoryStore store = StoreOf(10);
  const TableDrawing d =
      LayoutTable(store, DefaultColumnSwitches(), ScreenTableGeometry(400, 1000), 0, 8);
  EXPECT_EQ(d.firstRow, 8);
  EXPECT_EQ(d.endRow, 10);
}

TEST(TableLayoutTest, APaneTooLowForARowFormatsNone) {
  const CTrajectoryStore store = StoreOf(40000);
  const TableDrawing d =
      LayoutTable(store, DefaultColumnSwitches(), ScreenTableGeometry(400, 45), 0, 0);
  EXPECT_EQ(d.endRow, d.firstRow);
  EXPECT_EQ(d.texts.size(), 20u);  // the header only
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
