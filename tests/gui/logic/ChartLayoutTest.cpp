#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "gui/logic/chart/ChartLayout.h"

namespace plumora::gui {
namespace {

// Samples of a flight as (time, payload height, payload path angle, phase type); the store's
// ranges are computed as a run leaves them.
struct Sample {
  double time;
  double height;
  double pathAngle = 0.0;
  int phase = kSampleBallistic;
};
CTrajectoryStore StoreOf(const std::vector<Sample>& points) {
  CTrajectoryStore store;
  for (const Sample& p : points) {
    CTrajectorySample s;
    s.time = p.time;
    s.payloadHeight = p.height;
    s.payloadPathAngle = p.pathAngle;
    s.phaseType = p.phase;
    store.Append(s);
  }
  store.ComputeRanges();
  return store;
}

ResultsViewState Plot(int x, int y) {
  ResultsViewState state;
  state.chartX = x;
  state.chartY = y;
  return state;
}

// 800 × 600 with Y labels 60 wide and 20 high: lm 70, mt 60, plot 660 × 480.
ChartLayout Layout(const CTrajectoryStore& store, const ResultsViewState& state) {
  return LayoutChart(ChartExtentsFor(store, state), {800, 600, 60, 20, 1});
}

// Labels three units wide per character: they all fit between the ticks.
int NarrowText(const std::string& text) {
  return 3 * static_cast<int>(text.size());
}

std::vector<std::string> Labels(const ChartFrame& frame, Anchor align) {
  std::vector<std::string> texts;
  for (const AnchoredText& t : frame.texts) {
    if (t.anchor == align) texts.push_back(t.text);
  }
  return texts;
}

const CTrajectoryStore kEntry = StoreOf({{0, 120000}, {150, 60000}, {300, 0}});

TEST(ChartLayoutTest, RangesRoundUpPastTheExtentAndTheTicksSplitThemInTen) {
  // A landing a little below the ground labels its end "0", not "-0".
  EXPECT_EQ(YTickText(-0.4), " 0");
  EXPECT_EQ(XTickText(-0.5), "0");
  EXPECT_EQ(XTickText(-0.6), "-1");

  EXPECT_EQ(RoundedRange(0, 0), 10);
  EXPECT_EQ(RoundedRange(0, 25), 30);
  EXPECT_EQ(RoundedRange(-10, 20), 40);

  const ChartLayout l = Layout(kEntry, Plot(0, 1));
  EXPECT_EQ(l.extents.xrange, 310);
  EXPECT_EQ(l.extents.yrange, 120010);
  // Left and top margins, plot width and height, and where the axes cross.
  EXPECT_EQ((std::vector{l.lm, l.mt, l.pw, l.ph, l.x0, l.y0}),
            (std::vector{70, 60, 660, 480, 70, 540}));
  EXPECT_FALSE(l.yLabelsRight);
  EXPECT_FALSE(l.xLabelsAbove);
  EXPECT_DOUBLE_EQ(l.sx, 660.0 / 310);

  const ChartFrame f = LayoutChartFrame(l, NarrowText);
  EXPECT_EQ(Labels(f, Anchor::kCentreTop),
            (std::vector<std::string>{"time (s)", "0", "31", "62", "93", "124", "155", "186", "217",
                                      "248", "279", "310"}));
  EXPECT_EQ(Labels(f, Anchor::kRightBottom),
            (std::vector<std::string>{" 0", "12001", "24002", "36003", "48004", "60005", "72006",
                                      "84007", "96008", "108009", "120010"}));
  // The middle tick of each axis, its label, and the Y label centred on its tick.
  ASSERT_EQ(f.texts.size(), 24u);
  const AnchoredText& x5 = f.texts[2 + 2 * 5];
  const AnchoredText& y5 = f.texts[2 + 2 * 5 + 1];
  EXPECT_EQ(x5.at, (Point{400, 545}));
  EXPECT_EQ(y5.at, (Point{65, 300 + 10}));
  EXPECT_EQ(f.texts[1].text, "height (m)");
  EXPECT_EQ(f.texts[1].at.x, 5);
  EXPECT_EQ(f.texts[0].at.y, 600 - 30);

  // Labels wider than the gap between ticks are thinned, keeping both ends.
  const ChartFrame wide = LayoutChartFrame(l, [](const std::string&) { return 100; });
  EXPECT_EQ(Labels(wide, Anchor::kCentreTop),
            (std::vector<std::string>{"time (s)", "0", "62", "124", "186", "248", "310"}));
  EXPECT_EQ(wide.lines.size(), 2u + 22u);  // every tick is still drawn

  // The margin makes room for the widest label, the top one here, not for the extremes.
  const ChartExtents tall = ChartExtentsFor(StoreOf({{0, 9995}}), Plot(0, 1));
  EXPECT_EQ(YTickText(tall.ymin + tall.yrange), "10000");
  EXPECT_EQ(YLabelWidth(tall, NarrowText), 15);
}

TEST(ChartLayoutTest, NegativeExtremesMoveTheAxesAndTheirLabels) {
  // Path angle as X: never positive, so the Y axis stands at the right end of the X axis.
  const CTrajectoryStore descent = StoreOf({{0, 9000, -5}, {10, 5000, -45}, {20, 1000, -90}});
  const ChartLayout right = Layout(descent, Plot(2, 1));
  EXPECT_EQ(right.x0, right.lm + right.pw);
  EXPECT_TRUE(right.yLabelsRight);
  const ChartFrame f = LayoutChartFrame(right, NarrowText);
  EXPECT_EQ(f.texts[3].anchor, Anchor::kLeftBottom);
  EXPECT_EQ(f.texts[3].at.x, right.x0 + 5);

  // Path angle as Y: the X axis rises by |ymin| × sy and its labels go above it.
  const ChartLayout raised = Layout(descent, Plot(0, 2));
  EXPECT_EQ(raised.extents.yrange, 100);
  EXPECT_EQ(raised.y0, 540 + static_cast<int>(std::trunc(4.8 * -90)));
  EXPECT_TRUE(raised.xLabelsAbove);
  // The Y axis would strike through the "0" at the origin: it moves beside the axis, away from
  // the Y labels; the next one stays centred on its tick.
  const ChartFrame up = LayoutChartFrame(raised, NarrowText);
  EXPECT_EQ(up.texts[2].text, "0");
  EXPECT_EQ(up.texts[2].anchor, Anchor::kLeftBottom);
  EXPECT_EQ(up.texts[2].at, (Point{raised.x0 + 2, raised.y0 - 5}));
  EXPECT_EQ(up.texts[4].anchor, Anchor::kCentreBottom);

  // X from -50 to 50: the Y axis crosses where X is 0.
  const CTrajectoryStore both = StoreOf({{0, 0, -50}, {1, 1, 50}});
  const ChartLayout middle = Layout(both, Plot(2, 1));
  EXPECT_EQ(middle.x0, middle.lm + static_cast<int>(std::trunc(middle.sx * 50)));
}

// Labels ten units a character, lines twenty high.
int WideText(const std::string& text) {
  return 10 * static_cast<int>(text.size());
}

// No two labels overlap, the Y axis strikes through none, and all lie within the drawing.
void ExpectClear(const ChartLayout& l, const ChartFrame& f, const TextWidth& width = WideText) {
  std::vector<Rect> boxes;
  for (std::size_t i = 2; i < f.texts.size(); ++i) {
    boxes.push_back(TextBox(f.texts[i], width(f.texts[i].text), l.textHeight));
  }
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const Rect& b = boxes[i];
    EXPECT_GE(b.left, 0) << f.texts[i + 2].text;
    EXPECT_LE(b.right(), l.width) << f.texts[i + 2].text;
    const bool crossed =
        b.left <= l.x0 && l.x0 < b.right() && b.top < l.mt + l.ph && b.bottom() > l.mt;
    EXPECT_FALSE(crossed) << f.texts[i + 2].text;
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      EXPECT_FALSE(Overlap(b, boxes[j])) << f.texts[i + 2].text << " / " << f.texts[j + 2].text;
    }
  }
}

