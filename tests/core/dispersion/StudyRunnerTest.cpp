#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "core/dispersion/DispersionCsv.h"
#include "core/dispersion/MissionStudy.h"
#include "core/dispersion/StudyRunner.h"
#include "support/FlightFixture.h"

namespace plumora {
namespace {

// Remembers what it was shown, and asks to stop once told to.
class RecordingSink final : public StudyProgressSink {
 public:
  explicit RecordingSink(bool stop = false) : stop_(stop) {}
  void ShowStudyProgress(const StudyProgress& progress) override { shown.push_back(progress); }
  bool StopRequested() override { return stop_; }
  std::vector<StudyProgress> shown;

 private:
  bool stop_;
};

class StudyRunnerTest : public ::testing::Test, public test::FlightFixture {
 protected:
  // A short flight: two seconds of a ballistic entry, ending aloft; about one run in three draws
  // a mass that is not positive and fails without flying.
  StudyRunnerTest() {
    CBallisticEntryPhase& entry = AddBallisticPhase();
    entry.stopKind = kStopOnTime;
    entry.stopTime = 2.0;
    std::vector<Variation> variations;
    for (const char* text : {"height=normal(0,300)", "payload.0.mass=normal(0,6000)"}) {
      variations.push_back(ParseVariation(text).value());
    }
    Result<DispersionSetup> prepared =
        PrepareMissionStudy(doc.mission, {variations, 1, 4, 0}, doc.baseFolder);
    EXPECT_TRUE(prepared.ok()) << prepared.message();
    setup = std::move(prepared).value();
  }
  // The CSV of runs 0 … n − 1 flown one by one, without the runner.
  std::string FlownAlone(std::int64_t n) const {
    std::vector<RunRecord> records;
    for (std::int64_t run = 0; run < n; ++run) records.push_back(FlyScatteredRun(setup, run));
    return DispersionCsvText({"height", "payload.0.mass"}, records);
  }
  DispersionSetup setup;
};

TEST_F(StudyRunnerTest, AStopKeepsTheFirstRunsAsTheyWouldHaveBeenFlown) {
  StudyRunner runner(setup, {1000000, {}, 2});
  runner.Start();
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(2);
  while (runner.Progress().done < 5 && std::chrono::steady_clock::now() < giveUp) {
    (void)runner.WaitFor(std::chrono::milliseconds(1));
  }
  runner.Stop();
  const StudyOutcome outcome = runner.Finish();
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(outcome.total, 1000000);
  const auto kept = static_cast<std::int64_t>(outcome.records.size());
  ASSERT_GE(kept, 5);
  ASSERT_LT(kept, outcome.total);
  for (std::int64_t i = 0; i < kept; ++i) EXPECT_EQ(outcome.records[i].run, i);
  EXPECT_EQ(outcome.CsvText(), FlownAlone(kept));
  EXPECT_GE(runner.Progress().done, kept);

  // Dropping a runner in flight stops it and waits for its runs.
  StudyRunner dropped(setup, {1000000, {}, 2});
  dropped.Start();
}

TEST_F(StudyRunnerTest, ShowsProgressAndListsTheFailedRunsWithTheirReasons) {
  RecordingSink sink;
  const StudyOutcome outcome = RunStudy(setup, {40, {}, 3}, sink, std::chrono::milliseconds(1));
  EXPECT_FALSE(outcome.stopped);
  ASSERT_EQ(outcome.records.size(), 40U);
  EXPECT_EQ(outcome.CsvText(), FlownAlone(40));

  const std::vector<FailedRun> failures = outcome.Failures();
  ASSERT_FALSE(failures.empty());
  EXPECT_LT(failures.size(), 40U);
  for (const FailedRun& f : failures) {
    const RunRecord& r = outcome.records[static_cast<std::size_t>(f.run)];
    EXPECT_EQ(r.end, RunEnd::kFailed);
    EXPECT_EQ(f.reason, r.message);
    EXPECT_EQ(f.reason.rfind("the drawn payload.0.mass is not positive (", 0), 0U) << f.reason;
  }

  // The last word is the whole study; on the way the counts only grow and never show more
  // failed runs than finished ones.
  ASSERT_FALSE(sink.shown.empty());
  const StudyProgress& last = sink.shown.back();
  EXPECT_EQ(last.total, 40);
  EXPECT_EQ(last.done, 40);
  EXPECT_EQ(last.failed, static_cast<std::int64_t>(failures.size()));
  EXPECT_EQ(last.SecondsLeft(), 0.0);
  for (std::size_t i = 1; i < sink.shown.size(); ++i) {
    EXPECT_LE(sink.shown[i - 1].done, sink.shown[i].done);
    EXPECT_LE(sink.shown[i].failed, sink.shown[i].done);
  }

  // The summary is the one of its records.
  const Result<std::string> summary = outcome.SummaryJson();
  ASSERT_TRUE(summary.ok()) << summary.message();
  EXPECT_NE(summary->find("\"runs\": 40,"), std::string::npos) << summary.value();
}

TEST_F(StudyRunnerTest, ASinkThatStopsAtOnceAndTheTimeLeft) {
  RecordingSink stopping(true);
  const StudyOutcome outcome =
      RunStudy(setup, {1000000, {}, 1}, stopping, std::chrono::milliseconds(1));
  EXPECT_TRUE(outcome.stopped);
  EXPECT_LT(static_cast<std::int64_t>(outcome.records.size()), outcome.total);
  EXPECT_EQ(outcome.CsvText(), FlownAlone(static_cast<std::int64_t>(outcome.records.size())));

  StudyProgress p;
  p.total = 10;
  EXPECT_TRUE(std::isnan(p.SecondsLeft()));  // nothing finished: no rate yet
  p.done = 4;
  p.elapsedSeconds = 2.0;
  EXPECT_EQ(p.RunsPerSecond(), 2.0);
  EXPECT_EQ(p.SecondsLeft(), 3.0);
  EXPECT_EQ(StudyThreads(5), 5);
  EXPECT_GE(StudyThreads(0), 1);
}

TEST_F(StudyRunnerTest, TheNominalFlightScattersNothingAndAStudyTheMissionCannotFlyIsRefused) {
  // Scatters of zero width fly the mission as it stands: the nominal flight must match them.
  std::vector<Variation> still;
  for (const char* text : {"height=normal(0,0)", "payload.0.mass=normal(0,0)"}) {
    still.push_back(ParseVariation(text).value());
  }
  const DispersionSetup unscattered =
      PrepareMissionStudy(doc.mission, {still, 1, 9, 0}, doc.baseFolder).value();
  const RunRecord nominal = FlyNominal(setup);
  EXPECT_TRUE(nominal.inputs.empty());
  EXPECT_EQ(DispersionCsvText({}, {nominal}),
            DispersionCsvText({}, {[&] {
                                RunRecord r = FlyScatteredRun(unscattered, 3);
                                r.run = 0;
                                r.inputs.clear();
                                return r;
                              }()}));

  const Result<DispersionSetup> noSuchParachute = PrepareMissionStudy(
      doc.mission, {{ParseVariation("parachute.7.area=normal(0,0.1)").value()}, 1, 1, 0},
      doc.baseFolder);
  ASSERT_FALSE(noSuchParachute.ok());
  EXPECT_NE(noSuchParachute.message().find("parachute number 7"), std::string::npos);
}

}  // namespace
}  // namespace plumora
