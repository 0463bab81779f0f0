// Cost of the ballistic entry: one atmosphere query, one evaluation of the right-hand side, and a
// whole phase from 120 km down to the ground with each integrator (atmosphere read included, as a
// run does it).
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

#include "core/app/RunMission.h"
#include "core/ballistic/BallisticDynamics.h"
#include "core/ballistic/PlanetFrames.h"
#include "core/environment/Atmosphere.h"
#include "support/FlightFixture.h"
#include "support/TestFiles.h"

namespace {

using namespace plumora;

// A capsule entering the exponential test atmosphere at 120 km and 7.6 km/s.
struct EntryMission : test::FlightFixture {
  EntryMission() {
    CBallisticEntryPhase& phase = AddBallisticPhase();
    phase.stopKind = 1;
    phase.stopHeight = 0.0;
    doc.mission.initialState.height = 120000.0;
    doc.mission.initialState.payloadVelocity = 7600.0;
    doc.mission.initialState.payloadPathAngle = -6.0;
    doc.mission.initialState.payloadPitch = -6.0;
  }
};

void BM_BallisticDerivatives(benchmark::State& state) {
  EntryMission mission;
  const Result<Environment> environment =
      LoadRunEnvironment(mission.doc.baseFolder, mission.doc.mission);
  if (!environment) {
    state.SkipWithError(environment.message().c_str());
    return;
  }
  const Environment& air = environment.value();
  BallisticModel model;
  model.payload = &mission.payload();
  model.aeroTable = air.AeroTable("").value();
  model.atmosphere = &air.atmosphere();
  model.planet = &air.planet();
  const Vec3 r = PositionFromLatLon(0.3, 0.2, 60000.0, air.planet().radius);
  std::array<double, 12> y{6000.0, 150.0, 500.0, r.x, r.y, r.z, 0.01, -0.02, 0.005, 0.1, 0.2, 0.3};
  std::array<double, 12> yp{};
  for (auto _ : state) {
    EvaluateBallisticDerivatives(0.0, y.data(), yp.data(), &model);
    benchmark::DoNotOptimize(yp);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BallisticDerivatives);

// The bundled Earth table queried at heights a descent passes through one after the other
// (1 m apart), with the interval search starting where the last one ended (range 1) or bisecting
// every time (range 0).
void BM_QueryAtmosphere(benchmark::State& state) {
  EntryMission mission;
  mission.doc.baseFolder = test::DataFolder();
  mission.doc.readatmosphere();
  const AtmosphereTable& table = mission.doc.atmosphereTable();
  const bool hinted = state.range(0) != 0;
  int hint = 0;
  double h = 0.0;
  for (auto _ : state) {
    h = h > 120000.0 ? 0.0 : h + 1.0;
    benchmark::DoNotOptimize(hinted ? QueryAtmosphere(table, h, hint) : QueryAtmosphere(table, h));
  }
}
BENCHMARK(BM_QueryAtmosphere)->Arg(0)->Arg(1);

void BM_BallisticPhase(benchmark::State& state) {
  EntryMission mission;
  mission.doc.mission.solver.integrator = static_cast<int>(state.range(0));
  for (auto _ : state) {
    RunMission(mission.doc);
    benchmark::DoNotOptimize(mission.doc.results.LastIndex());
  }
  state.counters["samples"] = mission.doc.results.LastIndex() + 1;
  state.counters["flight_s"] = mission.doc.results.EndTime();
  state.SetLabel(mission.prompter.Transcript());
}
BENCHMARK(BM_BallisticPhase)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