std::vector<std::string> TextsOf(const ChartFrame& f) {
  std::vector<std::string> texts;
  for (const AnchoredText& t : f.texts) texts.push_back(t.text);
  return texts;
}

TEST(ChartLayoutTest, LabelsKeepClearOfTheAxesOfEachOtherAndOfTheEdges) {
  // Both axes crossing inside the plot: "-6" under the X axis would run into the Y label "-10"
  // beside it, which is left out; the Y axis would cross the X label "5"... which it does not.
  const CTrajectoryStore crossing = StoreOf({{0, -50, -50}, {1, 140, 50}});
  const ChartLayout both =
      LayoutChart(ChartExtentsFor(crossing, Plot(2, 1)), {800, 600, 30, 20, 1});
  EXPECT_EQ(both.y0, 420);
  const ChartFrame f = LayoutChartFrame(both, WideText);
  ExpectClear(both, f);
  const std::vector<std::string> texts = TextsOf(f);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "-10"), 0);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "10"), 1);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "-6"), 1);

  // Heights below the ground as Y, time as X: the origin's "0" moves right of the Y axis.
  const CTrajectoryStore below = StoreOf({{0, -50}, {300, 140}});
  const ChartLayout low = LayoutChart(ChartExtentsFor(below, Plot(0, 1)), {800, 600, 30, 20, 1});
  const ChartFrame lf = LayoutChartFrame(low, WideText);
  ExpectClear(low, lf);
  EXPECT_EQ(lf.texts[2].text, "0");
  EXPECT_EQ(lf.texts[2].at, (Point{low.x0 + 2, low.y0 + 5}));
  EXPECT_EQ(lf.texts[2].anchor, Anchor::kLeftTop);

  // Two-digit Y labels and five-digit X ones in a large font: the last X label, "12690", would
  // reach past the right edge by its half less the margin, and moves in to it.
  const TextWidth large = [](const std::string& t) { return 25 * static_cast<int>(t.size()); };
  const CTrajectoryStore far = StoreOf({{0, 0}, {12688, 5}});
  const ChartExtents fe = ChartExtentsFor(far, Plot(0, 1));
  const ChartLayout edge = LayoutChart(fe, {800, 600, YLabelWidth(fe, large), 30, 1});
  EXPECT_EQ(edge.lm, 60);
  const ChartFrame ef = LayoutChartFrame(edge, large);
  const auto last = std::find_if(ef.texts.begin(), ef.texts.end(),
                                 [](const AnchoredText& t) { return t.text == "12690"; });
  ASSERT_NE(last, ef.texts.end());
  EXPECT_EQ(last->at.x, 799);
  EXPECT_EQ(last->anchor, Anchor::kRightTop);
  // The one before it is far enough off to stay.
  EXPECT_EQ(std::count_if(ef.texts.begin(), ef.texts.end(),
                          [](const AnchoredText& t) { return t.text == "10152"; }),
            1);

  // A landing a little below the ground leaves the X axis on the bottom row: the corner's two
  // "0" labels both stay, as on any chart whose X axis is at the bottom.
  const ChartLayout landed = Layout(StoreOf({{0, 120000}, {300, -0.3}}), Plot(0, 1));
  EXPECT_EQ(landed.y0, 540);
  const std::vector<std::string> landedTexts = TextsOf(LayoutChartFrame(landed, large));
  EXPECT_EQ(std::count(landedTexts.begin(), landedTexts.end(), " 0"), 1);

  // The usual chart is left as it is.
  const ChartLayout usual = Layout(kEntry, Plot(0, 1));
  const ChartFrame uf = LayoutChartFrame(usual, NarrowText);
  EXPECT_EQ(uf.texts[0].at, (Point{400, 570}));
  for (std::size_t i = 2; i < uf.texts.size(); i += 2) {
    EXPECT_EQ(uf.texts[i].anchor, Anchor::kCentreTop);
  }
}

