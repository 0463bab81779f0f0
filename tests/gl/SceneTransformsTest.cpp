// Where the 3D scenes put things, in numbers: planets and positions on them, the heading arrow,
// the cameras, the axis triad, the riser's ends, and the streaks' drift and wrap.
#include <gtest/gtest.h>

#include <cmath>

#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"
#include "gl/CAirStreaks.h"
#include "gl/SceneTransforms.h"
#include "support/VecExpect.h"

namespace plumora {
namespace {

using test::ExpectNear;

TEST(SceneTransforms, PlanetsAtTwoOverTheirRadiusUnknownOnesEarthAndPositionsOnThem) {
  EXPECT_DOUBLE_EQ(PlanetModelScale(0), 1.0 / 3189082.5);
  EXPECT_DOUBLE_EQ(PlanetModelScale(1), 1.0 / 1694950.0);
  EXPECT_DOUBLE_EQ(PlanetModelScale(2), 1.0 / 1287500.0);
  EXPECT_DOUBLE_EQ(PlanetModelScale(7), PlanetModelScale(0));
  EXPECT_EQ(PlanetModel(-1), SceneModel::kEarth);
  EXPECT_EQ(PlanetModel(1), SceneModel::kMars);
  EXPECT_EQ(PlanetModel(2), SceneModel::kTitan);
  // A point on the surface lands on the model's sphere of radius 2.
  const Vec3 p = PlanetCentredPosition(40.0, -30.0, 0.0, PlanetModelRadius(1));
  EXPECT_NEAR(Norm(PlanetModelScale(1) * p), 2.0, 1e-12);
  // Positions and their latitude and longitude agree.
  ExpectNear(PlanetCentredPosition(0.0, 0.0, 1000.0, 6378165.0), {6379165.0, 0.0, 0.0}, 1e-6);
  ExpectNear(PlanetCentredPosition(0.0, 90.0, 0.0, 2.0), {0.0, 2.0, 0.0}, 1e-12);
  ExpectNear(PlanetCentredPosition(90.0, 45.0, 0.0, 2.0), {0.0, 0.0, 2.0}, 1e-12);
  const LatLon where = LatitudeLongitude(PlanetCentredPosition(-33.5, 151.2, 2e5, 6378165.0));
  EXPECT_NEAR(where.latitude, -33.5, 1e-9);
  EXPECT_NEAR(where.longitude, 151.2, 1e-9);
}

TEST(SceneTransforms, TheHeadingArrowPointsAlongTheHeadingInTheLocalHorizontal) {
  const Vec3 p{2.0, 0.0, 0.0};
  const GlMatrix east = HeadingFrame(IdentityMatrix(), p, {0.0, 0.0}, 90.0);
  ExpectNear(TransformDirection(east, kAxisX), {0.0, 1.0, 0.0}, 1e-12);
  ExpectNear(TransformPoint(east, {}), p, 1e-12);
  const GlMatrix north = HeadingFrame(IdentityMatrix(), p, {0.0, 0.0}, 0.0);
  ExpectNear(TransformDirection(north, kAxisX), {0.0, 0.0, 1.0}, 1e-12);
  ExpectNear(TransformDirection(north, kAxisZ), {-1.0, 0.0, 0.0}, 1e-12);  // z is down
  // Away from the origin: east is (-sin lon, cos lon, 0), north-east halfway to north.
  const double lat = 40.0 * kDegToRad, lon = -30.0 * kDegToRad;
  const Vec3 eastThere{-std::sin(lon), std::cos(lon), 0.0};
  const Vec3 northThere{-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon),
                        std::cos(lat)};
  const GlMatrix ne = HeadingFrame(IdentityMatrix(), {}, {40.0, -30.0}, 45.0);
  ExpectNear(TransformDirection(ne, kAxisX), std::sqrt(0.5) * (eastThere + northThere), 1e-12);
}

TEST(SceneTransforms, CamerasShowTheBodyAndThePlanetTheWayTheyAreMeant) {
  // Unturned, the body's x axis points left, z up and y at the eye, from 28 units away.
  const GlMatrix camera = VehicleCamera(kVehicleDistance, 0.0, 0.0);
  ExpectNear(TransformPoint(camera, {}), {0.0, 0.0, -28.0}, 1e-12);
  ExpectNear(TransformDirection(camera, kAxisX), {-1.0, 0.0, 0.0}, 1e-12);
  ExpectNear(TransformDirection(camera, kAxisY), {0.0, 0.0, 1.0}, 1e-12);
  ExpectNear(TransformDirection(camera, kAxisZ), {0.0, 1.0, 0.0}, 1e-12);
  // A turn of 90° brings the body's x axis round to the eye; a tilt of 90° tips z towards it.
  ExpectNear(TransformDirection(VehicleCamera(28.0, 0.0, 90.0), kAxisX), {0.0, 0.0, 1.0}, 1e-12);
  ExpectNear(TransformDirection(VehicleCamera(28.0, 90.0, 0.0), kAxisZ), {0.0, 0.0, 1.0}, 1e-12);
  // The globe: longitude 0 on the equator faces the eye, north is up, at five times the model.
  const GlMatrix globe = GlobeCamera(0.0, 0.0, 1.0);
  ExpectNear(TransformPoint(globe, {2.0, 0.0, 0.0}), {0.0, 0.0, -100.0}, 1e-9);
  ExpectNear(TransformPoint(globe, {0.0, 0.0, 2.0}), {0.0, 10.0, -110.0}, 1e-9);
  ExpectNear(TransformPoint(GlobeCamera(0.0, 90.0, 2.0), {0.0, 2.0, 0.0}), {0.0, 0.0, -90.0}, 1e-9);
}

TEST(SceneTransforms, TheTriadStandsLowerRightItsLabelsBeyondItsTipsAndGreysTheAxisAway) {
  // The projection reaches OpenGL only through its table: with a table of no-ops the layout is
  // checked without a context, for a view of 800 × 600 pixels.
  ViewProjection projection;
  GlFunctions gl;
  gl.MatrixMode = [](GlEnum) {};
  gl.LoadMatrixd = [](const double*) {};
  gl.Viewport = [](GlInt, GlInt, GlSizei, GlSizei) {};
  ASSERT_TRUE(projection.Update(gl, 800, 600));

  // Unturned, the triad stands at 0.89 of the width and w / 9 above the bottom edge, at
  // (712, 511); its arrows, a tenth of the width at its distance, are 80 pixels long: x to the
  // left, z up, y at the eye. Each label's centre lies 9 pixels beyond its arrow's tip, so "z"
  // stands above its arrowhead, not on it; "y", coming at the eye off the view's middle, is
  // drawn a little outwards, and its label further out.
  const AxisGizmoLayout front = LayOutAxisGizmo(projection, 0.0, 0.0);
  EXPECT_NEAR(front.arrowLength, 0.1 * projection.W28(), 1e-12);
  EXPECT_NEAR(front.labelX[0], 623, 1);
  EXPECT_NEAR(front.labelY[0], 511, 1);
  EXPECT_GT(front.labelX[1], 712 + 9);
  EXPECT_GT(front.labelY[1], 511 + 9);
  EXPECT_NEAR(front.labelX[2], 712, 1);
  EXPECT_NEAR(front.labelY[2], 422, 1);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(front.behind[i]) << i;
  // The box kept clear of streaks holds the arrows and the labels, and stays inside the view.
  EXPECT_LE(front.box.left, 623 - 8);
  EXPECT_LE(front.box.top, 422 - 8);
  EXPECT_GE(front.box.right, 712 + 8);
  EXPECT_GE(front.box.bottom, 511 + 8);
  EXPECT_GT(front.box.left, 560);
  EXPECT_GT(front.box.top, 380);
  EXPECT_LE(front.box.right, 800);
  EXPECT_LE(front.box.bottom, 600);
  // Turned half round, y points away from the eye: only its arrow is grey; x now points right,
  // its tip 8 pixels from the edge, and its letter, which would stand beyond the view, stands at
  // the edge inside it.
  const AxisGizmoLayout back = LayOutAxisGizmo(projection, 0.0, 180.0);
  EXPECT_FALSE(back.behind[0]);
  EXPECT_TRUE(back.behind[1]);
  EXPECT_FALSE(back.behind[2]);
  EXPECT_EQ(back.labelX[0], 800 - 8);
  EXPECT_LE(back.box.right, 800);
  // In a small square preview the triad stands close to the bottom edge: its letters stay
  // inside, whole.
  ViewProjection preview;
  ASSERT_TRUE(preview.Update(gl, 198, 198));
  const AxisGizmoLayout small = LayOutAxisGizmo(preview, 0.0, 0.0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_LE(small.labelY[i], 198 - 8) << i;
    EXPECT_LE(small.labelX[i], 198 - 8) << i;
  }
  EXPECT_GT(small.labelY[1], small.labelY[0]);  // y still below x's letter, beyond its tip
  // A view not laid out yet has no extents: the labels go to its corner, not to a wild number.
  const AxisGizmoLayout none = LayOutAxisGizmo(ViewProjection(), 0.0, 0.0);
  EXPECT_EQ(none.labelX[0], 0);
  EXPECT_EQ(none.box.right, 0);
}

TEST(SceneTransforms, SamplesWithoutRecordsAreDrawnAsTheDefaultPayload) {
  CTrajectorySample sample;
  sample.confluenceX = -4.0;
  // No parachute record: the riser between the fixed defaults.
  RiserEnds ends = SystemRiserEnds(sample);
  ExpectNear(ends.payloadEnd, {-1.0, 0.0, 0.0}, 0.0);
  ExpectNear(ends.parachuteEnd, {14.0, 0.0, 0.0}, 0.0);
  // A parachute whose payload record is gone: the default payload's single strope.
  auto parachute = std::make_shared<CParachute>();
  parachute->link = {20.0, 0.0, 0.0};
  sample.parachute = parachute;
  ends = SystemRiserEnds(sample);
  ExpectNear(ends.payloadEnd, CPayload().stropeLink, 0.0);
  ExpectNear(ends.parachuteEnd, {20.0, 0.0, 0.0}, 0.0);
  EXPECT_EQ(PayloadOrDefault(nullptr).ModelScale(), 1.0);
  EXPECT_EQ(SelectorOfPayloadType(PayloadOrDefault(nullptr).typeIndex), 0);
  // Bridle legs (any kind but the single strope): the riser starts at the confluence point.
  auto payload = std::make_shared<CPayload>();
  payload->connectionKind = 2;
  payload->legCount = 1000;  // as a damaged file might hold
  sample.payload = payload;
  ExpectNear(SystemRiserEnds(sample).payloadEnd, {-4.0, 0.0, 0.0}, 0.0);
  EXPECT_EQ(BridleLegCount(*payload), kMaxLegs);
  payload->legCount = -3;
  EXPECT_EQ(BridleLegCount(*payload), 0);
  // Types outside the table draw the capsule.
  EXPECT_EQ(SelectorOfPayloadType(4), 4);
  EXPECT_EQ(SelectorOfPayloadType(5), 0);
  EXPECT_EQ(SelectorOfPayloadType(-1), 0);
}

TEST(AirStreaks, AStreakLeavingTheCubeComesBackWholeOnTheOtherSide) {
  EXPECT_DOUBLE_EQ(WrapStreakCoordinate(25.5, 25.0), -24.5);
  EXPECT_DOUBLE_EQ(WrapStreakCoordinate(-25.5, 25.0), 24.5);
  EXPECT_DOUBLE_EQ(WrapStreakCoordinate(80.0, 25.0), -20.0);  // more than once round
  EXPECT_DOUBLE_EQ(WrapStreakCoordinate(25.0, 25.0), 25.0);

  CAirStreaks field;
  field.Reset(kStreakDensity, kStreakHalfSize);
  ASSERT_EQ(field.streaks().size(), 125u);
  for (const AirStreak& s : field.streaks()) {
    EXPECT_LE(std::fabs(s.start.x), 25.0);
    EXPECT_LE(std::fabs(s.start.y), 25.0);
    EXPECT_LE(std::fabs(s.start.z), 25.0);
  }
  // Every streak moves the length it is given along the wind, whatever the wind's size.
  const std::vector<AirStreak> before = field.streaks();
  field.Advance({0.0, 0.0, -7600.0}, 2.0);
  for (std::size_t i = 0; i < before.size(); ++i) {
    const AirStreak& s = field.streaks()[i];
    ExpectNear(s.end - s.start, {0.0, 0.0, -2.0}, 1e-12);
    EXPECT_LE(std::fabs(s.end.z), 25.0);
    if (before[i].start.z - 2.0 >= -25.0) ExpectNear(s.start, before[i].start, 0.0);
  }
  // No wind, no drift.
  CAirStreaks calm;
  calm.Reset(kStreakDensity, kStreakHalfSize);
  calm.Advance({}, 2.0);
  for (std::size_t i = 0; i < before.size(); ++i) {
    ExpectNear(calm.streaks()[i].end, calm.streaks()[i].start, 0.0);
  }
}

TEST(AirStreaks, ScatterIsBoundedAndRepeatableAndLongStepsNeverStretchAStreak) {
  CAirStreaks a, b;
  a.Reset(1.0, kStreakHalfSize);
  EXPECT_EQ(a.streaks().size(), static_cast<std::size_t>(kMaxStreaks));
  b.Reset(1.0, kStreakHalfSize);
  ExpectNear(a.streaks()[17].start, b.streaks()[17].start, 0.0);
  a.Reset(kStreakDensity, 0.0);  // refused: the field stays
  EXPECT_EQ(a.streaks().size(), static_cast<std::size_t>(kMaxStreaks));
  // A step of four times the cube: each streak is still 200 units long, not a line across.
  a.Advance({1.0, 0.0, 0.0}, 200.0);
  for (const AirStreak& s : a.streaks()) {
    EXPECT_NEAR(s.end.x - s.start.x, 200.0, 1e-9);
    EXPECT_LE(std::fabs(s.end.x), 25.0);
  }
}

}  // namespace
}  // namespace plumora
