// Every bundled example mission, whole (atmosphere read, every phase), with each of the five
// integrators. The examples' stored choice is the Runge-Kutta-Fehlberg method; with the others
// some missions end early (the fixed-step Euler methods blow up at the examples' 0.1 s step),
// which the counters show.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/environment/DataFolders.h"
#include "support/TestFiles.h"

namespace {

using namespace plumora;

void BM_Example(benchmark::State& state, std::filesystem::path mission) {
  RecordingPrompter prompter;
  prompter.defaultAnswer = true;  // go on after a parachute flip, as the command line does
  auto doc = std::make_unique<CPlumoraDoc>();
  doc->SetPrompter(&prompter);
  if (const Result<> loaded = LoadMission(*doc, mission); !loaded) {
    state.SkipWithError(loaded.message().c_str());
    return;
  }
  doc->baseFolder = test::DataFolder();
  doc->mission.solver.integrator = static_cast<int>(state.range(0));
  for (auto _ : state) {
    prompter.Clear();
    RunMission(*doc);
    benchmark::DoNotOptimize(doc->results.LastIndex());
  }
  const auto& results = doc->results;
  state.counters["samples"] = results.LastIndex() + 1;
  state.counters["flight_s"] =
      results.LastIndex() >= 0 ? results.SampleAt(results.LastIndex()).time : 0;
  state.counters["landed"] =
      results.LastIndex() >= 0 && results.SampleAt(results.LastIndex()).payloadHeight <= 0.0;
  state.counters["messages"] = static_cast<double>(prompter.entries().size());
}

const bool registered = [] {
  for (const auto& mission : ListDataFiles(test::DataFolder() / "examples", "psd")) {
    benchmark::RegisterBenchmark(("BM_Example/" + mission.stem().string()).c_str(), BM_Example,
                                 mission)
        ->DenseRange(0, 4)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.5);
  }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