TEST(ChartLayoutTest, InALowPaneTheXAxisTitleKeepsBelowTheTickLabels) {
  // 640 × 380 with 15-unit text: half the margin down (361) would sit on the labels, which end
  // at 342 + 5 + 15.
  const ChartLayout l = LayoutChart(ChartExtentsFor(kEntry, Plot(0, 1)), {640, 380, 50, 15, 1});
  const ChartFrame f = LayoutChartFrame(l, NarrowText);
  EXPECT_EQ(f.texts[0].text, "time (s)");
  EXPECT_EQ(f.texts[0].at.y, 342 + 5 + 15 + 1);
  // Never past the bottom of the pane.
  const ChartLayout tiny = LayoutChart(ChartExtentsFor(kEntry, Plot(0, 1)), {300, 120, 30, 15, 1});
  EXPECT_LE(LayoutChartFrame(tiny, NarrowText).texts[0].at.y + 15, 120);
}

TEST(ChartLayoutTest, TheCurveTakesEachSamplesPhaseColourAndMapsColumnsToSamples) {
  const CTrajectoryStore store = StoreOf({{0, 100, 0, 7},  // no colour of its own: ink
                                          {100, 90},
                                          {100.01, 80},  // same column as the one before
                                          {200, 50, 0, kSampleFinalDescent},
                                          {250, 40, 0, 9},  // keeps the descent's green
                                          {300, 0, 0, kSampleFinalDescent}});
  const ChartLayout l = Layout(store, Plot(0, 1));
  const ChartCurve c = TraceChartCurve(store, l);
  ASSERT_EQ(c.runs.size(), 3u);
  EXPECT_EQ(c.runs[0].colour, kChartInk);
  EXPECT_EQ(c.runs[1].colour, (Colour{0, 0, 255}));
  EXPECT_EQ(c.runs[2].colour, *PhaseColour(3));
  EXPECT_EQ(c.runs[0].points.size(), 1u);
  // Each run starts where the one before ended: the line is unbroken.
  EXPECT_EQ(c.runs[1].points.front(), c.runs[0].points.back());
  EXPECT_EQ(c.runs[2].points.front(), c.runs[1].points.back());
  EXPECT_EQ(c.runs[2].points.size(), 4u);
  EXPECT_EQ(c.runs[0].points[0], (Point{70, 600 - 60 - static_cast<int>(100 * l.sy)}));

  ASSERT_EQ(c.sampleAtColumn.size(), 800u);
  const int column = l.PointOf(100, 0).x;
  EXPECT_EQ(l.PointOf(100.01, 0).x, column);
  EXPECT_EQ(c.sampleAtColumn[static_cast<std::size_t>(column)], 2);  // the later of the two
  EXPECT_EQ(c.sampleAtColumn[static_cast<std::size_t>(column + 1)], -1);
}

