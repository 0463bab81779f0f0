// The three scenes drawn off-screen with the bundled models, checked in pixels: what each shows
// on its background, the triad over everything, the canopy and riser of the final descent only,
// whole canopies and unbroken lines at any size, streaks as long as the air is fast, the planet
// with its heading arrow, the light, and a canopy that a globe drawn before must not colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/common/Prompter.h"
#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"
#include "gl/HeadlessContext.h"
#include "gl/Scenes.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

constexpr int kWidth = 240, kHeight = 180;

struct Pixel {
  int r, g, b;
  // Within one step of each channel: clear colours may round either way.
  constexpr bool operator==(const Pixel& o) const {
    return std::abs(r - o.r) <= 1 && std::abs(g - o.g) <= 1 && std::abs(b - o.b) <= 1;
  }
};

constexpr Pixel kBodyBackground{179, 230, 230};

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
  void RenderVehicle(const VehicleScene& scene, CAirStreaks* streaks = nullptr) {
    Render([&](const SceneFrame& f) { return DrawVehicleScene(f, scene, streaks); });
  }
  // Draws into a view of width × height pixels (no larger than the context's) standing at the
  // picture's top left, and keeps the triad's box of an unturned view; then lays the fixture's
  // own view out again.
  template <class Draw>
  void RenderSized(int width, int height, Draw draw) {
    ViewProjection sized;
    (void)sized.Update(context_->gl(), width, height);
    triadBox_ = LayOutAxisGizmo(sized, 0.0, 0.0).box;
    const SceneFrame frame{context_->gl(), *scene_, sized};
    labels_ = draw(frame);
    rgba_ = context_->ReadRgba();
    projection_.Invalidate();
    (void)projection_.Update(context_->gl(), kWidth, kHeight);
  }
  void RenderSized(int width, int height, const VehicleScene& scene) {
    RenderSized(width, height,
                [&](const SceneFrame& f) { return DrawVehicleScene(f, scene, nullptr); });
  }
  // Pixels other than the background in the two outermost rows and columns of a view of
  // width × height, leaving out the triad's corner.
  int EdgePixels(int width, int height) const {
    int n = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool edge = x < 2 || y < 2 || x >= width - 2 || y >= height - 2;
        const bool triad = x >= triadBox_.left && x < triadBox_.right && y >= triadBox_.top &&
                           y < triadBox_.bottom;
        n += edge && !triad && !(At(x, y) == kBodyBackground);
      }
    }
    return n;
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
  PixelBox triadBox_;
};

std::unique_ptr<HeadlessContext> SceneDrawTest::context_;
std::unique_ptr<CGLScene> SceneDrawTest::scene_;
ViewProjection SceneDrawTest::projection_;

TEST_F(SceneDrawTest, TheVehicleSceneShowsTheBodyTheTriadAndItsLabels) {
  VehicleScene capsule;
  RenderVehicle(capsule);
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
  RenderVehicle(capsule);
  EXPECT_EQ(rgba_, capsulePicture);
  capsule.view.turn = 180.0f;
  RenderVehicle(capsule);
  EXPECT_GT(Count(Grey, kWidth / 2, kHeight / 2), 2);

  // The light comes from where the pane says: from the side, the shield facing us darkens.
  VehicleScene lit;
  lit.yaw = 90.0f;  // nose towards the eye
  RenderVehicle(lit);
  const Pixel front = At(kWidth / 2, kHeight / 2);
  lit.light = {1000.0f, 0.0f, 0.0f, 0.0f};
  RenderVehicle(lit);
  EXPECT_LT(At(kWidth / 2, kHeight / 2).r + 20, front.r);
}

