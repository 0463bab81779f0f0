// A dispersion study of the Mars example with six scattered inputs: one plain run of the document,
// one run of a study (the mission copied, its inputs drawn, flown and measured) without and with
// scatter, the study's 1000 scattered flights flown plainly one after the other, and the 1000
// runs of the study on one and on two threads. Compare the time per run of the study with the
// plain flights of the same scattered missions, and the two thread counts with each other.
// Last, the example's own study (examples/mars-entry.dispersions.json) cut to 1000 runs on two
// threads, flown by the study runner a front end uses and by plumora-cli dispersions with the
// same settings: the two should take the same time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"
#include "core/app/RunMission.h"
#include "core/dispersion/DispersionRunner.h"
#include "core/dispersion/DispersionStudy.h"
#include "core/dispersion/StudyRunner.h"
#include "core/flight/TrajectoryStore.h"
#include "support/RunProcess.h"
#include "support/TestFiles.h"

namespace {

using namespace plumora;

constexpr std::int64_t kStudyRuns = 1000;

std::unique_ptr<CPlumoraDoc> MarsEntry(RecordingPrompter& prompter) {
  auto doc = std::make_unique<CPlumoraDoc>();
  doc->SetPrompter(&prompter);
  if (!LoadMission(*doc, test::DataFolder() / "examples" / "mars-entry.psd")) return nullptr;
  doc->baseFolder = test::DataFolder();
  return doc;
}

// The study's six scattered inputs, or none (the machinery alone, every run the plain one).
bool Prepare(benchmark::State& state, DispersionSetup& setup, bool scatter = true) {
  RecordingPrompter prompter;
  const auto doc = MarsEntry(prompter);
  std::vector<Variation> variations;
  const std::vector<const char*> texts = {"height=normal(0,500)",
                                          "speed=normal(0,10)",
                                          "path_angle=normal(0,0.2)",
                                          "payload.0.mass=scale-normal(1,0.02)",
                                          "parachute.0.area=scale-normal(1,0.05)",
                                          "density_factor=scale-normal(1,0.1)"};
  for (const char* text : scatter ? texts : std::vector<const char*>{}) {
    const Result<Variation> v = ParseVariation(text);
    if (!v) {
      state.SkipWithError(v.message().c_str());
      return false;
    }
    variations.push_back(v.value());
  }
  if (!doc) {
    state.SkipWithError("the mission could not be read");
    return false;
  }
  Result<DispersionSetup> prepared = PrepareDispersion(doc->mission, variations, 2024);
  Result<Environment> environment = LoadRunEnvironment(doc->baseFolder, doc->mission);
  if (!prepared || !environment) {
    state.SkipWithError((prepared ? environment.message() : prepared.message()).c_str());
    return false;
  }
  setup = std::move(prepared).value();
  setup.environment = std::move(environment).value();
  return true;
}

void BM_PlainRun(benchmark::State& state) {
  RecordingPrompter prompter;
  const auto doc = MarsEntry(prompter);
  if (!doc) {
    state.SkipWithError(prompter.Transcript().c_str());
    return;
  }
  for (auto _ : state) {
    RunMission(*doc);
    benchmark::DoNotOptimize(doc->results.LastIndex());
  }
}
BENCHMARK(BM_PlainRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ScatteredRun(benchmark::State& state) {
  DispersionSetup setup;
  if (!Prepare(state, setup, state.range(0) != 0)) return;
  std::int64_t run = 0;
  CTrajectoryStore scratch;  // as a thread of the study flies run after run
  for (auto _ : state) {
    const RunRecord record = FlyScatteredRun(setup, run++, &scratch);
    benchmark::DoNotOptimize(record.outputs.landingTime);
    if (record.end == RunEnd::kFailed) state.SkipWithError(record.message.c_str());
  }
}
BENCHMARK(BM_ScatteredRun)->Arg(0)->Arg(6)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The study's 1000 scattered missions, drawn beforehand, each flown plainly through the study's
// environment: what the runs of the study cost without the study around them.
void BM_PlainFlightsOfTheStudy(benchmark::State& state) {
  DispersionSetup setup;
  if (!Prepare(state, setup)) return;
  std::vector<ScatteredFlight> flights;
  for (std::int64_t run = 0; run < kStudyRuns; ++run) {
    flights.push_back(DrawScatteredFlight(setup, run));
  }
  CTrajectoryStore results;
  double wallMs = 0.0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (const ScatteredFlight& flight : flights) {
      RunState run(flight.mission, results);
      const RunOutcome outcome = FlyMission(flight.mission, setup.environment, flight.air, run);
      benchmark::DoNotOptimize(outcome.phases.size());
    }
    wallMs +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["ms_per_run"] =
      wallMs / static_cast<double>(kStudyRuns * static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_PlainFlightsOfTheStudy)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_Study(benchmark::State& state) {
  DispersionSetup setup;
  if (!Prepare(state, setup)) return;
  const int threads = static_cast<int>(state.range(0));
  std::int64_t failures = 0;
  double wallMs = 0.0;
  for (auto _ : state) {
    DispersionControl control;
    const auto start = std::chrono::steady_clock::now();
    const std::vector<RunRecord> records = FlyDispersion(setup, kStudyRuns, {}, threads, control);
    wallMs +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    for (const RunRecord& r : records) failures += r.end == RunEnd::kFailed;
  }
  state.counters["failures"] = static_cast<double>(failures);
  // Wall time of the study over its runs: what one run costs when the study is flown.
  state.counters["ms_per_run"] =
      wallMs / static_cast<double>(kStudyRuns * static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_Study)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

constexpr int kComparedThreads = 2;

// Shows nothing and never stops.
class QuietStudy final : public StudyProgressSink {
 public:
  void ShowStudyProgress(const StudyProgress&) override {}
  bool StopRequested() override { return false; }
};

void BM_ExampleStudyByTheRunner(benchmark::State& state) {
  RecordingPrompter prompter;
  const auto doc = MarsEntry(prompter);
  const auto study =
      LoadDispersionStudy(DispersionStudyPath(test::DataFolder() / "examples" / "mars-entry.psd"));
  if (!doc || !study) {
    state.SkipWithError("the example or its study could not be read");
    return;
  }
  Result<DispersionSetup> prepared =
      PrepareDispersion(doc->mission, study->variations, study->seed);
  if (!prepared) {
    state.SkipWithError(prepared.message().c_str());
    return;
  }
  for (auto _ : state) {
    // The environment is read once per study, as the command line does.
    Result<Environment> environment = LoadRunEnvironment(doc->baseFolder, doc->mission);
    if (!environment) {
      state.SkipWithError(environment.message().c_str());
      return;
    }
    prepared->environment = std::move(environment).value();
    QuietStudy sink;
    const StudyOutcome outcome =
        RunStudy(prepared.value(), {kStudyRuns, {}, kComparedThreads}, sink);
    benchmark::DoNotOptimize(outcome.CsvText().size());
    benchmark::DoNotOptimize(outcome.SummaryJson().ok());
  }
}
BENCHMARK(BM_ExampleStudyByTheRunner)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_ExampleStudyByTheCommandLine(benchmark::State& state) {
  const std::filesystem::path data = test::DataFolder();
  const test::TempDir out;
  for (auto _ : state) {
    const test::ProcessResult r = test::RunProcess(
        PLUMORA_CLI_PATH,
        {"dispersions", "--quiet", "--study", "examples/mars-entry.dispersions.json", "--runs",
         std::to_string(kStudyRuns), "--threads", std::to_string(kComparedThreads), "--csv",
         (out / "runs.csv").string(), "--summary", (out / "summary.json").string(),
         "examples/mars-entry.psd"},
        data);
    if (r.status != 0) state.SkipWithError(r.err.c_str());
  }
}
BENCHMARK(BM_ExampleStudyByTheCommandLine)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