TEST(ChartLayoutTest, ValuesOffTheCurveAndAbsurdSamplesAreSkipped) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  CTrajectoryStore store = StoreOf({{0, 100}, {nan, 50}, {20, nan}, {30, 0}});
  const ChartLayout l = Layout(store, Plot(0, 1));
  const ChartCurve c = TraceChartCurve(store, l);
  ASSERT_EQ(c.runs.size(), 1u);
  EXPECT_EQ(c.runs[0].points.size(), 2u);

  // A pane smaller than its margins still has finite scales.
  const ChartLayout tiny = LayoutChart(ChartExtentsFor(kEntry, Plot(0, 1)), {30, 20, 40, 8, 1});
  EXPECT_EQ(tiny.pw, 1);
  EXPECT_TRUE(std::isfinite(tiny.sx) && std::isfinite(tiny.sy));
  EXPECT_EQ(TraceChartCurve(kEntry, tiny).sampleAtColumn.size(), 30u);
}

TEST(ChartReadoutTest, ReadsTheSampleInTheColumnOrBetweenItsNeighbours) {
  const ChartLayout l = Layout(kEntry, Plot(0, 1));
  const ChartCurve c = TraceChartCurve(kEntry, l);
  const int at150 = l.PointOf(150, 0).x;
  const ChartReadout hit = MapPixelToValues(kEntry, l, c.sampleAtColumn, at150);
  EXPECT_NEAR(hit.x, 150, 1 / l.sx);
  EXPECT_EQ(hit.y, 60000);
  // A quarter of the way from the first sample's column to the second's.
  const int first = l.PointOf(0, 0).x;
  const int between = first + (at150 - first) / 4;
  const ChartReadout mid = MapPixelToValues(kEntry, l, c.sampleAtColumn, between);
  EXPECT_NEAR(mid.y, 120000 - 60000.0 * (between - first) / (at150 - first), 1e-6);
  // Beyond the values plotted, and without results, both read 0.
  EXPECT_EQ(MapPixelToValues(kEntry, l, c.sampleAtColumn, 740).y, 0);
  EXPECT_EQ(MapPixelToValues(kEntry, l, c.sampleAtColumn, 740).x, 0);
  EXPECT_EQ(MapPixelToValues(CTrajectoryStore{}, l, c.sampleAtColumn, at150).x, 0);
  EXPECT_EQ(MapPixelToValues(kEntry, l, {}, at150).y, 0);  // a map of another size

  // Never-positive X: the value is read off the axis the curve is drawn on.
  const CTrajectoryStore descent = StoreOf({{0, 9000, -5}, {10, 5000, -45}, {20, 1000, -90}});
  const ChartLayout r = Layout(descent, Plot(2, 1));
  const ChartCurve rc = TraceChartCurve(descent, r);
  const ChartReadout back = MapPixelToValues(descent, r, rc.sampleAtColumn, r.PointOf(-45, 0).x);
  EXPECT_NEAR(back.x, -45, 1 / r.sx);
  EXPECT_EQ(back.y, 5000);
}

