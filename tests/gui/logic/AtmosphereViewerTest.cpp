// The atmospheric data viewer without a window: which files it lists and reads, what it refuses,
// the plot's axes and curve, and the read-out under the pointer against the engine's query.
#include <gtest/gtest.h>

#include <cmath>

#include "core/common/Messages.h"
#include "gui/logic/viewers/AtmospherePlot.h"
#include "gui/logic/viewers/ViewerData.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;

constexpr Rect kRect{70, 90, 230, 350};

std::string TooManyPointsMessage() {
  char text[96];
  std::snprintf(text, sizeof text, kFmtTooManyAtmPoints, kMaxAtmospherePoints);
  return text;
}

// Rows at 0, 1000, 2000 m with the temperatures given and a constant calm wind.
test::AtmText Temperatures(std::vector<double> kelvin) {
  test::AtmText atm;
  for (std::size_t i = 0; i < kelvin.size(); ++i) {
    atm.rows.push_back({1000.0 * i, 1.0 / (1.0 + i), kelvin[i], 0.0, 0.0});
  }
  return atm;
}

AtmosphereTable Read(const test::AtmText& atm) {
  test::TempDir dir;
  test::WriteFile(dir / "t.atm", atm.Text());
  AtmosphereTable table;
  PlanetConstants constants;
  EXPECT_TRUE(ReadAtmosphereFile(dir / "t.atm", true, table, constants).ok());
  return table;
}

AtmospherePlot Plot(const AtmosphereTable& table, AtmosphereQuantity quantity) {
  // Labels five pixels a character: "300" is 15 wide, and the ticks 23 apart.
  return LayoutAtmospherePlot(
      table, ComputeAtmRanges(table), quantity, kRect,
      [](const std::string& text) { return 5 * static_cast<int>(text.size()); });
}

TEST(AtmosphereViewerData, ListsThePlanetsFilesAndReadsTheChosenOne) {
  test::TempDir base;
  test::AtmText second = test::SimpleAtmosphere(5);
  second.description = "Same name   ";
  test::AtmText first = test::SimpleAtmosphere(3);
  first.description = "Same name";
  first.lineEnd = "\r\n";
  test::AtmText unnamed = test::SimpleAtmosphere(4);
  unnamed.description = "";
  test::WriteFile(base / "atm/b.atm", second.Text());
  test::WriteFile(base / "atm/a.atm", first.Text());
  test::WriteFile(base / "atm/c.atm", unnamed.Text());
  test::WriteFile(base / "atm/m.atm", test::SimpleAtmosphere(7, "MARS").Text());

  RecordingPrompter prompter;
  AtmosphereViewerData data(base.path());
  data.Init(prompter);
  // Sorted by file name; trailing blanks dropped; a blank name shows the file's.
  ASSERT_EQ(data.datasets().size(), 3u);
  EXPECT_EQ(data.datasets()[0].description, "Same name");
  EXPECT_EQ(data.datasets()[1].description, "Same name");
  EXPECT_EQ(data.datasets()[2].description, "c.atm");
  EXPECT_EQ(data.table().pointCount, 3);
  // Each entry reads its own file, even under the same name.
  data.SelectDataset(1, prompter);
  EXPECT_EQ(data.table().pointCount, 5);
  EXPECT_DOUBLE_EQ(data.ranges().height.maximum, 400.0);

  data.SelectPlanet(1, prompter);
  ASSERT_EQ(data.datasets().size(), 1u);
  EXPECT_EQ(data.table().pointCount, 7);
  EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();

  // No Titan file: nothing is plotted and the user is told, instead of seeing another
  // planet's air.
  data.SelectPlanet(2, prompter);
  EXPECT_TRUE(data.datasets().empty());
  EXPECT_EQ(data.table().pointCount, 0);
  EXPECT_EQ(prompter.Transcript(), "error: The atmospheric file was not opened\n");
  EXPECT_TRUE(Plot(data.table(), AtmosphereQuantity::kDensity).empty);
}

