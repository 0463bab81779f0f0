// A dispersion study flown for a front end: on worker threads, with the runs done, failed and the
// time left to show, a stop that keeps the runs finished so far, and the results as the very CSV
// and summary bytes the command line writes. The command line's progress line and the desktop
// program's progress dialog are two sinks of the same runner.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/common/Result.h"
#include "core/dispersion/DispersionRunner.h"
#include "core/dispersion/ScatteredRun.h"

namespace plumora {

// Which runs, and on how many threads.
struct StudyPlan {
  std::int64_t runs = 1;  // of the whole study
  Shard shard;            // the share flown here (all by default)
  int threads = 0;        // runs flown at once; 0 for one per core
};

// Threads for a request: the request itself, or one per core for 0 (at least one).
int StudyThreads(int requested);

// Where a study stands.
struct StudyProgress {
  std::int64_t total = 0;       // runs of the shard
  std::int64_t done = 0;        // runs finished, failed ones included
  std::int64_t failed = 0;      // of those
  double elapsedSeconds = 0.0;  // s, since the study started

  // Runs finished per second so far; 0 before the first.
  double RunsPerSecond() const;
  // At the rate so far, s; NaN before the first run has finished.
  double SecondsLeft() const;
};

class StudyProgressSink {
 public:
  virtual ~StudyProgressSink() = default;
  // Called on the thread that waits for the study, at intervals and once more at the end.
  virtual void ShowStudyProgress(const StudyProgress& progress) = 0;
  // Asked as often: true once no further run should start.
  virtual bool StopRequested() = 0;
};

// A run that failed, and why (the first message it showed).
struct FailedRun {
  std::int64_t run = 0;
  std::string reason;
};

// What a study gave: the records in run order (always the shard's first runs, without a gap,
// however it ended) and whether it was stopped before all of them were flown.
struct StudyOutcome {
  std::vector<std::string> inputNames;  // the scattered inputs, in the CSV's column order
  std::vector<RunRecord> records;
  std::int64_t total = 0;  // runs of the shard
  bool stopped = false;    // a stop was asked for

  std::vector<FailedRun> Failures() const;
  // The runs CSV and the summary JSON, byte for byte as plumora-cli dispersions writes them; the
  // summary is refused (kInvalid) for records of runs on planets of different radii.
  std::string CsvText() const;
  Result<std::string> SummaryJson() const;
};

// Flies a study on worker threads while the caller goes on: Start, look at Progress as often as
// wanted, Stop when the user asks, Finish for the outcome. The setup must outlive the runner.
class StudyRunner {
 public:
  StudyRunner(const DispersionSetup& setup, const StudyPlan& plan);
  ~StudyRunner();  // stops a study still in flight and waits for its runs
  StudyRunner(const StudyRunner&) = delete;
  StudyRunner& operator=(const StudyRunner&) = delete;

  void Start();
  StudyProgress Progress() const;
  // No further run starts; those in flight finish.
  void Stop();
  // Waits up to timeout for the study to end; true once it has.
  bool WaitFor(std::chrono::milliseconds timeout);
  // Waits for the study to end and hands over its outcome (once).
  StudyOutcome Finish();

 private:
  struct Flight;
  const DispersionSetup& setup_;
  StudyPlan plan_;
  std::unique_ptr<Flight> flight_;
};

inline constexpr std::chrono::milliseconds kStudyProgressInterval{100};

// Flies a study to its end, or until the sink asks to stop, showing its progress every interval
// on the calling thread.
StudyOutcome RunStudy(const DispersionSetup& setup, const StudyPlan& plan, StudyProgressSink& sink,
                      std::chrono::milliseconds interval = kStudyProgressInterval);

}  // namespace plumora
