// The three scenes drawn off-screen with the bundled models, checked in pixels: what each shows
// on its background, the triad, the canopy and riser of the final descent only, the planet with
// its heading arrow, the light, and a canopy that a globe drawn before must not colour.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "core/common/Prompter.h"
#include "core/flight/TrajectoryStore.h"
#include "gl/HeadlessContext.h"
#include "gl/Scenes.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

constexpr int kWidth = 240, kHeight = 180;

struct Pixel {
  int r, g, b;
  // Within one step of each channel: clear colours may round either way.
  bool operator==(const Pixel& o) const {
    return std::abs(r - o.r) <= 1 && std::abs(g - o.g) <= 1 && std::abs(b - o.b) <= 1;
  }
};

class SceneDrawTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const Result<> made = HeadlessContext::Create(kWidth, kHeight, context_);
    ASSERT_TRUE(made) << made.message();
    scene_ = std::make_unique<CGLScene>();
    SilentPrompter prompter;
    ASSERT_TRUE(scene_->CreateContext(context_->gl(), test::DataFolder(), prompter));
    CGLScene::InitContextState(context_->gl());
    projection_.Update(context_->gl(), kWidth, kHeight);
  }
  static void TearDownTestSuite() {
    scene_.reset();
    context_.reset();
  }

  // Draws with draw and keeps the picture; the labels it gave back are in labels_.
  template <class Draw>
  void Render(Draw draw) {
    const SceneFrame frame{context_->gl(), *scene_, projection_};
    labels_ = draw(frame);
    rgba_ = context_->ReadRgba();
  }
  Pixel At(int x, int y) const {
    const std::size_t i = 4 * (static_cast<std::size_t>(y) * kWidth + x);
    return {rgba_[i], rgba_[i + 1], rgba_[i + 2]};
  }
  // Pixels of a colour within a box (x0 ≤ x < x1, y0 ≤ y < y1).
  template <class Test>
  int Count(Test test, int x0 = 0, int y0 = 0, int x1 = kWidth, int y1 = kHeight) const {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) n += test(At(x, y));
    }
    return n;
  }
  static bool Red(const Pixel& p) { return p.r > 150 && p.g < 80 && p.b < 80; }
  static bool Black(const Pixel& p) { return p.r < 40 && p.g < 40 && p.b < 40; }
  static bool Grey(const Pixel& p) { return p.r == p.g && p.g == p.b && p.r > 100 && p.r < 150; }
  static bool Blue(const Pixel& p) { return p.b > 200 && p.r < 60 && p.g < 60; }

  static std::unique_ptr<HeadlessContext> context_;
  static std::unique_ptr<CGLScene> scene_;
  static ViewProjection projection_;
  std::vector<std::uint8_t> rgba_;
  std::vector<SceneLabel> labels_;
};

std::unique_ptr<HeadlessContext> SceneDrawTest::context_;
std::unique_ptr<CGLScene> SceneDrawTest::scene_;
ViewProjection SceneDrawTest::projection_;

const Pixel kBodyBackground{179, 230, 230};

TEST_F(SceneDrawTest, TheVehicleSceneShowsTheBodyTheTriadAndItsLabels) {
  VehicleScene capsule;
  Render([&](const SceneFrame& f) { return DrawVehicleScene(f, capsule, nullptr); });
  EXPECT_EQ(At(2, 2), kBodyBackground);
  EXPECT_NE(At(kWidth / 2, kHeight / 2), kBodyBackground);
  // The triad: black arrows in the lower right quarter, none grey while every tip faces us.
  EXPECT_GT(Count(Black, kWidth / 2, kHeight / 2), 20);
  EXPECT_EQ(Count(Grey, kWidth / 2, kHeight / 2), 0);
  ASSERT_EQ(labels_.size(), 3u);
  EXPECT_GT(labels_[1].x, kWidth / 2);
  EXPECT_GT(labels_[1].y, kHeight / 2);
  const std::vector<std::uint8_t> capsulePicture = rgba_;

  // An unknown selector draws the capsule; turned half round, the y arrow is grey.
  capsule.selector = 7;
  Render([&](const SceneFrame& f) { return DrawVehicleScene(f, capsule, nullptr); });
  EXPECT_EQ(rgba_, capsulePicture);
  capsule.view.turn = 180.0f;
  Render([&](const SceneFrame& f) { return DrawVehicleScene(f, capsule, nullptr); });
  EXPECT_GT(Count(Grey, kWidth / 2, kHeight / 2), 2);

  // The light comes from where the pane says: from the side, the shield facing us darkens.
  VehicleScene lit;
  lit.yaw = 90.0f;  // nose towards the eye
  Render([&](const SceneFrame& f) { return DrawVehicleScene(f, lit, nullptr); });
  const Pixel front = At(kWidth / 2, kHeight / 2);
  lit.light = {1000.0f, 0.0f, 0.0f, 0.0f};
  Render([&](const SceneFrame& f) { return DrawVehicleScene(f, lit, nullptr); });
  EXPECT_LT(At(kWidth / 2, kHeight / 2).r + 20, front.r);
}