TEST(ChartCursorTest, CursorsCrossHairAndBandFollowTheLayout) {
  const ChartLayout l = Layout(kEntry, Plot(0, 1));
  const auto cursor = ChartCursor(kEntry, l, 1);
  ASSERT_TRUE(cursor);
  const Point p = l.PointOf(150, 60000);
  EXPECT_EQ(cursor->foot, (Point{p.x, l.y0}));
  EXPECT_EQ(cursor->corner, p);
  EXPECT_EQ(cursor->end, (Point{l.x0, p.y}));
  // The animation's index may belong to a longer flight in another window.
  EXPECT_FALSE(ChartCursor(kEntry, l, 3));
  EXPECT_FALSE(ChartCursor(kEntry, l, -1));
  EXPECT_FALSE(ChartCursor(CTrajectoryStore{}, l, 0));

  const ChartCursorLines hair = ChartCrossHair(l, 250, 60000);
  EXPECT_EQ(hair.corner, (Point{250, p.y}));
  EXPECT_EQ(hair.foot.y, l.y0);
  const ChartBand band = SelectionBand(l, 300, 120);
  EXPECT_EQ(band.topLeft, (Point{120, 60}));
  EXPECT_EQ(band.bottomRight, (Point{300, 540}));
}

TEST(ChartZoomTest, ABandZoomsOntoItsValuesWithinThePlottedOnes) {
  ResultsViewState state = Plot(0, 1);
  const ChartLayout l = Layout(kEntry, state);
  // Dragged from 200 to 120: low is the value at 120, high at 200.
  const auto zoom = ZoomFromBand(l, 200, 120);
  ASSERT_TRUE(zoom);
  EXPECT_TRUE(zoom->on);
  EXPECT_DOUBLE_EQ(zoom->low, l.XAt(120));
  EXPECT_DOUBLE_EQ(zoom->high, l.XAt(200));
  EXPECT_FALSE(ZoomFromBand(l, 150, 150));

  // Past the end of the curve the band stops at the last value; wholly past it, no zoom.
  const auto past = ZoomFromBand(l, 400, 760);
  ASSERT_TRUE(past);
  EXPECT_DOUBLE_EQ(past->high, 300);
  EXPECT_FALSE(ZoomFromBand(l, 745, 760));
  EXPECT_FALSE(ZoomFromBand(l, 0, 60));  // wholly left of the axis

  // Zoomed, X spans exactly the zoom; Y keeps its rounded range; cursors outside it vanish.
  state.chartZoom = {true, 100, 200};
  const ChartLayout z = Layout(kEntry, state);
  EXPECT_EQ(z.extents.xmin, 100);
  EXPECT_EQ(z.extents.xrange, 100);
  EXPECT_EQ(z.extents.yrange, 120010);
  EXPECT_TRUE(ChartCursor(kEntry, z, 1));
  EXPECT_FALSE(ChartCursor(kEntry, z, 0));
  EXPECT_FALSE(ChartCursor(kEntry, z, 2));
  // A zoom within the zoom reads the zoomed axis.
  const auto nested = ZoomFromBand(z, z.lm, z.lm + z.pw / 2);
  ASSERT_TRUE(nested);
  EXPECT_NEAR(nested->low, 100, 1e-9);
  EXPECT_NEAR(nested->high, 150, 1e-9);
}

