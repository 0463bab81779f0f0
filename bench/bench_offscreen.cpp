// A repaint of a 3D pane or preview where the screen has no OpenGL: the scene is drawn
// off-screen by Mesa and the picture handed to the painter, as the desktop program does at every
// repaint there. The first repaint sets up the off-screen context and its lists; the benchmark
// measures the repaints after it.
#include <benchmark/benchmark.h>

#include "QtBenchmarkMain.h"
#include "core/common/Prompter.h"
#include "gui/kit/GlSnapshot.h"
#include "gui/logic/scene/PreviewState.h"
#include "gui/logic/scene/SceneInputs.h"
#include "support/TestFiles.h"

namespace {

using namespace plumora;
using namespace plumora::gui;

// One repaint of a preview of the given kind at width × height pixels.
void Repaint(benchmark::State& state, std::int32_t preview, int width, int height) {
  const PreviewState shown(preview);
  const SceneDraw draw = [&shown](const SceneFrame& frame) {
    return DrawSceneInputs(frame, PreviewScene(shown), nullptr);
  };
  SilentPrompter quiet;
  std::string failure;
  if (RenderSceneOffscreen(test::DataFolder(), width, height, draw, quiet, &failure).isNull()) {
    state.SkipWithError(failure.c_str());
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(RenderSceneOffscreen(test::DataFolder(), width, height, draw, quiet));
  }
}

// The Earth of the "Position" page: the planet map is a texture of the scene.
void BM_GlobePreviewRepaint(benchmark::State& state) {
  Repaint(state, kPreviewEarth, 210, 210);
}
BENCHMARK(BM_GlobePreviewRepaint)->Unit(benchmark::kMillisecond);

// The capsule of the "Attitude" page, in a pane-sized picture.
void BM_CapsulePaneRepaint(benchmark::State& state) {
  Repaint(state, kPreviewCapsule, 640, 480);
}
BENCHMARK(BM_CapsulePaneRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return plumora::bench::RunQtBenchmarks(argc, argv);
}