TEST(AtmosphereViewerData, PointCountsOutsideOneTo600AreRefusedAndShowNothing) {
  test::TempDir base;
  RecordingPrompter prompter;
  AtmosphereViewerData data(base.path());
  const auto load = [&](test::AtmText atm) {
    test::WriteFile(base / "atm/a.atm", atm.Text());
    prompter.Clear();
    data.Init(prompter);
    return data.table().pointCount;
  };
  EXPECT_EQ(load(test::SimpleAtmosphere(600)), 600);
  EXPECT_TRUE(prompter.entries().empty());

  EXPECT_EQ(load(test::SimpleAtmosphere(601)), 0);
  EXPECT_EQ(prompter.Transcript(), "error: " + TooManyPointsMessage());

  // A count past 32 bits must not wrap round to a small one.
  test::AtmText wrapping = test::SimpleAtmosphere(2);
  wrapping.declaredCount = 4294967298L;
  EXPECT_EQ(load(wrapping), 0);
  EXPECT_EQ(prompter.Transcript(), "error: " + TooManyPointsMessage());

  for (long count : {0L, -3L}) {
    test::AtmText atm = test::SimpleAtmosphere(2);
    atm.declaredCount = count;
    EXPECT_EQ(load(atm), 0);
    EXPECT_EQ(prompter.Transcript(), "error: The atmospheric file " +
                                         (base / "atm/a.atm").string() +
                                         " holds no data points (line 4)\n");
    // Not axes labelled from the empty ranges: nothing but "No data available".
    const AtmospherePlot plot = Plot(data.table(), AtmosphereQuantity::kTemperature);
    EXPECT_TRUE(plot.empty);
    EXPECT_TRUE(plot.labels.empty() && plot.curve.points.empty());
  }
}

TEST(AtmospherePlot, AxesLabelsAndTheFreezingLine) {
  const AtmosphereTable table = Read(Temperatures({300.0, 200.0, 150.0}));
  const AtmospherePlot t = Plot(table, AtmosphereQuantity::kTemperature);
  // 273 K crosses the plot: 70 + int(123 × 230 / 150).
  EXPECT_EQ(t.freezingLine, (Segment{{258, 90}, {258, 440}, kFreezingLineColour}));
  EXPECT_FALSE(Plot(table, AtmosphereQuantity::kDensity).freezingLine);
  EXPECT_FALSE(
      Plot(Read(Temperatures({250.0, 200.0})), AtmosphereQuantity::kTemperature).freezingLine);

  // Eleven labels per axis: the quantity's below the plot, heights in km on its left.
  ASSERT_EQ(t.labels.size(), 22u);
  ASSERT_EQ(t.ticks.size(), 22u);
  const auto label = [&t](std::size_t k) { return std::pair{t.labels[k].text, t.labels[k].at}; };
  EXPECT_EQ(label(0), (std::pair<std::string, Point>{"150", {70, 445}}));
  EXPECT_EQ(label(20), (std::pair<std::string, Point>{"300", {300, 445}}));
  EXPECT_EQ(label(1), (std::pair<std::string, Point>{"0.0", {65, 447}}));
  EXPECT_EQ(label(21), (std::pair<std::string, Point>{"2.0", {65, 97}}));
  EXPECT_EQ(t.labels[21].anchor, Anchor::kRightBottom);
  EXPECT_EQ(t.ticks[0].from, (Point{70, 440}));
  EXPECT_EQ(t.ticks[0].to, (Point{70, 443}));
  EXPECT_EQ(t.ticks[3].from, (Point{70, 125}));
  EXPECT_EQ(t.ticks[3].to, (Point{67, 125}));

  // The curve through the rows: bottom right, middle, top left.
  EXPECT_EQ(t.curve, (Polyline{{{300, 440}, {146, 265}, {70, 90}}, kAtmosphereCurveColour}));
}

