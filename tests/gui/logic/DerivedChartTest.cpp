// The derived quantities in the table and the chart, several curves on one chart and the
// logarithmic Y axis.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "gui/logic/chart/ChartLayout.h"
#include "gui/logic/draw/Contrast.h"
#include "gui/logic/results/DisplayOptions.h"
#include "gui/logic/table/TableLayout.h"

namespace plumora::gui {
namespace {

constexpr int kMach = kStoredChartVariableCount;  // the first derived chart variable
constexpr int kDynamicPressure = kMach + 1;
constexpr int kLineForce = kMach + 4;
constexpr int kPathAngle = 2;
constexpr int kSpeed = 3;

// Straight down through sea-level air at the given speeds, one second apart, no parachute.
struct Flight {
  CTrajectoryStore store;
  DerivedSeries derived;
};
Flight FallingAt(const std::vector<double>& speeds) {
  const AtmosphereSample seaLevel{1.225, 288.15, 0.0, 0.0};
  Flight f;
  std::vector<DerivedSample> derived;
  for (std::size_t i = 0; i < speeds.size(); ++i) {
    CTrajectorySample s;
    s.time = static_cast<double>(i);
    s.payloadHeight = 1000.0 - 10.0 * static_cast<double>(i);
    s.payloadSpeed = speeds[i];
    s.payloadPathAngle = -90.0;
    s.phaseType = kSampleBallistic;
    f.store.Append(s);
    const double lost = i == 0 ? 0.0 : speeds[i - 1] - speeds[i];
    derived.push_back(DeriveSample(s, seaLevel, 1.4 * 287.05, lost));
  }
  f.store.ComputeRanges();
  f.derived = MakeDerivedSeries(std::move(derived));
  return f;
}

ResultsViewState Plot(int x, int y, std::vector<int> moreY = {}) {
  ResultsViewState state;
  state.chartX = x;
  state.chartY = y;
  state.chartMoreY = std::move(moreY);
  return state;
}

ChartLayout Layout(const ResultsSource& source, const ResultsViewState& state) {
  return LayoutChart(ChartExtentsFor(source, state), {800, 600, 60, 20, 1});
}

int NarrowText(const std::string& text) {
  return 3 * static_cast<int>(text.size());
}

TEST(DerivedSeriesTest, RangesSpanTheKnownValuesAndZero) {
  const Flight f = FallingAt({340.0, 320.0, 300.0});
  const ValueRange q = f.derived.ranges[1];
  EXPECT_EQ(q.minimum, 0.0);
  EXPECT_NEAR(q.maximum, 70805.0, 0.01);  // ½ · 1.225 · 340²
  // No parachute: the line force is known nowhere and its range stays at 0.
  EXPECT_EQ(f.derived.ranges[4].minimum, 0.0);
  EXPECT_EQ(f.derived.ranges[4].maximum, 0.0);

  const ResultsSource with(f.store, &f.derived);
  EXPECT_NEAR(with.Derived(1, 3), 320.0, 1e-9);  // descent rate
  EXPECT_NEAR(with.Derived(2, 2), 20.0 / kStandardGravity, 1e-12);
  EXPECT_TRUE(std::isnan(with.Derived(3, 0))) << "past the last sample";
  EXPECT_TRUE(std::isnan(with.Derived(0, 5))) << "no such quantity";
  const ResultsSource without(f.store);
  EXPECT_TRUE(std::isnan(without.Derived(0, 0)));
  EXPECT_EQ(without.DerivedRange(1).maximum, 0.0);
}

TEST(DerivedTableTest, DerivedColumnsFollowTheStoredOnesWithHandValues) {
  const Flight f = FallingAt({340.0, 320.0});
  ColumnSwitches timeOnly{};
  timeOnly[0] = true;
  DerivedSwitches derived{};
  derived[0] = derived[1] = derived[4] = true;
  const TableDrawing d = LayoutTable(ResultsSource(f.store, &f.derived), timeOnly,
                                     ScreenTableGeometry(800, 400), 0, 0, -1, derived);
  std::vector<std::string> titles, units, first;
  for (const AnchoredText& t : d.texts) {
    if (t.at.y == 0) titles.push_back(t.text);
    if (t.at.y == 20) units.push_back(t.text);
    if (t.at.y == 60) first.push_back(t.text);
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Time", "Mach", "Dyn. pressure", "Line force"}));
  EXPECT_EQ(units, (std::vector<std::string>{"(s)", "(-)", "(Pa)", "(kN)"}));
  // 340 m/s against a = √(1.4 · 287.05 · 288.15) = 340.29 m/s; no line force: a blank cell.
  EXPECT_EQ(first, (std::vector<std::string>{"0.00", "1.00", "70805.00", ""}));
  for (const AnchoredText& t : d.texts) {
    if (t.at.y < 40 && t.at.x > 100) {
      EXPECT_EQ(t.colour, GroupColour(ColumnGroup::kDerived));
    }
  }
  // Without the series the cells of the derived columns are blank, not made up.
  const TableDrawing bare =
      LayoutTable(f.store, timeOnly, ScreenTableGeometry(800, 400), 0, 0, -1, derived);
  EXPECT_EQ(std::count_if(bare.texts.begin(), bare.texts.end(),
                          [](const AnchoredText& t) { return t.at.y == 60 && t.text.empty(); }),
            3);
  // The derived columns narrow a printed page like the stored ones.
  ColumnSwitches all;
  all.fill(true);
  DerivedSwitches allDerived;
  allDerived.fill(true);
  EXPECT_EQ(PrintTableGeometry(190.0, 277.0, all, allDerived).columnWidth, 1900 / 22);
  EXPECT_EQ(ReadableColour(GroupColour(ColumnGroup::kDerived), {kTableBackground}),
            GroupColour(ColumnGroup::kDerived));
}

TEST(DerivedTableTest, TableOptionsCountTheDerivedColumns) {
  ResultsViewState state;
  DerivedSwitches two{};
  two[2] = two[3] = true;
  ApplyTableOptions(state, DefaultColumnSwitches(), two);
  EXPECT_EQ(state.derivedColumns, two);
  EXPECT_EQ(state.shownColumnCount, 12);  // ten stored and two derived
  EXPECT_EQ(DerivedOptionLabel(1), "Dynamic pressure (Pa)");
  EXPECT_EQ(DerivedOptionLabel(0), "Mach number");
}

TEST(DerivedChartTest, ADerivedVariableIsPlottedFromTheSeries) {
  const Flight f = FallingAt({340.0, 320.0, 300.0});
  const ResultsSource source(f.store, &f.derived);
  const ResultsViewState state = Plot(0, kDynamicPressure);
  EXPECT_TRUE(ChartUsesDerived(state));
  EXPECT_FALSE(ChartUsesDerived(Plot(0, 1, {kSpeed})));
  EXPECT_TRUE(ChartUsesDerived(Plot(0, 1, {kMach})));
  const ChartLayout l = Layout(source, state);
  EXPECT_NEAR(l.extents.ymax, 70805.0, 0.01);
  EXPECT_EQ(l.extents.yrange, RoundedRange(0.0, l.extents.ymax));
  const ChartCurve curve = TraceChartCurve(source, l);
  ASSERT_EQ(curve.runs.size(), 1u);
  ASSERT_EQ(curve.runs[0].points.size(), 3u);
  EXPECT_EQ(curve.runs[0].points[2], l.PointOf(2.0, 0.5 * 1.225 * 300.0 * 300.0));
  const ChartReadout r = MapPixelToValues(source, l, curve.sampleAtColumn, l.PointOf(1.0, 0).x);
  EXPECT_NEAR(r.y, 0.5 * 1.225 * 320.0 * 320.0, 1e-6);
  // A quantity known nowhere (the line force without a parachute) draws nothing, nor a cursor.
  const ChartLayout none = Layout(source, Plot(0, kLineForce));
  EXPECT_TRUE(TraceChartCurve(source, none).runs.empty());
  EXPECT_FALSE(ChartCursor(source, none, 1));
}

TEST(SeveralCurvesTest, TheVariablesAreTheYOneAndDistinctListedOthers) {
  EXPECT_EQ(ChartCurveVariables(1, {}), (std::vector<int>{1}));
  EXPECT_EQ(ChartCurveVariables(1, {3, 1, 3, -1, 20, 15}), (std::vector<int>{1, 3, 15}));
  EXPECT_EQ(ChartCurveVariables(0, {1, 2, 3, 4, 5, 6, 7}).size(),
            static_cast<std::size_t>(kMaxChartCurves));

  ResultsViewState state;
  state.chartZoom.on = true;
  EXPECT_TRUE(ApplyChartOptions(state, {0, 3, 0, {}, {3, 16, 2, 16}}));
  EXPECT_EQ(state.chartMoreY, (std::vector<int>{16, 2}));
  EXPECT_EQ(ChartOptionsOf(state).moreY, (std::vector<int>{16, 2}));
  EXPECT_FALSE(state.chartZoom.on);
  EXPECT_FALSE(ApplyChartOptions(state, {0, 3, 0, {}, {kChartVariableCount}}));
  EXPECT_EQ(state.chartMoreY, (std::vector<int>{16, 2}));
}

TEST(SeveralCurvesTest, CurveColoursAreDistinctAndReadableOnScreenAndPaper) {
  std::set<std::tuple<int, int, int>> seen;
  for (int k = 0; k < kMaxChartCurves; ++k) {
    const Colour c = CurveColour(k);
    EXPECT_GE(ContrastRatio(c, kChartBackground), kReadableContrast) << k;
    EXPECT_GE(ContrastRatio(c, Colour{255, 255, 255}), kReadableContrast) << k;
    EXPECT_FALSE(c == kChartInk);
    seen.insert({c.r, c.g, c.b});
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kMaxChartCurves));
}

TEST(SeveralCurvesTest, CurvesShareTheYAxisEachInItsColourWithALegend) {
  const Flight f = FallingAt({340.0, 320.0, 300.0});
  const ResultsSource source(f.store, &f.derived);
  // Speed (300 to 340 m/s, from 0) and the path angle (-90°) on one axis.
  const ChartLayout l = Layout(source, Plot(0, kSpeed, {kPathAngle}));
  EXPECT_EQ(l.extents.moreY, (std::vector<int>{kPathAngle}));
  EXPECT_EQ(l.extents.ymin, -90.0);
  EXPECT_EQ(l.extents.ymax, 340.0);
  const ChartCurve curve = TraceChartCurve(source, l);
  ASSERT_EQ(curve.runs.size(), 2u);
  EXPECT_EQ(curve.runs[0].colour, CurveColour(0));
  EXPECT_EQ(curve.runs[1].colour, CurveColour(1));
  EXPECT_EQ(curve.runs[1].points.front(), l.PointOf(0.0, -90.0));
  // The columns name the first curve's samples: the read-out is the speed.
  const ChartReadout r = MapPixelToValues(source, l, curve.sampleAtColumn, l.PointOf(1.0, 0).x);
  EXPECT_EQ(r.y, 320.0);

  const ChartFrame frame = LayoutChartFrame(l, NarrowText);
  std::vector<std::string> legend;
  for (const AnchoredText& t : frame.texts) {
    if (t.anchor == Anchor::kLeftTop && t.at.x > 5 && t.at.y < l.mt) legend.push_back(t.text);
  }
  EXPECT_EQ(legend, (std::vector<std::string>{"speed (m/s)", "path (\xC2\xB0)"}));
  std::vector<Colour> strokes;
  for (const Segment& s : frame.lines) {
    if (!(s.colour == kChartInk)) strokes.push_back(s.colour);
  }
  EXPECT_EQ(strokes, (std::vector<Colour>{CurveColour(0), CurveColour(1)}));
  // One curve keeps its title and the phases' colours.
  const ChartLayout single = Layout(source, Plot(0, kSpeed));
  EXPECT_EQ(LayoutChartFrame(single, NarrowText).texts[1].text, "speed (m/s)");
  EXPECT_EQ(TraceChartCurve(source, single).runs[0].colour, *PhaseColour(kSampleBallistic));
}

TEST(SeveralCurvesTest, TheLegendRunsAcrossTheTopAndWrapsWhereTheDrawingEnds) {
  const Flight f = FallingAt({340.0, 320.0});
  ResultsViewState state = Plot(0, kSpeed, {1, kPathAngle});
  state.chartSwitches.logY = true;
  // 200 wide, text 10 high: strokes of 20, labels 3 units a byte, a text height between items.
  const ChartLayout l = LayoutChart(ChartExtentsFor(f.store, state), {200, 300, 30, 10, 1});
  const ChartFrame frame = LayoutChartFrame(l, NarrowText);
  std::vector<int> strokes;
  for (const Segment& s : frame.lines) {
    if (!(s.colour == kChartInk)) strokes.push_back(s.from.x);
  }
  EXPECT_EQ(strokes, (std::vector<int>{5, 72, 136}));
  const auto note = std::find_if(frame.texts.begin(), frame.texts.end(), [](const AnchoredText& t) {
    return t.text.rfind("log scale", 0) == 0;
  });
  ASSERT_NE(note, frame.texts.end());
  EXPECT_EQ(note->at, (Point{5, 15})) << "too wide for the first row";
}

TEST(SeveralCurvesTest, FittingToAZoomFitsEveryCurve) {
  const Flight f = FallingAt({340.0, 320.0, 300.0, 280.0});
  const ResultsSource source(f.store, &f.derived);
  ResultsViewState state = Plot(0, kSpeed, {1});  // speed and height
  state.chartZoom = {true, 2.0, 3.0};
  state.chartSwitches.fitYToZoom = true;
  const ChartExtents e = ChartExtentsFor(source, state);
  EXPECT_EQ(e.ymin, 280.0);  // the speed
  EXPECT_EQ(e.ymax, 980.0);  // the height
}

TEST(LogAxisTest, TheAxisRunsInWholeDecadesAndLeavesOutWhatIsNotPositive) {
  const Flight f = FallingAt({340.0, 320.0, 300.0});
  const ResultsSource source(f.store, &f.derived);
  // Dynamic pressure 55125 to 70805 Pa and the deceleration, 0 at the first sample.
  ResultsViewState state = Plot(0, kDynamicPressure, {kMach + 2});
  state.chartSwitches.logY = true;
  state.chartSwitches.roundTicks = true;  // leaves a log axis as it is
  const ChartLayout l = Layout(source, state);
  const ChartExtents& e = l.extents;
  EXPECT_TRUE(e.logY);
  EXPECT_TRUE(e.leftOut);
  EXPECT_EQ(e.ymin, 0.0);  // 20/9.80665 = 2.04 g lies in the decade from 1
  EXPECT_EQ(e.yrange, 5.0);
  EXPECT_EQ(e.yTicks, 5);
  EXPECT_EQ(YTickLabel(e, 0), "1");
  EXPECT_EQ(YTickLabel(e, 5), "100000");
  EXPECT_EQ(l.y0, l.height - l.mt);
  EXPECT_EQ(l.PointOf(1.0, 1000.0).y, l.height - l.mt - static_cast<int>(std::trunc(3 * l.sy)));
  EXPECT_FALSE(l.Plottable(0.0));
  EXPECT_FALSE(l.Plottable(-1.0));

  const ChartCurve curve = TraceChartCurve(source, l);
  ASSERT_EQ(curve.runs.size(), 2u);
  EXPECT_EQ(curve.runs[0].points.size(), 3u);
  EXPECT_EQ(curve.runs[1].points.size(), 2u) << "the deceleration of 0 is left out";

  const ChartFrame frame = LayoutChartFrame(l, NarrowText);
  const bool noted = std::any_of(frame.texts.begin(), frame.texts.end(), [](const AnchoredText& t) {
    return t.text == "log scale, values \xE2\x89\xA4 0 left out";
  });
  EXPECT_TRUE(noted);
}

TEST(LogAxisTest, DecadeLabelsAndAxesOfManyOrNoDecades) {
  ChartExtents e;
  e.logY = true;
  e.yTicks = 10;
  e.yrange = 10.0;
  e.ymin = -6.0;
  EXPECT_EQ(YTickLabel(e, 0), "1e-06");
  EXPECT_EQ(YTickLabel(e, 2), "0.0001");
  EXPECT_EQ(YTickLabel(e, 5), "0.1");
  EXPECT_EQ(YTickLabel(e, 6), "1");
  EXPECT_EQ(YTickLabel(e, 9), "1000");
  e.ymin = 1.0;
  EXPECT_EQ(YTickLabel(e, 6), "1e+07");

  // Heights from 1 m to 10^15 m: sixteen decades in eight steps of two.
  CTrajectoryStore wide;
  for (double h : {1.0, 1e15}) {
    CTrajectorySample s;
    s.time = h;
    s.payloadHeight = h;
    wide.Append(s);
  }
  wide.ComputeRanges();
  ResultsViewState state = Plot(0, 1);
  state.chartSwitches.logY = true;
  const ChartExtents many = ChartExtentsFor(wide, state);
  EXPECT_EQ(many.ymin, 0.0);
  EXPECT_EQ(many.yTicks, 8);
  EXPECT_EQ(many.yrange, 16.0);
  EXPECT_FALSE(many.leftOut);

  // Nothing positive: one decade from 1, everything left out, no curve and no cursor.
  const Flight f = FallingAt({340.0, 320.0});
  ResultsViewState angle = Plot(0, kPathAngle);
  angle.chartSwitches.logY = true;
  const ChartLayout l = Layout(f.store, angle);
  EXPECT_EQ(l.extents.ymin, 0.0);
  EXPECT_EQ(l.extents.yrange, 1.0);
  EXPECT_TRUE(l.extents.leftOut);
  EXPECT_TRUE(TraceChartCurve(f.store, l).runs.empty());
  EXPECT_FALSE(ChartCursor(f.store, l, 1));
}

}  // namespace
}  // namespace plumora::gui
