// A mission's dispersion study flown in the background for the desktop program: the tables are
// read, the runs flown on the study's threads and the nominal flight beside them, all away from
// the thread that asks, which only looks at the progress, may stop, and takes the flown study at
// the end. Also what the program says about a study: its progress, its failed runs, and where
// its results are written.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/common/Result.h"
#include "core/dispersion/MissionStudy.h"
#include "core/mission/Mission.h"

namespace plumora::gui {

class StudyFlight {
 public:
  // Starts at once; the mission and the study are copied.
  StudyFlight(const Mission& mission, const DispersionStudy& study,
              std::filesystem::path baseFolder);
  ~StudyFlight();  // stops the runs still to fly and waits for those in flight
  StudyFlight(const StudyFlight&) = delete;
  StudyFlight& operator=(const StudyFlight&) = delete;

  StudyProgress Progress() const;
  // No further run starts; the finished runs are kept.
  void Stop();
  bool stopping() const;
  // Waits up to timeout; true once everything has been flown (or has failed to start).
  bool WaitFor(std::chrono::milliseconds timeout);
  // Waits for the end and hands over the flown study, or why none was flown (tables that could
  // not be read, an input the mission does not have).
  Result<std::shared_ptr<const FlownStudy>> Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The progress dialog's lines: "120 of 1000", "3", "72 s" (empty before the first run ended).
struct StudyProgressTexts {
  std::string done;
  std::string failed;
  std::string left;
  int percent = 0;
};
StudyProgressTexts ProgressTexts(const StudyProgress& progress);

// The failed runs with their reasons, one a line ("run 12 failed: ..."), at most `shown` of them
// and then how many more there are; empty when none failed.
std::string FailedRunsText(const std::vector<FailedRun>& failures, std::size_t shown = 20);

// What the status bar says once a study is over: "Study: 1000 runs flown, 2 failed" or
// "Study stopped: 120 of 1000 runs flown, 0 failed".
std::string StudyEndText(const FlownStudy& flown);

// The summary written beside a study's runs CSV: "runs.csv" gives "runs.summary.json".
std::filesystem::path StudySummaryPath(const std::filesystem::path& csv);

// Writes the flown study's runs CSV to csv and its summary beside it (StudySummaryPath), the
// bytes plumora-cli dispersions writes, as every output is written (WriteOutputFile). Neither
// may go over one of `inputs` (the mission and its study file). The error names the file.
Result<> ExportStudy(const FlownStudy& flown, const std::filesystem::path& csv,
                     const std::vector<std::filesystem::path>& inputs);

}  // namespace plumora::gui
