#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "gui/logic/track/TrackLayout.h"

namespace plumora::gui {
namespace {

// Samples at (latitude, longitude) in degrees.
CTrajectoryStore Flight(std::initializer_list<std::pair<double, double>> positions) {
  CTrajectoryStore store;
  for (const auto& [latitude, longitude] : positions) {
    CTrajectorySample s;
    s.latitude = latitude;
    s.longitude = longitude;
    store.Append(s);
  }
  return store;
}

// The points of each stretch of a track line, all of which are in the line's colour.
using Stretches = std::vector<std::vector<Point>>;
Stretches Points(const std::vector<Polyline>& line) {
  Stretches points;
  for (const Polyline& stretch : line) {
    EXPECT_EQ(stretch.colour, kTrackLineColour);
    points.push_back(stretch.points);
  }
  return points;
}

TEST(TrackProjectionTest, TheMarkerSitsWhereTheEquirectangularMapPutsTheSample) {
  const CTrajectoryStore flight = Flight({{0.0, 0.0}});
  EXPECT_EQ(TrackMarker(flight, 0, 400, 200), (Rect{196, 96, 8, 8}));
  EXPECT_EQ(ProjectToMap(45.0, 90.0, 400, 200), (Point{300, 50}));
  EXPECT_EQ(ProjectToMap(-30.0, -180.0, 400, 200)->x, 0);
  // Odd sides: the halves are whole pixels, and the fraction is dropped.
  EXPECT_EQ(ProjectToMap(0.3, -0.3, 401, 201), (Point{199, 99}));
  // Beyond the map's edges: the same meridian, and the pole; not a number: nowhere.
  EXPECT_EQ(ProjectToMap(10.0, 370.0, 360, 180), ProjectToMap(10.0, 10.0, 360, 180));
  EXPECT_EQ(ProjectToMap(10.0, -540.0, 360, 180), ProjectToMap(10.0, 180.0, 360, 180));
  EXPECT_EQ(ProjectToMap(97.0, 0.0, 360, 180), (Point{180, 0}));
  EXPECT_FALSE(ProjectToMap(std::nan(""), 0.0, 360, 180));
  EXPECT_FALSE(TrackMarker(Flight({{0.0, std::nan("")}}), 0, 360, 180));
  // An index past the results, or before them, has no marker.
  EXPECT_FALSE(TrackMarker(flight, 1, 400, 200));
  EXPECT_FALSE(TrackMarker(flight, -1, 400, 200));
  EXPECT_FALSE(TrackMarker(CTrajectoryStore{}, 0, 400, 200));

  EXPECT_EQ(MapOfPlanet(1), PlanetMap::kMars);
  EXPECT_EQ(MapOfPlanet(2), PlanetMap::kTitan);
  EXPECT_EQ(MapOfPlanet(-1), PlanetMap::kTitan);
}

// On a 360 × 180 map one degree is one pixel: x = λ + 180, y = 90 − φ.
TEST(TrackLineTest, TheLineSplitsWhereTheFlightCrossesTheEdgeOfTheMap) {
  // Eastwards over the date line: the first stretch runs to the right edge, the second starts at
  // the left one, both at the latitude of the crossing (halfway between 10° and 12°).
  const CTrajectoryStore east = Flight({{8.0, 170.0}, {10.0, 179.0}, {12.0, -179.0}, {14, -170}});
  EXPECT_EQ(Points(TrackLine(east, 0, 3, 360, 180)),
            (Stretches{{{350, 82}, {359, 80}, {360, 79}}, {{0, 79}, {1, 78}, {10, 76}}}));
  // Westwards the other way round; a crossing a quarter of the way along.
  const CTrajectoryStore west = Flight({{0.0, -179.0}, {-4.0, 177.0}});
  EXPECT_EQ(Points(TrackLine(west, 0, 1, 360, 180)),
            (Stretches{{{1, 90}, {0, 91}}, {{360, 91}, {357, 94}}}));
  // Half a turn in one step is not a crossing; samples on one pixel add one point.
  const CTrajectoryStore straight = Flight({{0.0, 90.0}, {0.0, 90.25}, {0.0, -89.75}});
  EXPECT_EQ(Points(TrackLine(straight, 0, 2, 360, 180)), (Stretches{{{270, 90}, {90, 90}}}));
}

TEST(TrackLineTest, TheLineCoversTheSamplesAskedForAndBreaksAtOnesOffTheMap) {
  const CTrajectoryStore flight = Flight({{0, 0}, {0, 10}, {std::nan(""), 20}, {0, 30}, {0, 40}});
  EXPECT_EQ(Points(TrackLine(flight, 0, 4, 360, 180)),
            (Stretches{{{180, 90}, {190, 90}}, {{210, 90}, {220, 90}}}));
  EXPECT_EQ(Points(TrackLine(flight, 4, 99, 360, 180)), (Stretches{{{220, 90}}}));
  EXPECT_TRUE(TrackLine(CTrajectoryStore{}, 0, 10, 360, 180).empty());
}

TEST(TrackStepTest, AStepRepaintsBothMarkersAndTheLineBetweenThem) {
  const CTrajectoryStore flight = Flight({{0, 0}, {0, 10}, {20, 30}, {0, 40}});
  // Without the line: the two marker boxes and a pixel round them.
  EXPECT_EQ(StepArea(flight, 0, 1, false, 360, 180), (Rect{175, 85, 21, 11}));
  // With it: everything the line drew between the two samples, whichever way the step went.
  EXPECT_EQ(StepArea(flight, 3, 1, true, 360, 180), (Rect{185, 69, 41, 27}));
  // From a sample the results no longer hold: only the new marker.
  EXPECT_EQ(StepArea(flight, 9, 0, false, 360, 180), (Rect{175, 85, 11, 11}));
  EXPECT_FALSE(StepArea(CTrajectoryStore{}, 0, 1, true, 360, 180));
}

}  // namespace
}  // namespace plumora::gui
