// The aerodynamic data viewer without a window: the files it reads and refuses, the ranges and
// axes of its plot, the lookups it samples, and the read-out under the pointer.
#include <gtest/gtest.h>

#include <cmath>

#include "core/common/Constants.h"
#include "core/common/Messages.h"
#include "gui/logic/viewers/AeroPlot.h"
#include "gui/logic/viewers/ViewerData.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 250;

void ExpectNear(const AeroCoefficientSet& a, const AeroCoefficientSet& b) {
  for (int j = 0; j < kCoefficientCount; ++j) EXPECT_NEAR(a[j], b[j], 1e-12) << j;
}

int SixPixelsAChar(const std::string& text) {
  return 6 * static_cast<int>(text.size());
}

AeroDatabase Read(const test::AdfText& adf) {
  test::TempDir dir;
  test::WriteFile(dir / "t.adf", adf.Text());
  AeroDatabase db;
  EXPECT_TRUE(ReadAeroFile(dir / "t.adf", "t.adf", db).ok());
  return db;
}

AeroPlot Plot(const AeroDatabase& db, const AeroViewSettings& settings) {
  return LayoutAeroPlot(db, settings, kWidth, kHeight, SixPixelsAChar);
}

// The labels of one anchor, in order.
std::vector<AnchoredText> Labels(const AeroPlot& p, Anchor anchor) {
  std::vector<AnchoredText> labels;
  for (const AnchoredText& t : p.labels) {
    if (t.anchor == anchor) labels.push_back(t);
  }
  return labels;
}
std::vector<std::string> Texts(const std::vector<AnchoredText>& labels) {
  std::vector<std::string> texts;
  for (const AnchoredText& t : labels) texts.push_back(t.text);
  return texts;
}

TEST(AeroViewerData, ReadsTheChosenFileAndEmptiesTheTablesOnARefusal) {
  test::TempDir base;
  RecordingPrompter prompter;
  AeroViewerData none(base.path());
  none.Init(prompter);
  EXPECT_EQ(prompter.Transcript(), "error: Aerodynamic file not opened during init\n");
  EXPECT_TRUE(Plot(none.database(), none.settings).empty);

  test::AdfText good = test::SimpleAero(2, 3);
  good.comment = "Capsule tables \t  ";
  test::AdfText tooMany = test::SimpleAero(2, 3);
  tooMany.declaredMachCount = 16;
  test::WriteFile(base / "adf/a.adf", good.Text());
  test::WriteFile(base / "adf/b.adf", tooMany.Text());
  prompter.Clear();
  AeroViewerData data(base.path());
  data.Init(prompter);
  EXPECT_EQ(data.files(), (std::vector<std::string>{"a.adf", "b.adf"}));
  EXPECT_EQ(data.comment(), "Capsule tables");
  EXPECT_EQ(data.database().machCount, 2);

  data.SelectFile(1, prompter);
  EXPECT_EQ(prompter.Transcript(), "error: Too much mach points in b.adf\n");
  EXPECT_TRUE(Plot(data.database(), data.settings).empty);

  // A file that went away since the list was made.
  std::filesystem::remove(base / "adf/a.adf");
  prompter.Clear();
  data.SelectFile(0, prompter);
  EXPECT_EQ(prompter.Transcript(), "error: Aerodynamic file not opened\n");
  EXPECT_EQ(data.comment(), "");
}

TEST(AeroPlot, RangesIncludeZeroAndTheCurvesSpanTheWholeAxis) {
  // Cx = 1 + Mach + angle/100 is positive everywhere: the Y axis still starts at 0.
  const AeroDatabase db = Read(test::SimpleAero(3, 5));
  AeroViewSettings s;
  s.mach = 1.0;
  const AeroRanges r = ComputeAeroRanges(db, s);
  EXPECT_EQ(r.x.minimum, 0.0);
  EXPECT_NEAR(r.x.maximum, 20.0 * kDegToRad, 1e-7);
  EXPECT_EQ(r.y.minimum, 0.0);
  EXPECT_NEAR(r.y.maximum, 2.2, 1e-6);

  const AeroPlot p = Plot(db, s);
  EXPECT_EQ(p.x0, p.left);
  EXPECT_EQ(p.y0, kHeight - 25);
  // The curve runs from the Y axis to the right end of the X axis.
  const std::vector<Point>& cx = p.curves[kCx].points;
  ASSERT_EQ(cx.size(), 101u);
  EXPECT_EQ(p.curves[kCx].colour, kCoefficientColours[kCx]);
  EXPECT_TRUE(p.curves[kCz].points.empty());
  EXPECT_EQ(cx.front().x, p.left);
  EXPECT_NEAR(cx.back().x, kWidth - 25, 1);
  EXPECT_NEAR(cx.back().y, 25, 1);

  // Nothing shown: a flat Y range becomes -1 to 1 and the X axis sits in the middle.
  s.shown = {};
  const AeroPlot flat = Plot(db, s);
  EXPECT_EQ(flat.ranges.y.minimum, -1.0);
  EXPECT_EQ(flat.y0, kHeight / 2);
  // Its labels stay along the bottom of the plot, off the curves, with ticks there too.
  for (const AnchoredText& t : Labels(flat, Anchor::kCentreTop)) EXPECT_EQ(t.at.y, kHeight - 20);
  EXPECT_EQ(flat.ticks.size(), 33u);
}

