// One mission file named on the command line, run whole (atmosphere and aerodynamic files read,
// every phase, samples stored) as the Run command does it, without the process around it:
//   bench_mission MISSION [--benchmark_... options]
// Relative paths of the data folders are taken from the working folder, as the command line does.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/common/Prompter.h"

namespace {

using namespace plumora;

void BM_Mission(benchmark::State& state, const std::filesystem::path& mission) {
  SilentPrompter prompter;  // every question answered with yes, as the command line does
  auto doc = std::make_unique<CPlumoraDoc>();
  doc->SetPrompter(&prompter);
  if (!LoadMission(*doc, mission).ok()) {
    state.SkipWithError("the mission could not be read");
    return;
  }
  doc->baseFolder = std::filesystem::current_path();
  for (auto _ : state) {
    RunMission(*doc);
    benchmark::DoNotOptimize(doc->results.LastIndex());
  }
  const auto& results = doc->results;
  const int last = results.LastIndex();
  state.counters["samples"] = last + 1;
  state.counters["flight_s"] = last >= 0 ? results.SampleAt(last).time : 0.0;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_mission MISSION [--benchmark_... options]\n");
    return 2;
  }
  benchmark::RegisterBenchmark("BM_Mission", BM_Mission, std::filesystem::path(argv[1]))
      ->Unit(benchmark::kMillisecond)
      ->MinTime(1.0);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
