// The 3D start-up and drawing cost with Mesa's software renderer (llvmpipe, off-screen):
// reading the models and compiling every display list as a context is set up, compiling alone
// from data already read, and drawing each list once into a 640 × 480 frame.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/common/Prompter.h"
#include "gl/CGLScene.h"
#include "gl/HeadlessContext.h"
#include "gl/SceneTransforms.h"
#include "gl/ViewProjection.h"
#include "support/TestFiles.h"

namespace {

using namespace plumora;

constexpr int kWidth = 640, kHeight = 480;

std::unique_ptr<HeadlessContext> MakeContext(benchmark::State& state) {
  std::unique_ptr<HeadlessContext> context;
  const Result<> made = HeadlessContext::Create(kWidth, kHeight, context);
  if (!made) state.SkipWithError(made.message().c_str());
  return context;
}

// A context with the bundled scene's lists built in it; null (the benchmark skipped) on failure.
std::unique_ptr<HeadlessContext> MakeScene(benchmark::State& state, CGLScene& scene) {
  auto context = MakeContext(state);
  SilentPrompter prompter;
  if (context && !scene.CreateContext(context->gl(), test::DataFolder(), prompter)) {
    state.SkipWithError("the scene could not be set up");
    context.reset();
  }
  return context;
}

// What the desktop program does at start-up: read the five mesh files and the seven models
// (with their textures) and compile all twelve lists.
void BM_ReadAndCompileAllLists(benchmark::State& state) {
  const auto context = MakeContext(state);
  if (!context) return;
  SilentPrompter prompter;
  for (auto _ : state) {
    CGLScene scene;
    if (!scene.CreateContext(context->gl(), test::DataFolder(), prompter)) {
      state.SkipWithError("the scene could not be set up");
      return;
    }
    context->gl().Finish();
    scene.DeleteLists(context->gl());
  }
}
BENCHMARK(BM_ReadAndCompileAllLists)->Unit(benchmark::kMillisecond);

// Compiling only, from models and meshes already in memory.
void BM_CompileAllLists(benchmark::State& state) {
  CGLScene loaded;
  const auto context = MakeScene(state, loaded);
  if (!context) return;
  const GlFunctions& gl = context->gl();
  SilentPrompter prompter;
  std::array<COglModel, kSceneModelCount> models;
  for (int k = 0; k < kSceneModelCount; ++k) {
    models[k].Load(test::DataFolder() / kModelsFolder / kSceneModelFiles[k], prompter,
                   test::DataFolder());
  }
  for (auto _ : state) {
    std::vector<GlList> lists;
    for (int m = 0; m < kBuiltinMeshCount; ++m) {
      lists.push_back(CompileBuiltinMesh(gl, loaded.Mesh(static_cast<BuiltinMesh>(m)), m == 0));
    }
    for (COglModel& model : models) model.BuildList(gl);
    gl.Finish();
    for (GlList list : lists) gl.DeleteLists(list, 1);
    for (COglModel& model : models) model.DeleteList(gl);
  }
}
BENCHMARK(BM_CompileAllLists)->Unit(benchmark::kMillisecond);

// One list drawn, lit, into a cleared frame (a planet binds its map, uploaded once).
void BM_DrawList(benchmark::State& state) {
  CGLScene scene;
  const auto context = MakeScene(state, scene);
  if (!context) return;
  const GlFunctions& gl = context->gl();
  ViewProjection projection;
  projection.Update(gl, kWidth, kHeight);
  gl.Enable(kGlDepthTest);
  gl.Enable(kGlLighting);
  gl.Enable(kGlLight0);
  const int which = static_cast<int>(state.range(0));
  const bool model = which < kSceneModelCount;
  const auto mesh = static_cast<BuiltinMesh>(which - kSceneModelCount);
  // As the 3D views place them: planets at the globe's distance and zoom, the vehicles at
  // close range with their model scales.
  const bool planet = model && which >= static_cast<int>(SceneModel::kEarth);
  const double scale = planet                            ? kGlobeMagnification
                       : mesh == BuiltinMesh::kParachute ? 0.3
                       : mesh == BuiltinMesh::kPayload4  ? 0.025
                                                         : 1.0;
  for (auto _ : state) {
    gl.Clear(kGlColorBufferBit | kGlDepthBufferBit);
    gl.LoadIdentity();
    gl.Translated(0, 0, planet ? -kGlobeDistance : -kVehicleDistance);
    gl.Scaled(scale, scale, scale);
    model ? scene.DrawModel(gl, static_cast<SceneModel>(which)) : scene.DrawMesh(gl, mesh);
    gl.Finish();
  }
  state.SetLabel(
      std::string(model ? kSceneModelFiles[which] : kBuiltinMeshFiles[which - kSceneModelCount]));
}
BENCHMARK(BM_DrawList)
    ->DenseRange(0, kSceneModelCount + kBuiltinMeshCount - 1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
