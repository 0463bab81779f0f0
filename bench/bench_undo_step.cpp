// What one undo step of the desktop program costs for each example mission: the copy of the
// mission an edit keeps, and the time to record the step (compare, copy, push) and to undo it.
//   bench_undo_step [EXAMPLES_FOLDER] [--benchmark_... options]   (default: data/examples)
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"
#include "core/mission/BallisticEntryPhase.h"
#include "core/mission/ParachutePhase.h"
#include "gui/logic/app/MissionHistory.h"

namespace {

using namespace plumora;

// The heap and inline bytes of a mission copy, strings counted by their length.
double MissionBytes(const Mission& m) {
  double bytes = sizeof(Mission) + m.missionName.size() + m.missionComments.size();
  for (const auto& p : m.payloads) bytes += sizeof(CPayload) + p->name.size() + p->comments.size();
  for (const auto& p : m.parachutes) {
    bytes += sizeof(CParachute) + p->name.size() + p->comments.size();
  }
  for (const auto& phase : m.phases) {
    bytes += sizeof(CMissionPhase) + phase->name.size() + phase->comments.size();
    if (phase->ballistic()) bytes += sizeof(CBallisticEntryPhase);
    if (phase->parachute()) bytes += sizeof(CParachutePhase);
  }
  return bytes;
}

void BM_UndoStep(benchmark::State& state, const std::filesystem::path& file) {
  CPlumoraDoc doc;
  if (!LoadMission(doc, file).ok() || doc.mission.payloads.empty()) {
    state.SkipWithError("the mission could not be read");
    return;
  }
  gui::MissionHistory history;
  Mission before = doc.mission;
  double mass = doc.mission.payloads[0]->mass;
  for (auto _ : state) {
    // One "Payload data" OK: the mass changes, the step is recorded, then taken back.
    mass += 1.0;
    doc.mission.payloads[0]->mass = mass;
    history.Record({"Payload data", {}}, before, doc.mission);
    before = doc.mission;
    benchmark::DoNotOptimize(history.Undo());
    history.Redo();
  }
  state.counters["mission_bytes"] = MissionBytes(doc.mission);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const std::filesystem::path folder = argc > 1 ? argv[1] : "data/examples";
  for (const char* name : {"earth-return", "mars-entry", "titan-probe", "bridle-legs"}) {
    const std::filesystem::path file = folder / (std::string(name) + ".psd");
    benchmark::RegisterBenchmark(("BM_UndoStep/" + std::string(name)).c_str(), BM_UndoStep, file)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