TEST_F(SceneDrawTest, StreaksDriftOnlyWhileTheAirflowIsOn) {
  CAirStreaks streaks;
  streaks.Reset(0.05, 3.0);  // dense enough that some cross the middle of a small view
  VehicleScene scene;
  scene.zoom = 0.0f;  // no body in the way
  scene.air = {{0.0, 0.0, 1.0}, true};
  RenderVehicle(scene, &streaks);
  EXPECT_GT(Count(Black, 0, 0, kWidth / 2, kHeight), 5);
  EXPECT_NE(streaks.streaks()[0].start.z, 0.0);
  const AirStreak first = streaks.streaks()[0];
  scene.air.on = false;
  RenderVehicle(scene, &streaks);
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

TEST_F(SceneDrawTest, TheBundledShapesAreMeasuredForFramingAsTheyAreMade) {
  const ShapeExtents& e = scene_->Extents();
  // The canopy alone, 8 m across its skirt at its centre of gravity, its vent 2.985 m behind:
  // its lines are drawn by the scenes, not modelled out to a fixed point.
  EXPECT_NEAR(e.skirtRadius, 4.0, 1e-5);
  EXPECT_NEAR(e.skirtX, 0.0, 1e-5);
  double apex = 0.0;
  for (const auto& [x, r] : e.canopyProfile) {
    apex = std::min(apex, x);
    EXPECT_LE(r, 4.0 + 1e-5);
    EXPECT_LE(x, 1e-5);
  }
  EXPECT_NEAR(apex, -3.0 * std::cos(std::asin(0.1)), 1e-5);
  // The 2.8 m capsule, and the 6 m rocket in metres, not in the units it is modelled in.
  EXPECT_GT(PayloadReach(e, 0), 1.4);
  EXPECT_LT(PayloadReach(e, 0), 2.5);
  EXPECT_GT(PayloadReach(e, 4), 3.0);
  EXPECT_LT(PayloadReach(e, 4), 4.0);
}

TEST_F(SceneDrawTest, AWholeCanopyWithItsLinesStaysInTheViewAtAnySizeAndAttitude) {
  // A drogue, the Earth example's main and Titan's stabiliser, in the wide view and in a square
  // one, turned five ways: nothing of them reaches the edges.
  const std::array<double, 2> chutes[] = {{30.0, 8.0}, {1500.0, 20.0}, {7.2, 3.0}};
  const float attitudes[][3] = {{0, 0, 0}, {0, 90, 0}, {0, -90, 0}, {90, 0, 0}, {35, 50, 20}};
  for (int width : {kWidth, kHeight}) {
    for (const auto& [area, link] : chutes) {
      CParachute record;
      record.referenceArea = area;
      record.link = {link, 0.0, 0.0};
      for (const auto& a : attitudes) {
        VehicleScene canopy;
        canopy.selector = kSelectParachute;
        canopy.parachute = &record;
        canopy.yaw = a[0];
        canopy.pitch = a[1];
        canopy.roll = a[2];
        RenderSized(width, kHeight, canopy);
        const std::string what = std::to_string(width) + " " + std::to_string(area) + " " +
                                 std::to_string(a[0]) + " " + std::to_string(a[1]);
        EXPECT_EQ(EdgePixels(width, kHeight), 0) << what;
        EXPECT_GT(
            Count([](const Pixel& p) { return !(p == kBodyBackground); }, 0, 0, width, kHeight),
            width * kHeight / 20)
            << what;
      }
    }
  }
}

TEST_F(SceneDrawTest, SuspensionLinesAreUnbrokenFromTheSkirtToWhereTheyMeet) {
  // The Earth example's main canopy with its lines pointing down the view: every row from the
  // skirt down to where they meet crosses a line, in the small square view as in the wide one.
  CParachute main;
  main.referenceArea = 1500.0;
  main.link = {20.0, 0.0, 0.0};
  VehicleScene canopy;
  canopy.selector = kSelectParachute;
  canopy.parachute = &main;
  canopy.pitch = 90.0f;
  for (int width : {kWidth, kHeight}) {
    RenderSized(width, kHeight, canopy);
    int skirt = -1, meet = -1;
    for (int y = 0; y < kHeight; ++y) {
      if (Count(Red, 0, y, width, y + 1) > 0) skirt = y;
      if (Count(Black, width / 3, y, 2 * width / 3, y + 1) > 0) meet = y;
    }
    ASSERT_GT(meet - skirt, kHeight / 4) << width;
    for (int y = skirt + 1; y <= meet; ++y) {
      EXPECT_GT(Count(Black, 0, y, std::min(width, triadBox_.left), y + 1), 0)
          << width << " row " << y;
    }
  }
}

TEST_F(SceneDrawTest, StreaksShowTheSpeedButNeverOutgrowTheirCap) {
  // Air streaming down the view past no body at a walking pace, under a drogue and at entry
  // speed, in one frame each: the longest streak in the left half of the view.
  const auto longest = [this](double speed) {
    CAirStreaks streaks;
    streaks.Reset(0.05, 3.0);  // within 3 units of the body's distance
    VehicleScene scene;
    scene.zoom = 0.0f;
    scene.air = {{0.0, 0.0, -speed}, true};
    RenderVehicle(scene, &streaks);
    int most = 0;
    for (int x = 0; x < kWidth / 2; ++x) {
      int run = 0;
      for (int y = 0; y < kHeight; ++y) {
        run = Black(At(x, y)) ? run + 1 : 0;
        most = std::max(most, run);
      }
    }
    return most;
  };
  const int walking = longest(7.0), drogue = longest(50.0), entry = longest(7600.0);
  EXPECT_LT(walking, drogue);
  EXPECT_LT(drogue, entry);
  // An eighth of the view's height at the body's distance, stretched at most 28 / 25 by the
  // perspective of the nearest: the 20 units a second of old were a black bar across the view.
  EXPECT_LE(entry, 0.12 * kHeight * 28.0 / 25.0 + 2.0);
  EXPECT_GE(entry, 0.12 * kHeight * 28.0 / 31.0 - 2.0);
}

TEST_F(SceneDrawTest, NothingIsDrawnOverTheTriad) {
  // No body, a dense field of streaks round the whole view: the triad's corner looks exactly as
  // it does without them, and the rest of the view is full of them.
  VehicleScene scene;
  scene.zoom = 0.0f;
  scene.air = {{3.0, -1.0, -7600.0}, false};
  RenderVehicle(scene);
  const PixelBox box = LayOutAxisGizmo(projection_, 0.0, 0.0).box;
  const auto corner = [&] {
    std::vector<std::uint8_t> pixels;
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) {
        const std::size_t i = 4 * (static_cast<std::size_t>(y) * kWidth + x);
        pixels.insert(pixels.end(), rgba_.begin() + static_cast<std::ptrdiff_t>(i),
                      rgba_.begin() + static_cast<std::ptrdiff_t>(i) + 3);
      }
    }
    return pixels;
  };
  const std::vector<std::uint8_t> bare = corner();
  const int triadInk = Count(Black);
  CAirStreaks streaks;
  streaks.Reset(0.2, 12.0);
  scene.air.on = true;
  for (int frame = 0; frame < 3; ++frame) {
    RenderVehicle(scene, &streaks);
    EXPECT_EQ(corner(), bare) << frame;
    EXPECT_GT(Count(Black), triadInk + 200) << frame;
  }
  // A body filling the whole view: the triad still shows over it.
  VehicleScene close;
  close.zoom = 6.0f;
  RenderVehicle(close);
  EXPECT_FALSE(At(box.left - 5, box.top - 5) == kBodyBackground);
  EXPECT_GT(Count(Black, box.left, box.top, box.right, box.bottom), triadInk / 2);
}

