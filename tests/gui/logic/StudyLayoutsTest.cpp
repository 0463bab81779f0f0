#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "gui/logic/draw/Contrast.h"
#include "gui/logic/study/LandingScatter.h"
#include "gui/logic/study/StudyHistogram.h"

namespace plumora::gui {
namespace {

const StudyGeometry kGeometry{800, 600, 16, 1};
const TextWidth kTextWidth = [](const std::string& s) { return static_cast<int>(s.size()) * 8; };
// A planet on which a degree is a kilometre.
const double kKmPerDegreeRadius = 180000.0 / M_PI;

TEST(StudyPlot, TicksWithinTheAxisAtRoundValuesWithTheDigitsTheirStepNeeds) {
  const TicksWithin ten = RoundTicksWithin(0.0, 10.0, 6);
  EXPECT_EQ(ten.step, 2.0);
  EXPECT_EQ(ten.values, (std::vector<double>{0, 2, 4, 6, 8, 10}));
  const TicksWithin small = RoundTicksWithin(-0.033, 0.098, 5);
  EXPECT_EQ(small.step, 0.05);
  ASSERT_EQ(small.values.size(), 2U);
  EXPECT_EQ(DecimalText(small.values[0], small.decimals), "0.00");  // never "-0.00"
  EXPECT_EQ(DecimalText(small.values[1], small.decimals), "0.05");
  // The step is the one the chart's round ticks take over the same span.
  EXPECT_EQ(RoundTicksWithin(-1250.0, 1000.0, 11).step, RoundTicksFor(-1250.0, 1000.0)->step);

  // A spread of picometres at 28.5° still gets ticks that read apart.
  const TicksWithin fine = RoundTicksWithin(28.5 - 2e-11, 28.5 + 2e-11, 5);
  std::set<std::string> texts;
  for (double v : fine.values) texts.insert(DecimalText(v, fine.decimals));
  EXPECT_GE(texts.size(), 2U);
  EXPECT_EQ(texts.size(), fine.values.size());
  EXPECT_LE(fine.values.size(), 5U);
  EXPECT_EQ(RoundTicksWithin(3.0, 3.0, 5).values, std::vector<double>{3.0});
  EXPECT_TRUE(RoundTicksWithin(0.0, std::nan(""), 5).values.empty());
}

// Runs landed along a line 30° east of north, across the ±180° meridian, on the equator.
std::vector<RunRecord> AlongALine() {
  std::vector<RunRecord> records;
  for (int t = -2; t <= 2; ++t) {
    RunRecord r;
    r.run = t + 2;
    r.end = RunEnd::kLanded;
    r.outputs.landingLatitude = t * std::cos(M_PI / 6);
    const double longitude = 179.5 + t * 0.5;
    r.outputs.landingLongitude = longitude > 180.0 ? longitude - 360.0 : longitude;
    r.outputs.planetRadius = kKmPerDegreeRadius;
    records.push_back(r);
  }
  RunRecord failed;  // neither a point nor a radius
  failed.outputs.planetRadius = 1.0;
  records.push_back(failed);
  return records;
}

TEST(LandingScatter, EllipseAxesAndOrientationOfAKnownSpread) {
  const LandingCloud cloud = LandingCloudOf(AlongALine());
  ASSERT_EQ(cloud.points.size(), 5U);
  EXPECT_EQ(cloud.radius, kKmPerDegreeRadius);
  const ScatterLayout l =
      LayoutLandingScatter(cloud, LandingPoint{0.0, -179.0}, kGeometry, kTextWidth);
  EXPECT_EQ(l.message, "");

  // Variance along the line (4 + 1 + 0 + 1 + 4) / 4 km², none across it.
  EXPECT_NEAR(l.ellipse.oneSigma.semiMajor, std::sqrt(2.5), 1e-9);
  EXPECT_NEAR(l.ellipse.oneSigma.semiMinor, 0.0, 1e-6);
  EXPECT_NEAR(l.ellipse.oneSigma.orientation, 30.0, 1e-9);
  EXPECT_NEAR(l.ellipse.meanLongitude, 179.5, 1e-12);
  ASSERT_EQ(l.offsets.size(), 5U);
  EXPECT_NEAR(l.offsets[4].east, 1.0, 1e-9);  // from 179.5° to −179.5°: one degree east
  EXPECT_NEAR(l.offsets[4].north, 2.0 * std::cos(M_PI / 6), 1e-9);
  ASSERT_TRUE(l.nominal);
  EXPECT_NEAR(l.nominal->east, 1.5, 1e-9);
  EXPECT_NEAR(l.nominal->north, 0.0, 1e-12);

  // A km is as long across as up, north is up, and the 3σ outline reaches 3σ along 30°.
  const StudyArea& a = l.area;
  EXPECT_NEAR(a.Width() / (a.xHigh - a.xLow), a.Height() / (a.yHigh - a.yLow), 1e-9);
  const Point centre = a.PointOf(0.0, 0.0);
  const double scale = a.Width() / (a.xHigh - a.xLow);
  ASSERT_EQ(l.threeSigma.points.size(), static_cast<std::size_t>(kEllipseSegments) + 1);
  EXPECT_EQ(l.threeSigma.points.front(), l.threeSigma.points.back());  // closed
  // Drawn to the nearest unit: the tip within a unit of 3σ along 30°.
  const Point tip = l.threeSigma.points.front();
  const double reach = 3.0 * std::sqrt(2.5) * scale;
  EXPECT_GT(reach, 100.0);
  EXPECT_NEAR(std::hypot(tip.x - centre.x, tip.y - centre.y), reach, 1.5);
  EXPECT_NEAR(std::atan2(tip.x - centre.x, centre.y - tip.y), M_PI / 6, 1.5 / reach);
  // Every point and the whole 3σ ellipse lie inside the plot.
  for (const Point& p : l.threeSigma.points) {
    EXPECT_TRUE(p.x >= a.left && p.x <= a.right && p.y >= a.top && p.y <= a.bottom);
  }
  for (const Point& p : l.dots.points) {
    EXPECT_TRUE(p.x >= a.left && p.x <= a.right && p.y >= a.top && p.y <= a.bottom);
  }
  EXPECT_EQ(l.dots.points.size(), 5U);
  EXPECT_EQ(l.nominalCross.size(), 2U);
  // The nominal cross stands 1.5 km east of the mean, on its row.
  EXPECT_EQ((l.nominalCross[0].from.x + l.nominalCross[0].to.x) / 2, a.PointOf(1.5, 0.0).x);

  ASSERT_EQ(l.legend.size(), 3U);
  EXPECT_EQ(l.legend[0].text, "5 landing points, \xC3\x97 nominal landing");
  EXPECT_EQ(l.legend[1].text.rfind("1\xCF\x83: 1.581 \xC3\x97 ", 0), 0U) << l.legend[1].text;
  const std::string axis = "km, major axis at 30.0\xC2\xB0";
  EXPECT_EQ(l.legend[2].text.substr(l.legend[2].text.size() - axis.size()), axis);
  // Each ellipse's line of the legend in its colour, every colour readable on white paper.
  EXPECT_EQ(l.legend[1].colour, l.oneSigma.colour);
  EXPECT_EQ(l.legend[2].colour, l.threeSigma.colour);
  for (Colour c : {kScatterDots, kScatterNominal, kOneSigma, kThreeSigma, kPercentileMarks}) {
    EXPECT_GE(ContrastRatio(c, Colour{255, 255, 255}), kReadableContrast);
  }
}

TEST(LandingScatter, TheNominalLandingOnlyOfAFlightThatDidNotFail) {
  EXPECT_FALSE(LandingOf(std::nullopt));
  RunRecord run;
  run.end = RunEnd::kFailed;
  run.outputs.landingLatitude = 4.0;
  EXPECT_FALSE(LandingOf(run));
  run.end = RunEnd::kAloft;
  run.outputs.landingLongitude = -7.0;
  ASSERT_TRUE(LandingOf(run));
  EXPECT_EQ(LandingOf(run)->latitude, 4.0);
  EXPECT_EQ(LandingOf(run)->longitude, -7.0);
}

TEST(LandingScatter, NoPointOrOnePoint) {
  const ScatterLayout none = LayoutLandingScatter({}, std::nullopt, kGeometry, kTextWidth);
  EXPECT_EQ(none.message, "No data available");
  EXPECT_TRUE(none.dots.points.empty());
  EXPECT_TRUE(none.frame.lines.empty());

  LandingCloud one;
  one.points = {{10.0, 20.0}};
  one.radius = kKmPerDegreeRadius;
  const ScatterLayout l = LayoutLandingScatter(one, std::nullopt, kGeometry, kTextWidth);
  ASSERT_EQ(l.dots.points.size(), 1U);
  EXPECT_TRUE(l.oneSigma.points.empty());
  EXPECT_TRUE(l.threeSigma.points.empty());
  EXPECT_EQ(l.legend.size(), 1U);
  EXPECT_EQ(l.legend[0].text, "1 landing point");
  // Axes of a sensible size around the point, with ticks on both.
  EXPECT_GE(l.area.xHigh - l.area.xLow, 0.01);
  EXPECT_NEAR(l.dots.points[0].x, (l.area.left + l.area.right) / 2, 0.5);
  EXPECT_GE(l.frame.xTicks.values.size(), 2U);
  EXPECT_GE(l.frame.yTicks.values.size(), 2U);

  // Landings a few metres apart (a descent under canopy) are drawn apart, not as one dot.
  LandingCloud close = one;
  close.points.push_back({10.0, 20.0 + 0.003 / std::cos(10.0 * M_PI / 180)});  // 3 m east
  const ScatterLayout metres = LayoutLandingScatter(close, std::nullopt, kGeometry, kTextWidth);
  ASSERT_EQ(metres.dots.points.size(), 2U);
  EXPECT_GT(metres.dots.points[1].x - metres.dots.points[0].x, 50);
  EXPECT_GE(metres.frame.xTicks.values.size(), 2U);
}

std::vector<RunRecord> Decelerations(int count) {
  std::vector<RunRecord> records;
  for (int i = 1; i <= count; ++i) {
    RunRecord r;
    r.end = i % 2 == 0 ? RunEnd::kAloft : RunEnd::kLanded;
    r.outputs.peakDeceleration = i;
    records.push_back(r);
  }
  RunRecord failed;  // a failed run's figures are none of the study's
  failed.outputs.peakDeceleration = 1000.0;
  records.push_back(failed);
  records.push_back(RunRecord{});  // landed aloft without the figure: NaN
  records.back().end = RunEnd::kLanded;
  return records;
}

TEST(StudyHistogram, BinEdgesAndTheCountsInThem) {
  const Histogram five = BinValues({9, 0, 1, 2, 3, 4, 5, 6, 7, 8}, 5);
  EXPECT_EQ(five.edges.size(), 6U);
  EXPECT_EQ(five.edges.front(), 0.0);
  EXPECT_NEAR(five.edges[1], 1.8, 1e-12);
  EXPECT_EQ(five.edges.back(), 9.0);  // the largest value closes the last bin exactly
  EXPECT_EQ(five.counts, (std::vector<int>{2, 2, 2, 2, 2}));
  EXPECT_EQ(BinValues(std::vector<double>(1000, 0.0)).counts.size(), 1U);
  std::vector<double> spread(1000);
  for (int i = 0; i < 1000; ++i) spread[i] = i;
  EXPECT_EQ(BinValues(spread).counts.size(), 20U);  // 2·∛1000
  const Histogram alike = BinValues({7.0, 7.0});
  EXPECT_EQ(alike.edges, (std::vector<double>{6.5, 7.5}));
  EXPECT_EQ(alike.counts, std::vector<int>{2});
  EXPECT_TRUE(BinValues({}).edges.empty());
}

TEST(StudyHistogram, PercentilesMarkedWhereTheSummaryPutsThem) {
  const HistogramLayout l = LayoutStudyHistogram(Decelerations(101), StudyOutput::kPeakDeceleration,
                                                 10, kGeometry, kTextWidth);
  EXPECT_EQ(l.message, "");
  EXPECT_EQ(l.statistics.count, 101U);
  EXPECT_EQ(l.area.xLow, 1.0);
  EXPECT_EQ(l.area.xHigh, 101.0);
  ASSERT_EQ(l.marks.size(), 3U);
  const std::vector<std::pair<double, std::string>> expected = {
      {2.0, "1 %"}, {51.0, "50 %"}, {100.0, "99 %"}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(l.marks[i].value, expected[i].first);
    EXPECT_EQ(l.marks[i].label, expected[i].second);
    EXPECT_EQ(l.marks[i].text.text, expected[i].second);
    EXPECT_EQ(l.marks[i].line.from.x, l.area.PointOf(expected[i].first, 0).x);
    // Each label beside its line, never across it, and inside the plot.
    const Rect box = TextBox(l.marks[i].text, kTextWidth(l.marks[i].label), kGeometry.textHeight);
    EXPECT_TRUE(box.left > l.marks[i].line.from.x || box.right() < l.marks[i].line.from.x) << i;
    EXPECT_GE(box.left, l.area.left);
    EXPECT_LE(box.right(), l.area.right);
  }
  EXPECT_EQ(l.marks[0].text.anchor, Anchor::kLeftTop);
  EXPECT_EQ(l.marks[2].text.anchor, Anchor::kRightTop);  // no room right of the 99 % line
  // Ten bars of ten or eleven runs side by side, the tallest below the top of the plot.
  ASSERT_EQ(l.bars.size(), 10U);
  ASSERT_EQ(l.barEdges.size(), 10U);
  for (std::size_t i = 0; i < l.bars.size(); ++i) {
    EXPECT_GT(l.bars[i].top, l.area.top);
    EXPECT_EQ(l.bars[i].bottom(), l.area.bottom);
    if (i > 0) {
      EXPECT_EQ(l.bars[i].left, l.bars[i - 1].right());
    }
  }
  EXPECT_EQ(l.bars.front().left, l.area.left);
  EXPECT_EQ(l.bars.back().right(), l.area.right);
  EXPECT_EQ(l.frame.texts[l.frame.texts.size() - 2].text, "Peak deceleration (m/s\xC2\xB2)");
}

TEST(StudyHistogram, NoRunOrOneRun) {
  const HistogramLayout none =
      LayoutStudyHistogram({}, StudyOutput::kLandingSpeed, 0, kGeometry, kTextWidth);
  EXPECT_EQ(none.message, "No data available");
  EXPECT_TRUE(none.bars.empty());
  EXPECT_TRUE(none.marks.empty());

  const HistogramLayout one = LayoutStudyHistogram(Decelerations(1), StudyOutput::kPeakDeceleration,
                                                   0, kGeometry, kTextWidth);
  ASSERT_EQ(one.bars.size(), 1U);
  ASSERT_EQ(one.marks.size(), 3U);
  const double middle = (one.area.left + one.area.right) / 2;
  for (const PercentileMark& m : one.marks) EXPECT_NEAR(m.line.from.x, middle, 0.5);
}

}  // namespace
}  // namespace plumora::gui
