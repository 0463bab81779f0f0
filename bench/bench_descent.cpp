// Cost of the final descent: one evaluation of the two-body right-hand side in each line model,
// and whole descents from 2000 m to the ground with each integrator, line model and stiffness.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <string>

#include "core/app/RunMission.h"
#include "core/environment/AeroDatabase.h"
#include "core/parachute/TwoBodyDynamics.h"
#include "core/solvers/Depac.h"
#include "support/FlightFixture.h"

namespace {

using namespace plumora;

// Line models by benchmark argument.
enum LineModel { kStrope = 0, kMasslessBridle = 1, kMassPointBridle = 2 };
const char* LineModelName(int model) {
  static const char* const names[] = {"strope", "massless bridle", "mass point bridle"};
  return names[model];
}

// The light descent of the tests from 2000 m: about 300 s of flight to the ground.
struct DescentMission : test::FlightFixture {
  DescentMission(int lineModel, double stiffness) : phase(AddFinalDescentPhase()) {
    UseLightDescent(2000.0, 10.0);
    payload().connectionKind = lineModel == kStrope ? kSingleStrope : kBridleLegs;
    payload().legCount = 4;
    payload().DeriveLegPoints();
    phase.massPointAtConfluence = lineModel == kMassPointBridle ? 1 : 0;
    parachute().stiffness = stiffness;
  }
  CParachutePhase& phase;
};

// A model ready to evaluate at the start of the descent; when `taut`, the canopy is placed far
// enough for every line to pull and the bodies are turning a little, so that nothing is exactly
// symmetric.
struct ReadyModel {
  DescentMission mission;
  Environment environment;
  AeroDatabase none;  // without the file, a payload without aerodynamics
  DescentModel model;
  std::array<double, kMassPointStateSize> y{};

  ReadyModel(int lineModel, double stiffness, bool taut) : mission(lineModel, stiffness) {
    if (taut) mission.doc.mission.initialState.parachuteOffsetX = -45.0;
    Result<Environment> read = LoadRunEnvironment(mission.doc.baseFolder, mission.doc.mission);
    if (read) environment = std::move(read).value();
    model.payload = &mission.payload();
    const Result<const AeroDatabase*> aero = environment.AeroTable("");
    model.aeroTable = aero ? aero.value() : &none;
    model.parachute = &mission.parachute();
    model.atmosphere = &environment.atmosphere();
    model.planet = &environment.planet();
    model.massPoint = mission.phase.massPointAtConfluence != 0;
    InitialiseTwoBodyState(
        model, CHandOverState::FromInitialState(mission.doc.mission.initialState), y.data());
    if (!taut) return;
    for (int i : {6, 7, 8, 18, 19, 20}) y[i] = 0.01 * (i - 12);
    y[kConfluenceBlock + kPositionOffset] += 0.3;
  }
  int Size() const { return model.massPoint ? kMassPointStateSize : kDescentStateSize; }
};

void BM_TwoBodyDerivatives(benchmark::State& state) {
  ReadyModel ready(static_cast<int>(state.range(0)), 10000.0, true);
  std::array<double, kMassPointStateSize> yp{};
  for (auto _ : state) {
    EvaluateTwoBodyDerivatives(0.0, ready.y.data(), yp.data(), &ready.model);
    benchmark::DoNotOptimize(yp);
    benchmark::ClobberMemory();
  }
  state.SetLabel(LineModelName(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_TwoBodyDerivatives)->DenseRange(0, 2);

// A whole descent through RunMission (atmosphere read and samples stored, as a run does it).
// Arguments: integrator, line model, line stiffness (N/m).
void BM_DescentPhase(benchmark::State& state) {
  DescentMission mission(static_cast<int>(state.range(1)), static_cast<double>(state.range(2)));
  mission.doc.mission.solver.integrator = static_cast<int>(state.range(0));
  for (auto _ : state) {
    mission.phase.flip = {};
    RunMission(mission.doc);
    benchmark::DoNotOptimize(mission.doc.results.LastIndex());
  }
  state.counters["samples"] = mission.doc.results.LastIndex() + 1;
  state.counters["flight_s"] = mission.doc.results.EndTime();
  const CTrajectoryStore& results = mission.doc.results;
  state.counters["landing_mps"] =
      results.LastIndex() >= 0 ? results.SampleAt(results.LastIndex()).payloadSpeed : 0.0;
  std::string label = LineModelName(static_cast<int>(state.range(1)));
  const std::string said = mission.prompter.Transcript();
  if (!said.empty()) label += "; " + said.substr(0, said.find('\n'));
  state.SetLabel(label);
  mission.prompter.Clear();
}
BENCHMARK(BM_DescentPhase)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {kStrope, kMasslessBridle, kMassPointBridle}, {10000}})
    ->ArgsProduct({{0, 1, 2}, {kStrope, kMassPointBridle}, {1000, 100000, 1000000}})
    ->Unit(benchmark::kMillisecond);

// The integrators' own work on the same descents: evaluations of the right-hand side and
// internal steps per simulated second, counted over the first 100 s (the snatch included).
void BM_DescentSolverWork(benchmark::State& state) {
  const int integrator = static_cast<int>(state.range(0));
  long evaluations = 0, steps = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ReadyModel ready(static_cast<int>(state.range(1)), static_cast<double>(state.range(2)), false);
    state.ResumeTiming();
    DepacWork work;
    DepacInfo info{};
    double t = 0.0;
    int idid = 0;
    for (double tout = 0.1; tout <= 100.0 + 1e-9; tout += 0.1) {
      IntegrateStep(integrator, EvaluateTwoBodyDerivatives, ready.Size(), t, ready.y.data(), tout,
                    info, 1e-5, 1e-5, idid, work, &ready.model);
      if (idid < 0) {
        info[0] = 1;
        tout -= 0.1;
      }
    }
    evaluations = work.Evaluations();
    steps = work.Steps();
  }
  state.counters["evals_per_s"] = evaluations / 100.0;
  state.counters["steps_per_s"] = steps / 100.0;
  state.SetLabel(LineModelName(static_cast<int>(state.range(1))));
}
BENCHMARK(BM_DescentSolverWork)
    ->ArgsProduct({{0, 1, 2}, {kStrope, kMassPointBridle}, {1000, 10000, 100000, 1000000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
