#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "gui/logic/draw/Contrast.h"
#include "gui/logic/track/TrackLandings.h"

namespace plumora::gui {
namespace {

// A planet on which a degree is 100 km along a meridian, on a map of one pixel per degree.
constexpr double kRadius = 18000000.0 / M_PI;  // m
constexpr int kWidth = 360, kHeight = 180;

TEST(TrackLandingsTest, LandingsAndEllipsesLieWhereTheMapPutsThem) {
  // Five landings along the equator, 100 km (a degree) apart, and a nominal landing among them.
  LandingCloud cloud;
  for (int k = -2; k <= 2; ++k) cloud.points.push_back({0.5, 20.5 + k});
  cloud.radius = kRadius;
  const TrackLandings l = LayoutTrackLandings(cloud, LandingPoint{0.5, 21.5}, kWidth, kHeight);
  ASSERT_EQ(l.points.points.size(), 5U);
  EXPECT_EQ(l.points.points[0], (Point{198, 89}));
  EXPECT_EQ(l.points.colour, kMapLandings);
  ASSERT_EQ(l.nominalCross.size(), 2U);
  EXPECT_EQ((l.nominalCross[0].from.x + l.nominalCross[0].to.x) / 2, 201);

  // σ along the equator is √2.5 degrees: the 3σ outline reaches 4.74° either side of the mean.
  ASSERT_EQ(l.threeSigma.size(), 1U);
  const std::vector<Point>& outline = l.threeSigma[0].points;
  const auto [west, east] = std::minmax_element(outline.begin(), outline.end(),
                                                [](Point a, Point b) { return a.x < b.x; });
  EXPECT_NEAR(east->x - 200.5, 3.0 * std::sqrt(2.5), 1.0);
  EXPECT_NEAR(200.5 - west->x, 3.0 * std::sqrt(2.5), 1.0);
  // No spread across the track: the outline stays on the landings' row.
  for (const Point& p : outline) EXPECT_NEAR(p.y, 89, 1);
  ASSERT_EQ(l.oneSigma.size(), 1U);
  EXPECT_EQ(l.oneSigma[0].colour, kMapOneSigma);

  // Every colour stands out on the three maps' darkest and lightest grounds as on the cyan line.
  for (Colour c : {kMapLandings, kMapOneSigma, kMapThreeSigma}) {
    EXPECT_GE(ContrastRatio(c, Colour{0, 0, 80}), kReadableContrast);
  }
}

TEST(TrackLandingsTest, AnEllipseAcrossTheDateLineSplitsAtTheEdges) {
  const std::vector<Polyline> pieces = EllipseOnMap(EllipseAxes{300.0, 300.0, 0.0}, 0.0, 179.0,
                                                    kRadius, kWidth, kHeight, kMapOneSigma);
  ASSERT_GE(pieces.size(), 2U);
  for (const Polyline& piece : pieces) {
    for (std::size_t i = 1; i < piece.points.size(); ++i) {
      EXPECT_LE(std::abs(piece.points[i].x - piece.points[i - 1].x), kWidth / 2);
    }
  }
}

TEST(TrackLandingsTest, FewOrNoLandingsDrawNoEllipse) {
  LandingCloud one;
  one.points = {{10.0, 20.0}};
  one.radius = kRadius;
  const TrackLandings single = LayoutTrackLandings(one, std::nullopt, kWidth, kHeight);
  EXPECT_EQ(single.points.points.size(), 1U);
  EXPECT_TRUE(single.oneSigma.empty());
  EXPECT_TRUE(single.threeSigma.empty());
  EXPECT_TRUE(single.nominalCross.empty());
  const TrackLandings none = LayoutTrackLandings({}, std::nullopt, kWidth, kHeight);
  EXPECT_TRUE(none.points.points.empty());
  EXPECT_TRUE(none.threeSigma.empty());
  // Without a radius there is no scale to draw an ellipse at.
  EXPECT_TRUE(EllipseOnMap(EllipseAxes{1.0, 1.0, 0.0}, 0.0, 0.0, std::nan(""), kWidth, kHeight,
                           kMapOneSigma)
                  .empty());
}

}  // namespace
}  // namespace plumora::gui