TEST(ChartVariablesTest, EachVariableReadsItsBodysFieldAndRange) {
  CTrajectorySample s;
  for (int n = 1; n <= kSampleFieldCount; ++n) SampleField(s, n) = n;
  // Payload: time, height, path, speed, Vx..Vz, rates, roll..yaw, force, angle of attack.
  const std::vector<double> payload = {1, 2, 3, 4, 5, 6, 7, 14, 15, 16, 8, 9, 10, 46, 19};
  const std::vector<double> parachute = {1, 20, 21, 22, 23, 24, 25, 29, 30, 31, 26, 27, 28, 46, 19};
  for (int v = 0; v < kStoredChartVariableCount; ++v) {
    EXPECT_EQ(ChartValue(s, v, 0), payload[static_cast<std::size_t>(v)]) << v;
    EXPECT_EQ(ChartValue(s, v, 1), parachute[static_cast<std::size_t>(v)]) << v;
  }
  CTrajectoryStore store;
  store.Append(s);
  store.ComputeRanges();
  ResultsViewState state = Plot(14, 1);
  state.chartBody = 1;
  const ChartExtents e = ChartExtentsFor(store, state);
  EXPECT_EQ(e.xmax, 19);
  EXPECT_EQ(e.ymax, 20);
}

// The tick labels of a frame, X first, Y after.
std::vector<std::string> TickLabels(const ChartLayout& l) {
  std::vector<std::string> texts;
  for (int i = 0; i <= l.extents.xTicks; ++i) {
    texts.push_back(XTickText(XTickValue(l.extents, i), l.extents.xDecimals));
  }
  texts.push_back("|");
  for (int i = 0; i <= l.extents.yTicks; ++i) {
    texts.push_back(YTickText(YTickValue(l.extents, i), l.extents.yDecimals));
  }
  return texts;
}

ResultsViewState With(ResultsViewState state, ChartSwitches switches) {
  state.chartSwitches = switches;
  return state;
}

