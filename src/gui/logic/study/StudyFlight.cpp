#include "gui/logic/study/StudyFlight.h"

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "core/common/FileIO.h"


namespace plumora::gui {

struct StudyFlight::State {
  Mission mission;
  DispersionStudy study;
  std::filesystem::path baseFolder;

  mutable std::mutex mutex;
  std::condition_variable ended;
  bool finished = false;
  std::atomic<bool> stop{false};
  // Set once the tables are read; lives until the state goes.
  std::optional<DispersionSetup> setup;
  std::unique_ptr<StudyRunner> runner;
  Result<std::shared_ptr<const FlownStudy>> flown = Error{};
  std::thread thread;

  void Fly();
};

void StudyFlight::State::Fly() {
  Result<DispersionSetup> prepared = PrepareMissionStudy(mission, study, baseFolder);
  if (!prepared) {
    const std::lock_guard<std::mutex> lock(mutex);
    flown = prepared.error();
    finished = true;
    ended.notify_all();
    return;
  }
  {
    const std::lock_guard<std::mutex> lock(mutex);
    setup.emplace(std::move(prepared).value());
    runner = std::make_unique<StudyRunner>(*setup, StudyPlan{study.runs, Shard{}, study.threads});
    runner->Start();
    if (stop) runner->Stop();
  }
  // The nominal flight takes one run's time beside the study's.
  auto result = std::make_shared<FlownStudy>();
  result->study = study;
  result->nominal = FlyNominal(*setup);
  result->outcome = runner->Finish();
  const std::lock_guard<std::mutex> lock(mutex);
  flown = std::shared_ptr<const FlownStudy>(std::move(result));
  finished = true;
  ended.notify_all();
}

StudyFlight::StudyFlight(const Mission& mission, const DispersionStudy& study,
                         std::filesystem::path baseFolder)
    : state_(std::make_unique<State>()) {
  state_->mission = mission;
  state_->study = study;
  state_->baseFolder = std::move(baseFolder);
  state_->thread = std::thread([state = state_.get()] { state->Fly(); });
}

StudyFlight::~StudyFlight() {
  Stop();
  if (state_->thread.joinable()) state_->thread.join();
}

StudyProgress StudyFlight::Progress() const {
  const std::lock_guard<std::mutex> lock(state_->mutex);
  if (state_->runner) return state_->runner->Progress();
  StudyProgress progress;
  progress.total = state_->study.runs;
  return progress;
}

void StudyFlight::Stop() {
  const std::lock_guard<std::mutex> lock(state_->mutex);
  state_->stop = true;
  if (state_->runner) state_->runner->Stop();
}

bool StudyFlight::stopping() const {
  return state_->stop;
}

bool StudyFlight::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(state_->mutex);
  return state_->ended.wait_for(lock, timeout, [this] { return state_->finished; });
}

Result<std::shared_ptr<const FlownStudy>> StudyFlight::Finish() {
  if (state_->thread.joinable()) state_->thread.join();
  return state_->flown;
}

StudyProgressTexts ProgressTexts(const StudyProgress& progress) {
  StudyProgressTexts texts;
  texts.done = std::to_string(progress.done) + " of " + std::to_string(progress.total);
  texts.failed = std::to_string(progress.failed);
  const double left = progress.SecondsLeft();
  if (std::isfinite(left)) texts.left = std::to_string(std::llround(left)) + " s";
  if (progress.total > 0) {
    texts.percent = static_cast<int>(100.0 * static_cast<double>(progress.done) /
                                     static_cast<double>(progress.total));
  }
  return texts;
}

std::string FailedRunsText(const std::vector<FailedRun>& failures, std::size_t shown) {
  std::string text;
  for (std::size_t k = 0; k < failures.size() && k < shown; ++k) {
    text += "run " + std::to_string(failures[k].run) + " failed: " + failures[k].reason + "\n";
  }
  if (failures.size() > shown) {
    text += "... and " + std::to_string(failures.size() - shown) + " more failed runs\n";
  }
  return text;
}

std::string StudyEndText(const FlownStudy& flown) {
  const StudyOutcome& outcome = flown.outcome;
  const std::string flownRuns = std::to_string(outcome.records.size());
  const std::string failed = std::to_string(outcome.Failures().size()) + " failed";
  if (outcome.stopped) {
    return "Study stopped: " + flownRuns + " of " + std::to_string(outcome.total) +
           " runs flown, " + failed;
  }
  return "Study: " + flownRuns + " runs flown, " + failed;
}

std::filesystem::path StudySummaryPath(const std::filesystem::path& csv) {
  std::filesystem::path summary = csv;
  summary.replace_extension(".summary.json");
  return summary;
}

Result<> ExportStudy(const FlownStudy& flown, const std::filesystem::path& csv,
                     const std::vector<std::filesystem::path>& inputs) {
  const std::filesystem::path summary = StudySummaryPath(csv);
  for (const std::filesystem::path& output : {csv, summary}) {
    if (Result<> checked = CheckOutputTarget(output, inputs); !checked) return checked;
  }
  const Result<std::string> json = flown.outcome.SummaryJson();
  if (!json) {
    return Fail(ErrorCode::kInvalid, "The study has no summary: " + json.message());
  }
  if (Result<> written = WriteOutputFile(csv, flown.outcome.CsvText()); !written) {
    return Fail(ErrorCode::kCannotWrite,
                "The runs could not be written to " + csv.string() + " (" + written.message() + ")");
  }
  if (Result<> written = WriteOutputFile(summary, json.value()); !written) {
    return Fail(ErrorCode::kCannotWrite, "The summary could not be written to " +
                                             summary.string() + " (" + written.message() + ")");
  }
  return {};
}

}  // namespace plumora::gui
