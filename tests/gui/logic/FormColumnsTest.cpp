// Room for a dialog's texts: fields lined up whatever stands before them, list columns as wide
// as their longest text, a dialog as wide as its title.
#include "gui/logic/editing/FormColumns.h"

#include <gtest/gtest.h>

#include <vector>

namespace plumora::gui {
namespace {

TEST(FormColumnsTest, LabelColumnsWidenSoThatEveryFieldStartsAtTheRightmost) {
  // A plain grid whose fields start at 90, one in a group frame whose fields start at 104 with
  // a narrower label column, and one already at the rightmost place.
  const std::vector<int> lefts = {90, 104, 120};
  const std::vector<int> labels = {80, 70, 110};
  EXPECT_EQ(AlignedLabelColumns(lefts, labels), (std::vector<int>{110, 86, 110}));
  // Lined up already, or alone: nothing moves.
  EXPECT_EQ(AlignedLabelColumns(std::vector<int>{50, 50}, std::vector<int>{30, 40}),
            (std::vector<int>{30, 40}));
  EXPECT_EQ(AlignedLabelColumns(std::vector<int>{}, std::vector<int>{}), std::vector<int>{});
}

TEST(FormColumnsTest, AColumnWidensOnlyForATextThatWouldReachTheNextStop) {
  const std::vector<int> asked = {70, 140};
  // Short texts keep the stops asked for: the lists look as they always did.
  EXPECT_EQ(FittedTabStops(asked, {{20, 40, 30}, {20, 60, 500}}, 8), asked);
  // A long name moves the type column right; the number column stays.
  const std::vector<int> fitted = FittedTabStops(asked, {{20, 40, 30}, {20, 150, 30}}, 8);
  EXPECT_EQ(fitted, (std::vector<int>{70, 228}));
  // A wide first column moves the next stop only where the next text would then reach past it.
  EXPECT_EQ(FittedTabStops(asked, {{100, 10}}, 8), (std::vector<int>{108, 140}));
  EXPECT_EQ(FittedTabStops(asked, {{100, 40}}, 8), (std::vector<int>{108, 156}));
  // A text ending closer than the gap before the next stop moves it.
  EXPECT_EQ(FittedTabStops(asked, {{62, 10}}, 8), asked);
  EXPECT_EQ(FittedTabStops(asked, {{63, 10}}, 8), (std::vector<int>{71, 140}));
  // No lines: the stops asked for.
  EXPECT_EQ(FittedTabStops(asked, {}, 8), asked);
}

TEST(FormColumnsTest, ALineIsAsWideAsItsLastFieldReaches) {
  const std::vector<int> stops = {70, 228};
  EXPECT_EQ(LineWidth(stops, {20, 150, 30}), 258);
  EXPECT_EQ(LineWidth(stops, {20}), 20);
  EXPECT_EQ(LineWidth(stops, {}), 0);
  // More fields than stops: each further one follows the one before.
  EXPECT_EQ(LineWidth(stops, {20, 10, 10, 5}), 243);
  // A field longer than its column pushes the next one past its stop.
  EXPECT_EQ(LineWidth(stops, {100, 10, 10}), 238);
}

TEST(FormColumnsTest, ADialogLeavesItsTitleRoomBesideTheTitleBarsButtons) {
  EXPECT_GT(TitleFitWidth(200), 200 + 100);
  EXPECT_LT(TitleFitWidth(200), 200 + 200);
  EXPECT_EQ(TitleFitWidth(250) - TitleFitWidth(200), 50);
}

}  // namespace
}  // namespace plumora::gui