TEST(ChartSwitchesTest, RoundTicksStepByOneTwoOrFiveTimesAPowerOfTen) {
  struct Case {
    double minimum, maximum;
    double low, high, step;
    int intervals, decimals;
  };
  for (const Case& c : std::vector<Case>{
           {0, 300, 0, 300, 50, 6, 0},
           {0, 120000, 0, 120000, 20000, 6, 0},
           {0, 12688, 0, 14000, 2000, 7, 0},
           {-90, -5, -90, 0, 10, 9, 0},           // all negative
           {-7630, 250, -8000, 1000, 1000, 9, 0},  // across zero
           {0.0012, 0.0047, 0.001, 0.005, 0.0005, 8, 4},
           {0.3, 0.6, 0.3, 0.6, 0.05, 6, 2},  // 0.3 / 0.05 falls a hair short of 6
           {5, 5, 5, 15, 1, 10, 0},            // nothing to span: ten units, as the plain axis
           {42, 41, 41, 42, 0.1, 10, 1},       // ends given the wrong way round
       }) {
    const std::optional<RoundTicks> t = RoundTicksFor(c.minimum, c.maximum);
    ASSERT_TRUE(t) << c.minimum << " " << c.maximum;
    EXPECT_NEAR(t->low, c.low, 1e-9 * c.step) << c.minimum << " " << c.maximum;
    EXPECT_NEAR(t->high, c.high, 1e-9 * c.step) << c.minimum << " " << c.maximum;
    EXPECT_DOUBLE_EQ(t->step, c.step) << c.minimum << " " << c.maximum;
    EXPECT_EQ(t->intervals, c.intervals) << c.minimum << " " << c.maximum;
    EXPECT_EQ(t->decimals, c.decimals) << c.minimum << " " << c.maximum;
  }
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(RoundTicksFor(0, inf));
  EXPECT_FALSE(RoundTicksFor(std::nan(""), 1));
  EXPECT_FALSE(RoundTicksFor(-1e308, 1e308));  // the span itself overflows
  // Past 2^53 ten units are lost in the value: a thousandth of it is spanned instead.
  const std::optional<RoundTicks> huge = RoundTicksFor(1e20, 1e20);
  ASSERT_TRUE(huge);
  EXPECT_GT(huge->high, huge->low);
  EXPECT_LE(huge->intervals, 10);
}

TEST(ChartSwitchesTest, RoundTicksLabelTheAxesInRoundNumbers) {
  const ChartLayout plain = Layout(kEntry, Plot(0, 1));
  const ChartLayout round = Layout(kEntry, With(Plot(0, 1), {true, false, false}));
  EXPECT_EQ(TickLabels(round),
            (std::vector<std::string>{"0", "50", "100", "150", "200", "250", "300", "|", " 0",
                                      "20000", "40000", "60000", "80000", "100000", "120000"}));
  EXPECT_EQ(round.extents.xrange, 300);
  // The frame draws the ticks it was given, every one labelled where there is room.
  const ChartFrame f = LayoutChartFrame(round, NarrowText);
  EXPECT_EQ(f.lines.size(), 2u + 7u + 7u);
  EXPECT_EQ(Labels(f, Anchor::kCentreTop).size(), 1u + 7u);
  EXPECT_EQ(Labels(f, Anchor::kRightBottom).size(), 7u);
  // The last tick sits at the end of the axis, as the plain one's does.
  EXPECT_EQ(round.PointOf(300, 0).x, plain.lm + plain.pw);

  // Small values keep the decimals their step needs; a landing just under zero reads 0.0.
  const CTrajectoryStore small = StoreOf({{0, 0.8}, {0.5, -0.01}, {1.2, 0.25}});
  const ChartLayout tiny = Layout(small, With(Plot(0, 1), {true, false, false}));
  EXPECT_EQ(TickLabels(tiny),
            (std::vector<std::string>{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0", "1.2", "|", "-0.1",
                                      "0.0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7",
                                      "0.8"}));
  EXPECT_EQ(YTickText(-0.00004, 4), "0.0000");
  EXPECT_EQ(YTickText(-0.00006, 4), "-0.0001");
  // Below the X axis's zero the X axis rises off the bottom, at the tick of zero.
  EXPECT_EQ(tiny.y0, tiny.height - tiny.mt - tiny.ph / 9);
}