TEST(AeroPlot, AxisLabelsAndTheirRoom) {
  // Angles 0 to 0.5 rad: the last X label reads degrees.
  test::AdfText adf = test::SimpleAero(2, 2);
  adf.angles = {0.0, 0.5 * kRadToDeg};
  AeroViewSettings s;
  AeroPlot p = Plot(Read(adf), s);
  // Ticks 24.5 pixels apart: a label of four characters runs into one before it, kept two
  // pixels off, and is left out.
  std::vector<AnchoredText> x = Labels(p, Anchor::kCentreTop);
  EXPECT_EQ(Texts(x),
            (std::vector<std::string>{"0.0", "2.9", "5.7", "8.6", "11.5", "17.2", "22.9", "28.6"}));
  EXPECT_EQ(x.back().at, (Point{kWidth - 25, kHeight - 25 + 5}));
  EXPECT_EQ(Labels(p, Anchor::kRightBottom).size(), 11u);

  // Y labels "%2.2f", right-aligned left of the Y axis, which moves right to make room.
  s.shown = {true, false, true, false, false, false};  // Cx and Cz: -0.5 to 2.25 at Mach 1
  s.mach = 1.0;
  p = Plot(Read(test::SimpleAero(2, 6)), s);
  const AnchoredText bottom = Labels(p, Anchor::kRightBottom).front();
  EXPECT_EQ(bottom.text, FormatValue("%2.2f", p.ranges.y.minimum));
  EXPECT_LT(p.ranges.y.minimum, 0.0);
  EXPECT_EQ(p.left, 6 * 5 + 6);  // "-0.50" and its gap
  EXPECT_EQ(bottom.at, (Point{p.x0 - 5, kHeight - 25 + 5}));
  for (const AnchoredText& t : p.labels) EXPECT_GE(t.at.x - SixPixelsAChar(t.text), 0);

  // With the Mach number on the X axis the labels are Mach numbers.
  s.machOnX = true;
  p = Plot(Read(test::SimpleAero(2, 6)), s);
  EXPECT_EQ(Labels(p, Anchor::kCentreTop).back().text, "1.0");
}

TEST(AeroPlot, LookupsAtTheEditsValuesAndUnderThePointer) {
  const AeroDatabase db = Read(test::SimpleAero(4, 8));
  AeroViewSettings s;
  s.machOnX = true;
  s.alphaDeg = 10.0;  // 0.174532925199433 rad
  for (double mach : {0.3, 1.25, 2.0}) {
    ExpectNear(CoefficientsAtX(db, s, mach), AeroCoefficients(db, mach, 0.174532925199433));
  }
  s.shown = {true, false, true, false, false, false};
  EXPECT_EQ(ReadAeroAt(Plot(db, s), db, s, {Plot(db, s).x0, 100})->text,
            "Mach 0.000: Cx 1.10000, Cz 0.00000");
  s.splines = true;
  ExpectNear(CoefficientsAtX(db, s, 1.25), AeroCoefficientsSpline(db, 1.25, 0.174532925199433));

  // The pointer's column stands for its X value; the read-out is the lookup there.
  const AeroPlot p = Plot(db, s);
  for (int column : {p.x0, p.x0 + 50, kWidth - 25}) {
    const std::optional<AeroReadout> r = ReadAeroAt(p, db, s, {column, 100});
    ASSERT_TRUE(r.has_value());
    EXPECT_NEAR(r->x, (column - p.x0) * 2.0 / (kWidth - 25 - p.left), 1e-12);
    EXPECT_EQ(r->coefficients, AeroCoefficientsSpline(db, r->x, 10.0 * kDegToRad));
    EXPECT_EQ(r->cursor.from, (Point{column, 25}));
  }
  EXPECT_FALSE(ReadAeroAt(p, db, s, {p.x0 - 1, 100}));
  EXPECT_FALSE(ReadAeroAt(p, db, s, {p.x0, kHeight - 24}));

  s.machOnX = false;
  s.mach = 1.0;
  const AeroPlot angles = Plot(db, s);
  EXPECT_EQ(ReadAeroAt(angles, db, s, {kWidth - 25, 100})->text.substr(0, 24),
            "Angle of attack 35.00\u00B0:");

  // An angle typed far beyond the table stays within reach of the painter.
  s.machOnX = true;
  s.alphaDeg = -1e300;
  const AeroPlot far = Plot(db, s);
  EXPECT_LE(far.left, kWidth / 2);
  for (const Point& point : far.curves[kCz].points) EXPECT_LE(std::abs(point.y), 100000 + kHeight);
}

}  // namespace
}  // namespace plumora::gui