TEST_F(SceneDrawTest, StreaksDriftOnlyWhileTheAirflowIsOn) {
  CAirStreaks streaks;
  streaks.Reset(0.05, 3.0);  // dense enough that some cross the middle of a small view
  VehicleScene scene;
  scene.scale = 0.0f;  // no body in the way
  scene.air = {{0.0, 0.0, 1.0}, 0.05, true};
  Render([&](const SceneFrame& f) { return DrawVehicleScene(f, scene, &streaks); });
  EXPECT_GT(Count(Black, 0, 0, kWidth / 2, kHeight), 5);
  EXPECT_NE(streaks.streaks()[0].start.z, 0.0);
  const AirStreak first = streaks.streaks()[0];
  scene.air.on = false;
  Render([&](const SceneFrame& f) { return DrawVehicleScene(f, scene, &streaks); });
  EXPECT_EQ(streaks.streaks()[0].start.z, first.start.z);
  EXPECT_EQ(Count(Black, 0, 0, kWidth / 2, kHeight), 0);
}

TEST_F(SceneDrawTest, TheSystemShowsCanopyAndRiserInTheFinalDescentOnly) {
  CTrajectorySample sample;  // no records: defaults for both
  sample.parachuteOffsetX = -25.0;
  sample.phaseType = kSampleBallistic;
  SystemScene system;
  Render([&](const SceneFrame& f) { return DrawSystemScene(f, sample, system, nullptr); });
  EXPECT_EQ(Count(Red), 0);
  sample.phaseType = kSampleFinalDescent;
  Render([&](const SceneFrame& f) { return DrawSystemScene(f, sample, system, nullptr); });
  EXPECT_GT(Count(Red), 10);
  // The riser: black on the vertical midline between the canopy (above) and the payload.
  EXPECT_GT(Count(Black, kWidth / 2 - 2, kHeight / 2 - 10, kWidth / 2 + 3, kHeight / 2 + 10), 5);
  EXPECT_EQ(labels_.size(), 3u);
}

TEST_F(SceneDrawTest, TheGlobeShowsThePlanetTheTrackAndTheHeadingArrow) {
  GlobeScene globe;
  const double radius = PlanetModelRadius(0);
  const std::vector<Vec3> track = {PlanetCentredPosition(0.0, -20.0, 0.0, radius),
                                   PlanetCentredPosition(0.0, -10.0, 0.0, radius),
                                   PlanetCentredPosition(0.0, 0.0, 0.0, radius)};
  globe.track = track;
  globe.position = track.back();
  globe.heading = 90.0;  // east: to the right of the middle
  Render([&](const SceneFrame& f) {
    DrawGlobeScene(f, globe);
    return std::vector<SceneLabel>{};
  });
  EXPECT_EQ(At(1, 1), (Pixel{102, 102, 102}));
  EXPECT_GT(Count(Blue, kWidth / 2 + 2, 0, kWidth, kHeight), 10);
  EXPECT_EQ(Count(Blue, 0, 0, kWidth / 2 - 2, kHeight), 0);
  const auto yellow = [](const Pixel& p) { return p.r > 200 && p.g > 170 && p.b < 60; };
  EXPECT_GT(Count(yellow, 0, 0, kWidth / 2, kHeight), 5);
}

TEST_F(SceneDrawTest, AGlobeDrawnBeforeLeavesNoMapOnTheCanopyAndTheBorderFramesTheView) {
  VehicleScene canopy;
  canopy.selector = kSelectParachute;
  canopy.scale = 0.3f;
  Render([&](const SceneFrame& f) { return DrawVehicleScene(f, canopy, nullptr); });
  const std::vector<std::uint8_t> clean = rgba_;
  Render([&](const SceneFrame& f) {
    DrawGlobeScene(f, GlobeScene{});
    return DrawVehicleScene(f, canopy, nullptr);
  });
  EXPECT_EQ(rgba_, clean);

  Render([&](const SceneFrame& f) {
    DrawEmptyScene(f);
    DrawViewBorder(f, {255, 0, 0});
    return std::vector<SceneLabel>{};
  });
  EXPECT_EQ(At(0, 0), (Pixel{255, 0, 0}));
  EXPECT_EQ(At(kWidth - 1, kHeight - 1), (Pixel{255, 0, 0}));
  EXPECT_EQ(At(kWidth / 2, kHeight - 1), (Pixel{255, 0, 0}));
  EXPECT_EQ(At(kWidth - 1, 0), (Pixel{255, 0, 0}));
  EXPECT_EQ(At(0, kHeight - 1), (Pixel{255, 0, 0}));
  EXPECT_EQ(At(1, 1), kBodyBackground);
}

}  // namespace
}  // namespace plumora