TEST(ChartSwitchesTest, AZoomFitsYToTheSamplesItKeepsOnlyWhenAsked) {
  const CTrajectoryStore flight =
      StoreOf({{0, 120000}, {100, 80000}, {150, 60000}, {200, 3000}, {250, 1000}, {300, 0}});
  ResultsViewState state = Plot(0, 1);
  state.chartZoom = {true, 190, 260};
  EXPECT_EQ(Layout(flight, state).extents.yrange, 120010);  // today's: the whole flight

  state.chartSwitches.fitYToZoom = true;
  const ChartExtents fitted = Layout(flight, state).extents;
  EXPECT_EQ((std::vector{fitted.ymin, fitted.ymax, fitted.yrange}),
            (std::vector<double>{1000, 3000, 2010}));
  EXPECT_EQ(fitted.xmin, 190);  // X stays the zoom

  // With round ticks as well, both axes run between round values around the zoom.
  state.chartSwitches.roundTicks = true;
  const ChartExtents both = Layout(flight, state).extents;
  EXPECT_EQ((std::vector{both.ymin, both.ymax, both.xmin, both.xmax}),
            (std::vector<double>{1000, 3000, 190, 260}));
  EXPECT_EQ(both.yTicks, 10);

  // A zoom between samples keeps the whole flight's range; without a zoom the switch does
  // nothing.
  state.chartSwitches.roundTicks = false;
  state.chartZoom = {true, 101, 149};
  EXPECT_EQ(Layout(flight, state).extents.yrange, 120010);
  state.chartZoom.on = false;
  EXPECT_EQ(Layout(flight, state).extents.ymax, 120000);
  EXPECT_FALSE(YRangeWithin(flight, 0, 1, 0, 301, 400));
}

TEST(ChartSwitchesTest, GridLinesCrossThePlotAtTheTicksOffTheAxes) {
  EXPECT_TRUE(LayoutChartFrame(Layout(kEntry, Plot(0, 1)), NarrowText).grid.empty());
  const ChartLayout l = Layout(kEntry, With(Plot(0, 1), {false, false, true}));
  const ChartFrame f = LayoutChartFrame(l, NarrowText);
  // Ten of the eleven ticks on each axis: the first of each is on the other axis.
  ASSERT_EQ(f.grid.size(), 20u);
  EXPECT_EQ(f.lines, LayoutChartFrame(Layout(kEntry, Plot(0, 1)), NarrowText).lines);
  const Segment middleX{{400, 60}, {400, 540}, kChartGrid};
  const Segment middleY{{70, 300}, {730, 300}, kChartGrid};
  EXPECT_NE(std::find(f.grid.begin(), f.grid.end(), middleX), f.grid.end());
  EXPECT_NE(std::find(f.grid.begin(), f.grid.end(), middleY), f.grid.end());
  for (const Segment& s : f.grid) {
    EXPECT_NE(s.from.x == s.to.x ? s.from.x : s.from.y, s.from.x == s.to.x ? l.x0 : l.y0);
  }

  // With a negative range the X axis rises into the plot: no grid line is drawn over it, and the
  // round ticks give the grid its lines.
  const CTrajectoryStore below = StoreOf({{0, 600}, {10, -350}, {20, 100}});
  const ChartLayout r = Layout(below, With(Plot(0, 1), {true, false, true}));
  const ChartFrame g = LayoutChartFrame(r, NarrowText);
  EXPECT_EQ(g.grid.size(), static_cast<std::size_t>(r.extents.xTicks + r.extents.yTicks));
  for (const Segment& s : g.grid) {
    if (s.from.y == s.to.y) {
      EXPECT_NE(s.from.y, r.y0);
    }
  }
}

}  // namespace
}  // namespace plumora::gui
