// One frame of each 3D view at 1280 × 720 with Mesa's software renderer (llvmpipe, off-screen),
// as the desktop program draws it: the payload and the parachute alone with their streaks, the
// system under its canopy, and the planet with a flight of 32 000 samples, its track and
// heading, from the samples to the finished frame.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/common/Prompter.h"
#include "gl/HeadlessContext.h"
#include "gui/logic/scene/SceneInputs.h"
#include "support/TestFiles.h"

namespace {

using namespace plumora;
using namespace plumora::gui;

constexpr int kWidth = 1280, kHeight = 720;
constexpr int kSamples = 32000;

// A document whose results are a flight of kSamples samples: a descent from 120 km along a
// great circle, the last third under a parachute with bridle legs.
std::unique_ptr<CPlumoraDoc> FlightDocument() {
  auto doc = std::make_unique<CPlumoraDoc>();
  CPayload& payload = doc->mission.CreatePayload();
  payload.connectionKind = kBridleLegs;
  payload.legCount = 4;
  payload.DeriveLegPoints();
  doc->mission.CreateParachute();
  for (int i = 0; i < kSamples; ++i) {
    const double f = static_cast<double>(i) / (kSamples - 1);
    CTrajectorySample s;
    s.time = 0.1 * i;
    s.payloadHeight = 120000.0 * (1.0 - f);
    s.latitude = 40.0 + 8.0 * f;
    s.longitude = -30.0 + 34.0 * f;
    s.heading = 60.0 + 25.0 * f;
    s.payloadVx = -7000.0 * (1.0 - f) - 7.0;
    s.payloadVz = 50.0;
    s.parachuteVx = s.payloadVx;
    s.payloadPitch = 90.0 * f;
    s.payload = doc->mission.payloads.front();
    if (f > 2.0 / 3.0) {
      s.phaseType = kSampleFinalDescent;
      s.parachute = doc->mission.parachutes.front();
      s.parachuteOffsetX = -25.0;
      s.confluenceX = -3.0;
    } else {
      s.phaseType = kSampleBallistic;
    }
    doc->results.Append(std::move(s));
  }
  return doc;
}

struct Bench {
  std::unique_ptr<HeadlessContext> context;
  CGLScene scene;
  ViewProjection projection;
  CAirStreaks streaks;
  std::unique_ptr<CPlumoraDoc> doc = FlightDocument();
  std::vector<Vec3> track;
};

// The context with the bundled lists; false (the benchmark skipped) when it cannot be had.
bool SetUp(benchmark::State& state, Bench& b) {
  Result<> made = HeadlessContext::Create(kWidth, kHeight, b.context);
  SilentPrompter prompter;
  if (made) made = b.scene.CreateContext(b.context->gl(), test::DataFolder(), prompter);
  if (!made) {
    state.SkipWithError(made.message().c_str());
    return false;
  }
  b.projection.Update(b.context->gl(), kWidth, kHeight);
  b.streaks.Reset(kStreakDensity, kStreakHalfSize);
  return true;
}

// One frame of a display mode at the sample at the given index (the last one when negative).
void Frame(benchmark::State& state, DisplayMode mode, int index) {
  Bench b;
  if (!SetUp(state, b)) return;
  const GlFunctions& gl = b.context->gl();
  const SceneFrame frame{gl, b.scene, b.projection};
  if (index < 0) index = b.doc->results.LastIndex();
  for (auto _ : state) {
    const SceneInputs inputs =
        ResultsScene(mode, *b.doc, index, {20.0f, 30.0f}, {0.0f, 0.0f, 1000.0f, 0.0f}, b.track);
    benchmark::DoNotOptimize(DrawSceneInputs(frame, inputs, &b.streaks));
    gl.Finish();
  }
}

void BM_PayloadFrame(benchmark::State& state) {
  Frame(state, DisplayMode::k3DPayload, 1000);
}
BENCHMARK(BM_PayloadFrame)->Unit(benchmark::kMillisecond);

void BM_ParachuteFrame(benchmark::State& state) {
  Frame(state, DisplayMode::k3DParachute, -1);
}
BENCHMARK(BM_ParachuteFrame)->Unit(benchmark::kMillisecond);

void BM_SystemFrame(benchmark::State& state) {
  Frame(state, DisplayMode::k3DSystem, -1);
}
BENCHMARK(BM_SystemFrame)->Unit(benchmark::kMillisecond);

// The whole flight: 32 000 positions worked out and drawn as the track.
void BM_TrajectoryFrame(benchmark::State& state) {
  Frame(state, DisplayMode::k3DTrajectory, -1);
}
BENCHMARK(BM_TrajectoryFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
