// What the 3D panes and previews hand their scenes: which sample fields, records that are gone,
// out-of-range types and modes, an index past the results, and the positions on the planet.
#include "gui/logic/scene/SceneInputs.h"

#include <gtest/gtest.h>

#include "support/VecExpect.h"

namespace plumora::gui {
namespace {

using test::ExpectNear;

const ViewAngles kView{10.0f, 20.0f};
const LightPosition kLight{1.0f, 2.0f, 500.0f, 0.0f};

class SceneInputsTest : public ::testing::Test {
 protected:
  SceneInputsTest() {
    for (int i = 0; i < 3; ++i) {
      CTrajectorySample s;
      s.time = 10.0 + 0.25 * i;
      s.payloadVx = 100.0 * i;
      s.payloadVz = -5.0 * i;
      s.payloadYaw = 1.0;
      s.payloadPitch = 2.0;
      s.payloadRoll = 3.0;
      s.parachuteYaw = 4.0;
      s.latitude = 10.0 * i;
      s.longitude = 20.0;
      s.payloadHeight = 1000.0;
      s.heading = 30.0 * i;
      doc.results.Append(s);
    }
  }
  SceneInputs Scene(DisplayMode mode, int index) {
    return ResultsScene(mode, doc, index, kView, kLight, track);
  }
  CPlumoraDoc doc;
  std::vector<Vec3> track;
};

TEST_F(SceneInputsTest, ThePayloadModeReadsTheSampleAndDrawsAGoneRecordAsTheCapsule) {
  // The first sample: no payload record, no speed.
  SceneInputs in = Scene(DisplayMode::k3DPayload, 0);
  ASSERT_EQ(in.kind, SceneKind::kVehicle);
  EXPECT_EQ(in.vehicle.selector, kSelectCapsule);
  EXPECT_EQ(in.vehicle.zoom, 1.0f);
  EXPECT_FALSE(in.vehicle.air.on);
  // Later samples: the air comes at the payload against its velocity, as fast as it flies.
  in = Scene(DisplayMode::k3DPayload, 2);
  EXPECT_TRUE(in.vehicle.air.on);
  ExpectNear(in.vehicle.air.wind, {-200.0, 0.0, 10.0}, 0.0);
  EXPECT_EQ(in.vehicle.yaw, 1.0f);
  // The record's type picks the mesh, which the scene frames whatever units it is modelled in;
  // a type outside the table is the capsule.
  auto payload = std::make_shared<CPayload>();
  payload->typeIndex = 4;
  doc.results = {};
  CTrajectorySample s;
  s.payload = payload;
  doc.results.Append(s);
  in = Scene(DisplayMode::k3DPayload, 0);
  EXPECT_EQ(in.vehicle.selector, 4);
  EXPECT_EQ(in.vehicle.zoom, 1.0f);
  EXPECT_EQ(MetresPerModelUnit(in.vehicle.selector), payload->ModelScale());
  payload->typeIndex = 12;
  in = Scene(DisplayMode::k3DPayload, 0);
  EXPECT_EQ(in.vehicle.selector, kSelectCapsule);
  EXPECT_EQ(MetresPerModelUnit(in.vehicle.selector), payload->ModelScale());
}

TEST_F(SceneInputsTest, TheParachuteModeShowsTheSamplesCanopyOrSaysThereIsNone) {
  // Ballistic samples (and imported ones) fly no parachute: the pane says so and draws nothing
  // of a canopy.
  SceneInputs in = Scene(DisplayMode::k3DParachute, 1);
  EXPECT_EQ(in.kind, SceneKind::kNone);
  EXPECT_EQ(in.notice, "No parachute in this phase");
  // Under a canopy: the record sizes it, the sample turns it, its air streams past.
  auto drogue = std::make_shared<CParachute>();
  drogue->referenceArea = 30.0;
  CTrajectorySample s = doc.results.SampleAt(1);
  s.phaseType = kSampleFinalDescent;
  s.parachute = drogue;
  s.parachuteVz = 50.0;
  doc.results.Append(s);
  in = Scene(DisplayMode::k3DParachute, 3);
  ASSERT_EQ(in.kind, SceneKind::kVehicle);
  EXPECT_TRUE(in.notice.empty());
  EXPECT_EQ(in.vehicle.selector, kSelectParachute);
  EXPECT_EQ(in.vehicle.parachute, drogue.get());
  EXPECT_EQ(in.vehicle.zoom, 1.0f);
  EXPECT_EQ(in.vehicle.yaw, 4.0f);
  EXPECT_TRUE(in.vehicle.air.on);
  ExpectNear(in.vehicle.air.wind, {0.0, 0.0, -50.0}, 0.0);
}

TEST_F(SceneInputsTest, TheSystemModeAndAnIndexPastTheResults) {
  SceneInputs in = Scene(DisplayMode::k3DSystem, 1);
  ASSERT_EQ(in.kind, SceneKind::kSystem);
  EXPECT_EQ(in.state, &doc.results.SampleAt(1));
  EXPECT_EQ(in.system.light, kLight);
  EXPECT_EQ(in.system.zoom, 1.0f);
  ExpectNear(in.system.air.wind, {-100.0, 0.0, 5.0}, 0.0);
  for (DisplayMode mode :
       {DisplayMode::k3DPayload, DisplayMode::k3DParachute, DisplayMode::k3DSystem}) {
    EXPECT_EQ(Scene(mode, 3).kind, SceneKind::kNone);
    EXPECT_TRUE(Scene(mode, 3).notice.empty());
    EXPECT_EQ(Scene(mode, -1).kind, SceneKind::kNone);
  }
  // The globe still shows, its position at the planet's centre.
  in = Scene(DisplayMode::k3DTrajectory, 3);
  ASSERT_EQ(in.kind, SceneKind::kGlobe);
  ExpectNear(in.globe.position, {}, 0.0);
  EXPECT_EQ(in.globe.heading, 0.0);
  EXPECT_TRUE(in.globe.track.empty());
}

TEST_F(SceneInputsTest, TheGlobeFollowsTheFlightFromThePlanetRadius) {
  doc.mission.environment.planet = kMars;
  SceneInputs in = Scene(DisplayMode::k3DTrajectory, 1);
  EXPECT_EQ(in.globe.planet, kMars);
  EXPECT_EQ(in.globe.heading, 30.0);
  EXPECT_EQ(in.globe.view.turn, 20.0f + 20.0f);  // the view's turn and where the flight began
  ASSERT_EQ(in.globe.track.size(), 2u);
  // Before an atmosphere file gave the radius, the one the globe is drawn for.
  ExpectNear(in.globe.position, PlanetCentredPosition(10.0, 20.0, 1000.0, 3389900.0), 1e-6);
  PlanetConstants read;
  read.radius = 3396000.0;
  doc.SetEnvironment(Environment(LoadedAtmosphere{nullptr, read}));
  in = Scene(DisplayMode::k3DTrajectory, 2);
  ExpectNear(in.globe.position, PlanetCentredPosition(20.0, 20.0, 1000.0, 3396000.0), 1e-6);
  ExpectNear(in.globe.track.front(), PlanetCentredPosition(0.0, 20.0, 1000.0, 3396000.0), 1e-6);
}

TEST(PreviewScene, EachModeShowsItsSceneFramedAtTheZoom) {
  std::array<std::array<double, 3>, 3> points{};
  PreviewState capsule(kPreviewCapsule);
  capsule.linesOn = true;
  capsule.lineCount = 2;
  capsule.linePoints = points.data();
  SceneInputs in = PreviewScene(capsule);
  ASSERT_EQ(in.kind, SceneKind::kVehicle);
  EXPECT_TRUE(in.vehicle.linesOn);
  // Payload mesh 4 is framed like any other: no scale of its own in the preview.
  PreviewState rocket(kPreviewPayloadMesh4);
  EXPECT_EQ(PreviewScene(rocket).vehicle.selector, 4);
  EXPECT_EQ(PreviewScene(rocket).vehicle.zoom, 1.0f);
  // The canopy: its own lines only, sized by the record the dialog hands it.
  PreviewState canopy(kPreviewParachute);
  canopy.linesOn = true;
  EXPECT_FALSE(PreviewScene(canopy).vehicle.linesOn);
  EXPECT_EQ(PreviewScene(canopy).vehicle.parachute, nullptr);
  canopy.canopy = std::make_shared<CParachute>();
  EXPECT_EQ(PreviewScene(canopy).vehicle.parachute, canopy.canopy.get());
  // The globe modes: the planet of the mode, the entry point on the globe's own radius.
  PreviewState mars(GlobeModeOfPlanet(kMars));
  mars.SetGlobePosition(12.0, -40.0, 75.0, 120000.0);
  in = PreviewScene(mars);
  ASSERT_EQ(in.kind, SceneKind::kGlobe);
  EXPECT_EQ(in.globe.planet, kMars);
  EXPECT_EQ(in.globe.heading, 75.0);
  EXPECT_EQ(in.globe.view.turn, -40.0f);
  ExpectNear(in.globe.position, PlanetCentredPosition(12.0, -40.0, 120000.0, 3389900.0), 1e-6);
  // The system: the preview's own final-descent record, at the zoom.
  PreviewState system(kPreviewSystem);
  system.RightDown(0, 0);
  system.Move(0, 10, false, true);
  in = PreviewScene(system);
  ASSERT_EQ(in.kind, SceneKind::kSystem);
  EXPECT_EQ(in.state, &system.system);
  EXPECT_FLOAT_EQ(in.system.zoom, 2.0f);
  EXPECT_FALSE(in.system.air.on);
}

}  // namespace
}  // namespace plumora::gui