TEST(AtmospherePlot, FlatQuantitiesAndTickTexts) {
  // A calm atmosphere's wind is a straight line in the middle of -1 to 1.
  const AtmospherePlot wind = Plot(Read(Temperatures({300.0, 200.0})), AtmosphereQuantity::kWindWE);
  EXPECT_EQ(wind.curve.points, (std::vector<Point>{{185, 440}, {185, 90}}));
  EXPECT_EQ(wind.labels[0].text, "-1.0");
  EXPECT_EQ(wind.labels[10].text, "0.0");
  EXPECT_EQ(wind.labels[20].text, "1.0");
  // The list names S-N before W-E; the file holds W-E (fourth number) before S-N.
  test::AtmText windy = Temperatures({300.0, 200.0});
  windy.rows[1].windWE = 8.0;
  windy.rows[1].windSN = -4.0;
  const AtmosphereTable t = Read(windy);
  EXPECT_EQ(QuantityOfSelection(2), AtmosphereQuantity::kWindSN);
  EXPECT_EQ(ComputeAtmRanges(t).quantity[2].minimum, -4.0);
  EXPECT_EQ(ComputeAtmRanges(t).quantity[3].maximum, 8.0);
  EXPECT_EQ(QuantityOfSelection(7), AtmosphereQuantity::kDensity);

  // Whole numbers while ticks stand a unit apart, then enough decimals to tell them apart.
  EXPECT_EQ(TickText(12.0, 15.0), "12");
  EXPECT_EQ(TickText(0.1225, 0.1225), "0.1");
  EXPECT_EQ(TickText(0.0137, 0.00137), "0.014");
  EXPECT_EQ(TickText(-0.0001, 0.01), "0.00");
  EXPECT_EQ(TickText(3e-9, 1e-9), "3e-09");
}

TEST(AtmospherePlot, ReadoutIsTheEnginesQueryAtThePointersHeight) {
  AtmosphereTable table;
  PlanetConstants constants;
  ASSERT_TRUE(
      ReadAtmosphereFile(test::DataFolder() / "atm/earth_us1976.atm", true, table, constants).ok());
  const AtmosphereTable& t = table;
  for (AtmosphereQuantity q : {AtmosphereQuantity::kDensity, AtmosphereQuantity::kTemperature}) {
    const AtmospherePlot plot = Plot(t, q);
    const double top = t.height[t.pointCount - 1];
    for (int row : {91, 200, 265, 439}) {
      const AtmosphereReadout r = LookupAtRow(plot, t, {150, row});
      // The pixel rows split the heights evenly from the bottom of the plot to its top.
      EXPECT_NEAR(r.height, (440 - row) * (top - t.height[0]) / 350.0, 1e-6);
      const AtmosphereSample air = QueryAtmosphere(t, r.height);
      EXPECT_EQ(r.value, q == AtmosphereQuantity::kDensity ? air.density : air.temperature);
      EXPECT_EQ(r.heightText, FormatValue("%.0f", r.height));
      ASSERT_TRUE(r.crossHair.has_value());
      EXPECT_EQ(r.crossHair->points,
                (std::vector<Point>{
                    {plot.ColumnOf(r.value), 440}, {plot.ColumnOf(r.value), row}, {70, row}}));
    }
  }
  // On a row a tabulated point is drawn in, the read-out is that point's value, near enough.
  const AtmospherePlot temperature = Plot(t, AtmosphereQuantity::kTemperature);
  const int row = temperature.curve.points[200].y;
  EXPECT_NEAR(LookupAtRow(temperature, t, {100, row}).value, t.temperature[200], 1.0);

  // Outside the plot, on its frame included, both fields read 0.
  for (Point outside :
       {Point{70, 200}, Point{150, 90}, Point{300, 200}, Point{150, 440}, Point{10, 10}}) {
    const AtmosphereReadout r = LookupAtRow(temperature, t, outside);
    EXPECT_EQ(r.heightText, "0");
    EXPECT_EQ(r.valueText, "0.00000");
    EXPECT_FALSE(r.crossHair);
  }
  EXPECT_EQ(ReadoutValueText(1.225), "1.22500");
  EXPECT_EQ(ReadoutValueText(1.84e-5), "1.84000e-05");
  EXPECT_EQ(ReadoutValueText(-0.002), "-2.00000e-03");
}

}  // namespace
}  // namespace plumora::gui