TEST_F(SceneDrawTest, AViewWithNothingOfItsKindSaysSoInItsMiddle) {
  Render([&](const SceneFrame& f) { return DrawNoticeScene(f, "No parachute in this phase"); });
  EXPECT_EQ(Count([](const Pixel& p) { return !(p == kBodyBackground); }), 0);
  ASSERT_EQ(labels_.size(), 1u);
  EXPECT_EQ(labels_[0].text, "No parachute in this phase");
  EXPECT_EQ(labels_[0].x, kWidth / 2);
  EXPECT_EQ(labels_[0].y, kHeight / 2);
}

TEST_F(SceneDrawTest, PayloadMeshFourIsFramedWithItsAttachmentLinesInMetres) {
  // The rocket on four bridle legs 3 m long from a circle of 0.35 m, 1 m behind its centre of
  // gravity, in a square view as its data dialog shows it: its fins stay off the edges, and its
  // legs show as lines on the background, metres long, not a fortieth of that.
  const double meet = -1.0 - std::sqrt(9.0 - 0.35 * 0.35);
  const std::array<std::array<double, 3>, 5> points = {
      {{meet, 0, 0}, {-1, 0.35, 0}, {-1, 0, 0.35}, {-1, -0.35, 0}, {-1, 0, -0.35}}};
  VehicleScene rocket;
  rocket.selector = 4;
  rocket.linesOn = true;
  rocket.points = points.data();
  for (const float yaw : {0.0f, 40.0f, -30.0f}) {
    rocket.yaw = yaw;
    rocket.lineCount = 0;
    RenderSized(kHeight, kHeight, rocket);
    EXPECT_EQ(EdgePixels(kHeight, kHeight), 0) << yaw;
    const std::vector<std::uint8_t> bare = rgba_;
    rocket.lineCount = 4;
    RenderSized(kHeight, kHeight, rocket);
    int onSky = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kHeight; ++x) {
        const std::size_t i = 4 * (static_cast<std::size_t>(y) * kWidth + x);
        onSky += Black(At(x, y)) && Pixel{bare[i], bare[i + 1], bare[i + 2]} == kBodyBackground;
      }
    }
    EXPECT_GT(onSky, 40) << yaw;
  }
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
  RenderVehicle(canopy);
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
  for (int x : {0, kWidth / 2, kWidth - 1}) EXPECT_EQ(At(x, kHeight - 1), (Pixel{255, 0, 0})) << x;
  for (int x : {0, kWidth - 1}) EXPECT_EQ(At(x, 0), (Pixel{255, 0, 0})) << x;
  EXPECT_EQ(At(1, 1), kBodyBackground);
}

}  // namespace
}  // namespace plumora
