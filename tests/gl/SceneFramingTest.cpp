// How large the scenes draw things, in numbers: the framing of a subject at any view size, a
// canopy sized by its reference area with its lines meeting at its link, the distance the system
// view frames, and the streaks' length.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "core/common/Constants.h"
#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"
#include "gl/SceneFraming.h"
#include "gl/SceneTransforms.h"
#include "support/VecExpect.h"

namespace plumora {
namespace {

using test::ExpectNear;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A projection laid out for a view of width × height pixels without a context: its table
// reaches OpenGL only through these no-ops.
ViewProjection ProjectionOf(int width, int height) {
  GlFunctions gl;
  gl.MatrixMode = [](GlEnum) {};
  gl.LoadMatrixd = [](const double*) {};
  gl.Viewport = [](GlInt, GlInt, GlSizei, GlSizei) {};
  ViewProjection projection;
  (void)projection.Update(gl, width, height);
  return projection;
}

// The canopy model as the bundled mesh is made: a dome from the apex 3 m behind the skirt to the
// skirt of radius 4 m at the parachute's centre of gravity.
ShapeExtents CanopyModel() {
  ShapeExtents extents;
  extents.canopyProfile = {{-3.0, 0.0}, {-2.0, 2.98}, {0.0, 4.0}};
  extents.skirtX = 0.0;
  extents.skirtRadius = 4.0;
  extents.payload = {1.5, 1.2, 1.6, 1.7, 140.0};
  return extents;
}

TEST(SceneFraming, ASubjectFillsTheSameShareOfTheNarrowerSideOfAnyView) {
  // A sphere of radius r at distance d fills the half-angle a when r = d sin a: the vehicle
  // scene's 28 units away, the wide view's vertical half-angle is 7.5°.
  const double wide = FramingScale(ProjectionOf(640, 380), 28.0, 2.0, 1.0);
  EXPECT_NEAR(2.0 * wide, kFrameFill * 28.0 * std::sin(7.5 * kDegToRad), 1e-12);
  // Any wide view frames alike; a tall one by its width, a square one as a wide one.
  EXPECT_NEAR(FramingScale(ProjectionOf(1280, 720), 28.0, 2.0, 1.0), wide, 1e-12);
  EXPECT_NEAR(FramingScale(ProjectionOf(200, 200), 28.0, 2.0, 1.0), wide, 1e-12);
  const double slope = std::tan(7.5 * kDegToRad) * 0.5;
  EXPECT_NEAR(FramingScale(ProjectionOf(300, 600), 28.0, 2.0, 1.0),
              kFrameFill * 28.0 * slope / std::sqrt(1.0 + slope * slope) / 2.0, 1e-12);
  // Twice the reach, half the scale; twice as far, twice the scale; the zoom multiplies.
  EXPECT_NEAR(FramingScale(ProjectionOf(640, 380), 28.0, 4.0, 1.0), wide / 2.0, 1e-12);
  EXPECT_NEAR(FramingScale(ProjectionOf(640, 380), 56.0, 2.0, 1.0), wide * 2.0, 1e-12);
  EXPECT_NEAR(FramingScale(ProjectionOf(640, 380), 28.0, 2.0, 3.0), wide * 3.0, 1e-12);
  // Nothing to measure: the zoom alone.
  EXPECT_EQ(FramingScale(ProjectionOf(640, 380), 28.0, 0.0, 1.5), 1.5);
  EXPECT_EQ(FramingScale(ProjectionOf(640, 380), 28.0, kNaN, 1.5), 1.5);
  EXPECT_EQ(FramingScale(ViewProjection(), 28.0, 2.0, 1.0),
            FramingScale(ProjectionOf(9, 9), 28.0, 2.0, 1.0));
}

TEST(SceneFraming, PayloadsReachInMetresWhateverUnitsTheirMeshIsModelledIn) {
  const ShapeExtents extents = CanopyModel();
  EXPECT_EQ(PayloadReach(extents, 0), 1.5);
  EXPECT_EQ(PayloadReach(extents, 3), 1.7);
  // Mesh 4 is modelled at 40 units a metre, as the payload record scales it.
  CPayload rocket;
  rocket.typeIndex = 4;
  EXPECT_EQ(MetresPerModelUnit(4), rocket.ModelScale());
  EXPECT_DOUBLE_EQ(PayloadReach(extents, 4), 3.5);
  // Selectors outside the table are the capsule.
  EXPECT_EQ(PayloadReach(extents, 7), 1.5);
  EXPECT_EQ(PayloadReach(extents, -1), 1.5);

  // A payload keeps its size in metres where it fits, and shrinks only where it does not: the
  // 3.5 m rocket in the square preview, at the edges before; the zoom applies on top.
  const ViewProjection square = ProjectionOf(200, 200);
  EXPECT_EQ(PayloadScale(square, 1.5, 1.0), 1.0);
  EXPECT_EQ(PayloadScale(square, 1.5, 2.0), 2.0);
  const double fit = FramingScale(square, kVehicleDistance, 3.5, 1.0);
  EXPECT_LT(fit, 0.85);
  EXPECT_EQ(PayloadScale(square, 3.5, 1.0), fit);
  EXPECT_EQ(PayloadScale(square, 3.5, 2.0), 2.0 * fit);
}

TEST(SceneFraming, ACanopyIsAsWideAsItsReferenceAreaAndItsLinesMeetAtItsLink) {
  const ShapeExtents model = CanopyModel();
  // The Titan main canopy: 54 m² is a nominal diameter of 8.29 m.
  CParachute main;
  main.referenceArea = 54.0;
  main.link = {8.0, 0.0, 0.0};
  CanopyLayout canopy = LayOutCanopy(model, &main);
  EXPECT_NEAR(2.0 * 4.0 * canopy.size, std::sqrt(4.0 * 54.0 / std::numbers::pi), 1e-12);
  EXPECT_NEAR(Norm(canopy.skirt[0] - canopy.skirt[10]), 8.2919, 1e-4);
  // The lines leave the skirt at the gore seams and meet at the link: the stabiliser's 3 m link
  // keeps them short, clear of the payload below.
  ExpectNear(canopy.skirt[0], {0.0, 4.0 * canopy.size, 0.0}, 1e-12);
  ExpectNear(canopy.skirt[5], {0.0, 0.0, 4.0 * canopy.size}, 1e-12);
  ExpectNear(canopy.linesMeet, {8.0, 0.0, 0.0}, 0.0);
  CParachute stabiliser;
  stabiliser.referenceArea = 7.2;
  stabiliser.link = {3.0, 0.0, 0.0};
  ExpectNear(LayOutCanopy(model, &stabiliser).linesMeet, {3.0, 0.0, 0.0}, 0.0);
  // A drogue of 30 m² beside a main of 1500 m²: one seventh as wide.
  CParachute drogue, earthMain;
  drogue.referenceArea = 30.0;
  earthMain.referenceArea = 1500.0;
  EXPECT_NEAR(LayOutCanopy(model, &earthMain).size / LayOutCanopy(model, &drogue).size,
              std::sqrt(50.0), 1e-12);

  // The middle of canopy and lines is what a view of the canopy alone looks at: halfway from the
  // apex to the lines' meeting point, the farthest of both 8.5 m from it.
  CParachute modelSize;
  modelSize.referenceArea = 16.0 * std::numbers::pi;
  modelSize.link = {14.0, 0.0, 0.0};
  canopy = LayOutCanopy(model, &modelSize);
  EXPECT_NEAR(canopy.size, 1.0, 1e-12);
  ExpectNear(canopy.centre, {5.5, 0.0, 0.0}, 1e-12);
  EXPECT_NEAR(canopy.reach, 8.5, 1e-12);
  // A link off the axis moves the middle off it; the skirt's far side is then the farthest.
  modelSize.link = {0.0, 0.0, 10.0};
  canopy = LayOutCanopy(model, &modelSize);
  ExpectNear(canopy.centre, {-1.5, 0.0, 5.0}, 1e-12);
  EXPECT_NEAR(canopy.reach, std::hypot(1.5, 4.0 + 5.0), 1e-12);

  // No record, or an area or link that is no number: the model as made, its lines meeting where
  // the model's riser ends.
  for (double area : {0.0, -5.0, kNaN, std::numeric_limits<double>::infinity()}) {
    CParachute odd;
    odd.referenceArea = area;
    odd.link = {kNaN, 0.0, 0.0};
    canopy = LayOutCanopy(model, &odd);
    EXPECT_EQ(canopy.size, 1.0) << area;
    ExpectNear(canopy.linesMeet, kCanopyLinesMeet, 0.0);
  }
  canopy = LayOutCanopy(model, nullptr);
  EXPECT_EQ(canopy.size, 1.0);
  ExpectNear(canopy.linesMeet, kCanopyLinesMeet, 0.0);
  // An area typed a million times too large stays a number the view can draw.
  CParachute huge;
  huge.referenceArea = 1e300;
  EXPECT_TRUE(std::isfinite(LayOutCanopy(model, &huge).reach));
}

TEST(SceneFraming, TheSystemViewFramesTheLinesRestLengthWithRoomToStretch) {
  // The Earth example's main canopy: strope link 1.2 m, riser 25 m, link 20 m.
  auto capsule = std::make_shared<CPayload>();
  capsule->stropeLink = {-1.2, 0.0, 0.0};
  auto main = std::make_shared<CParachute>();
  main->lineLength = 25.0;
  main->link = {20.0, 0.0, 0.0};
  CTrajectorySample sample;
  sample.parachuteOffsetX = -47.6;                   // the steady descent
  EXPECT_DOUBLE_EQ(FramedSeparation(sample), 47.6);  // no records: the sample's own
  sample.payload = capsule;
  sample.parachute = main;
  EXPECT_NEAR(FramedSeparation(sample), 1.1 * 46.2, 1e-12);
  sample.parachuteOffsetX = -3.7;  // just deployed: the frame does not jump
  EXPECT_NEAR(FramedSeparation(sample), 1.1 * 46.2, 1e-12);
  sample.parachuteOffsetX = -59.7;  // the snatch goes beyond, and the frame follows it
  EXPECT_DOUBLE_EQ(FramedSeparation(sample), 59.7);
  // Bridle legs: from the farthest leg point, along a leg, then the riser to the link.
  capsule->connectionKind = kBridleLegs;
  capsule->legCount = 2;
  capsule->legPoints[0] = {-2.0, 0.8, 0.0};
  capsule->legPoints[1] = {-2.0, -0.8, 0.0};
  capsule->legPoints[2] = {-90.0, 0.0, 0.0};  // not a leg: there are two
  capsule->legLength = 4.0;
  sample.parachuteOffsetX = 0.0;
  EXPECT_NEAR(FramedSeparation(sample), 1.1 * (std::hypot(2.0, 0.8) + 4.0 + 25.0 + 20.0), 1e-12);
  // A length that is no number leaves the sample's own.
  capsule->legLength = kNaN;
  sample.parachuteOffsetX = -30.0;
  EXPECT_DOUBLE_EQ(FramedSeparation(sample), 30.0);
  sample.parachuteOffsetY = kNaN;
  EXPECT_EQ(FramedSeparation(sample), 0.0);

  // Midway between the bodies: the payload's sphere half the separation one way, the canopy's
  // the other, whatever the attitudes.
  CanopyLayout canopy;
  canopy.centre = {5.0, 0.0, 0.0};
  canopy.reach = 10.0;
  EXPECT_DOUBLE_EQ(SystemReach(50.0, 1.5, &canopy), 25.0 + 5.0 + 10.0);
  EXPECT_DOUBLE_EQ(SystemReach(50.0, 1.5, nullptr), 26.5);
  EXPECT_DOUBLE_EQ(SystemReach(0.0, 20.0, &canopy), 20.0);
}

TEST(SceneFraming, StreaksAreAsLongAsTheAirIsFastWithinBounds) {
  // A share of the view's height at the distance the streaks are drawn: 2 d tan 7.5°.
  const double height28 = 2.0 * 28.0 * std::tan(7.5 * kDegToRad);
  EXPECT_NEAR(StreakLength(7.0, 28.0), 0.0105 * height28, 1e-12);   // under a main canopy
  EXPECT_NEAR(StreakLength(50.0, 28.0), 0.075 * height28, 1e-12);   // under a drogue
  EXPECT_NEAR(StreakLength(80.0, 28.0), 0.12 * height28, 1e-12);    // the cap is reached
  EXPECT_NEAR(StreakLength(7600.0, 28.0), 0.12 * height28, 1e-12);  // entry
  EXPECT_NEAR(StreakLength(1.0, 28.0), 0.01 * height28, 1e-12);     // still seen
  EXPECT_NEAR(StreakLength(kNaN, 28.0), 0.01 * height28, 1e-12);
  // The system scene is drawn from 210 units: the same share of its view.
  EXPECT_NEAR(StreakLength(50.0, 210.0) / StreakLength(50.0, 28.0), 7.5, 1e-12);
}

}  // namespace
}  // namespace plumora
