#include "core/dispersion/StudyRunner.h"

#include <algorithm>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>
#include <utility>

#include "core/dispersion/DispersionCsv.h"
#include "core/dispersion/DispersionSummary.h"
#include "core/flight/ProgressMeter.h"

namespace plumora {

namespace {

constexpr double kMsPerSecond = 1000.0;

}  // namespace

int StudyThreads(int requested) {
  if (requested > 0) return requested;
  const unsigned cores = std::thread::hardware_concurrency();
  return cores > 0 ? static_cast<int>(cores) : 1;
}

double StudyProgress::RunsPerSecond() const {
  return elapsedSeconds > 0.0 ? static_cast<double>(done) / elapsedSeconds : 0.0;
}

double StudyProgress::SecondsLeft() const {
  const double rate = RunsPerSecond();
  if (rate <= 0.0) return std::numeric_limits<double>::quiet_NaN();
  return static_cast<double>(total - done) / rate;
}

std::vector<FailedRun> StudyOutcome::Failures() const {
  std::vector<FailedRun> failures;
  for (const RunRecord& r : records) {
    if (r.end == RunEnd::kFailed) failures.push_back({r.run, r.message});
  }
  return failures;
}

std::string StudyOutcome::CsvText() const {
  return DispersionCsvText(inputNames, records);
}

Result<std::string> StudyOutcome::SummaryJson() const {
  return DispersionSummaryJson(inputNames, records);
}

// The study in flight: its thread, which hands the runs to the workers, and what it shares with
// whoever watches.
struct StudyRunner::Flight {
  DispersionControl control;
  std::int64_t total = 0;
  double startMs = 0.0;
  std::mutex mutex;
  std::condition_variable ended;
  bool finished = false;
  std::vector<RunRecord> records;
  std::thread thread;
};

StudyRunner::StudyRunner(const DispersionSetup& setup, const StudyPlan& plan)
    : setup_(setup), plan_(plan) {}

StudyRunner::~StudyRunner() {
  if (flight_ && flight_->thread.joinable()) {
    Stop();
    flight_->thread.join();
  }
}

void StudyRunner::Start() {
  if (flight_) return;
  flight_ = std::make_unique<Flight>();
  Flight& f = *flight_;
  f.total = ShardRunCount(plan_.runs, plan_.shard);
  f.startMs = SteadyMilliseconds();
  f.thread = std::thread([this, &f] {
    std::vector<RunRecord> records =
        FlyDispersion(setup_, plan_.runs, plan_.shard, StudyThreads(plan_.threads), f.control);
    const std::lock_guard<std::mutex> lock(f.mutex);
    f.records = std::move(records);
    f.finished = true;
    f.ended.notify_all();
  });
}

StudyProgress StudyRunner::Progress() const {
  StudyProgress progress;
  progress.total = ShardRunCount(plan_.runs, plan_.shard);
  if (!flight_) return progress;
  // Failures are counted before the run itself, so reading them first never shows more failed
  // runs than finished ones.
  progress.failed = flight_->control.failed.load();
  progress.done = flight_->control.done.load();
  progress.elapsedSeconds = (SteadyMilliseconds() - flight_->startMs) / kMsPerSecond;
  return progress;
}

void StudyRunner::Stop() {
  if (flight_) flight_->control.stop = true;
}

bool StudyRunner::WaitFor(std::chrono::milliseconds timeout) {
  if (!flight_) return false;
  std::unique_lock<std::mutex> lock(flight_->mutex);
  return flight_->ended.wait_for(lock, timeout, [this] { return flight_->finished; });
}

StudyOutcome StudyRunner::Finish() {
  StudyOutcome outcome;
  for (const Variation& v : setup_.variations) outcome.inputNames.push_back(v.name);
  outcome.total = ShardRunCount(plan_.runs, plan_.shard);
  if (!flight_ || !flight_->thread.joinable()) return outcome;
  flight_->thread.join();
  outcome.records = std::move(flight_->records);
  outcome.stopped = flight_->control.stop.load();
  return outcome;
}

StudyOutcome RunStudy(const DispersionSetup& setup, const StudyPlan& plan, StudyProgressSink& sink,
                      std::chrono::milliseconds interval) {
  StudyRunner runner(setup, plan);
  runner.Start();
  bool stopAsked = false;
  while (!runner.WaitFor(interval)) {
    if (!stopAsked && sink.StopRequested()) {
      runner.Stop();
      stopAsked = true;
    }
    sink.ShowStudyProgress(runner.Progress());
  }
  sink.ShowStudyProgress(runner.Progress());
  return runner.Finish();
}

}  // namespace plumora
