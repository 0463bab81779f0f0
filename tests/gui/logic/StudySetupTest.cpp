#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"
#include "gui/logic/study/StudyFlight.h"
#include "gui/logic/study/StudySetup.h"
#include "gui/logic/study/StudySidecar.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

using test::DataFolder;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::filesystem::path Example(const std::string& name) {
  return DataFolder() / "examples" / name;
}

DispersionStudy ExampleStudy(const std::string& name) {
  Result<DispersionStudy> study = LoadDispersionStudy(Example(name + ".dispersions.json"));
  EXPECT_TRUE(study.ok()) << study.message();
  return study.ok() ? study.value() : DispersionStudy{};
}

TEST(StudySetup, TheFieldsOfEveryRecordOfTheMissionWithTheirUnits) {
  Mission mission;
  mission.CreatePayload();
  mission.CreatePayload();
  mission.CreateParachute();
  const std::vector<std::string> fields = ScatterableFieldsOf(mission);
  const std::vector<std::string> records(fields.begin() + 9, fields.end());
  EXPECT_EQ(records, (std::vector<std::string>{"payload.0.mass", "payload.1.mass",
                                               "parachute.0.mass", "parachute.0.area",
                                               "density_factor", "wind_factor"}));
  // Every one of them is a field the command line knows.
  for (const std::string& field : fields) EXPECT_TRUE(VariationOfField(field).ok()) << field;
  EXPECT_EQ(FieldUnit("height"), "m");
  EXPECT_EQ(FieldUnit("path_angle"), "°");
  EXPECT_EQ(FieldUnit("parachute.0.area"), "m²");
  EXPECT_EQ(FieldUnit("density_factor"), "");
  EXPECT_EQ(ParameterUnit("payload.1.mass", DrawKind::kUniform), "kg");
  EXPECT_EQ(ParameterUnit("payload.1.mass", DrawKind::kScaleNormal), "");
}

TEST(StudySetup, AStudyComesBackAsItWasAndListsAsTyped) {
  const DispersionStudy mars = ExampleStudy("mars-entry");
  CPlumoraDoc doc;
  ASSERT_TRUE(LoadMission(doc, Example("mars-entry.psd")).ok());
  const StudySetupEditor editor(mars, ScatterableFieldsOf(doc.mission));
  const Result<DispersionStudy> again = editor.Study();
  ASSERT_TRUE(again.ok()) << again.message();
  EXPECT_EQ(DispersionStudyJson(again.value()), DispersionStudyJson(mars));
  EXPECT_EQ(editor.rows()[0].ListText(), "height: normal(0, 500) m");
  EXPECT_EQ(editor.rows()[3].ListText(), "payload.0.mass: scale-normal(1, 0.02)");
  // A scattered field is not offered again.
  for (const std::string& field : editor.AddableFields()) EXPECT_NE(field, "height");
}

TEST(StudySetup, AddingRemovingAndChangingTheDistribution) {
  Mission mission;
  mission.CreateParachute();
  StudySetupEditor editor(DefaultStudy(), ScatterableFieldsOf(mission));
  EXPECT_EQ(editor.Add("speed"), 0);
  EXPECT_EQ(editor.Add("speed"), -1);               // scattered already
  EXPECT_EQ(editor.Add("payload.7.mass"), -1);      // no such payload
  EXPECT_EQ(editor.Add("parachute.0.area"), 1);     // a factor on the area by default
  EXPECT_EQ(editor.rows()[1].kind, DrawKind::kScaleNormal);
  EXPECT_EQ(editor.rows()[1].first, "1");
  editor.row(0).second = "10";
  editor.SetKind(0, DrawKind::kUniform);  // still an offset: the numbers stay
  EXPECT_EQ(editor.rows()[0].second, "10");
  editor.SetKind(0, DrawKind::kScaleNormal);  // now a factor: neutral again
  EXPECT_EQ(editor.rows()[0].first, "1");
  EXPECT_EQ(editor.rows()[0].second, "0");
  editor.Remove(0);
  editor.Remove(5);  // nothing there
  ASSERT_EQ(editor.rows().size(), 1U);
  EXPECT_EQ(editor.rows()[0].field, "parachute.0.area");
  const Result<DispersionStudy> study = editor.Study();
  ASSERT_TRUE(study.ok());
  EXPECT_EQ(study->runs, 200);
  EXPECT_EQ(study->seed, 1U);
  EXPECT_EQ(study->threads, 0);
  EXPECT_EQ(study->variations[0].name, "parachute.0.area");
}

TEST(StudySetup, BadValuesAreRefusedNamingTheFieldAndNothingIsLost) {
  Mission mission;
  StudySetupEditor editor(DefaultStudy(), ScatterableFieldsOf(mission));
  editor.Add("height");
  editor.Add("latitude");
  const auto refusal = [&] {
    const Result<DispersionStudy> study = editor.Study();
    return study.ok() ? std::string("accepted") : study.message();
  };
  const struct {
    std::string* text;
    std::string value;
    std::string says;
  } cases[] = {
      {&editor.runs, "0", "Runs must be a whole number from 1"},
      {&editor.runs, "1e3", "Runs must be"},
      {&editor.seed, "-1", "Seed must be a whole number from 0 to 18446744073709551615"},
      {&editor.threads, "5000", "Threads must be a whole number from 0 (one per core) to 4096"},
      {&editor.row(1).second, "-0.5", "latitude: the standard deviation must not be negative"},
      {&editor.row(0).first, "abc", "height: \"Mean\" needs a number; \"abc\" is not one"},
  };
  for (const auto& c : cases) {
    const std::string kept = *c.text;
    *c.text = c.value;
    EXPECT_NE(refusal().find(c.says), std::string::npos) << refusal();
    EXPECT_EQ(*c.text, c.value);  // what was typed stays to be corrected
    *c.text = kept;
  }
  editor.SetKind(0, DrawKind::kUniform);
  editor.row(0).first = "5";
  editor.row(0).second = "-5";
  EXPECT_NE(refusal().find("height: the low end must not be above the high end"),
            std::string::npos);
  editor.row(0).second = " 5 ";  // spaces around a number are fine
  EXPECT_EQ(refusal(), "accepted");
}

TEST(StudySidecar, ReadBesideTheMissionOrTheDefaultWithAWarningNamingTheFile) {
  const TempDir dir;
  const std::filesystem::path mission = dir.path() / "m.psd";
  const SidecarStudy none = ReadSidecarStudy(mission);
  EXPECT_FALSE(none.found);
  EXPECT_TRUE(none.warning.empty());
  EXPECT_EQ(DispersionStudyJson(none.study), DispersionStudyJson(DefaultStudy()));

  WriteFile(dir.path() / "m.dispersions.json", "{\"format\": \"something else\"}");
  const SidecarStudy bad = ReadSidecarStudy(mission);
  EXPECT_FALSE(bad.found);
  EXPECT_NE(bad.warning.find((dir.path() / "m.dispersions.json").string()), std::string::npos);
  EXPECT_EQ(bad.study.runs, 200);
  // A bad file is left alone: saving the mission does not replace it.
  DocumentStudy document;
  AdoptSidecarStudy(document, bad, mission);
  EXPECT_TRUE(KeepStudyBeside(document, mission).ok());
  EXPECT_EQ(ReadFile(dir.path() / "m.dispersions.json"), "{\"format\": \"something else\"}");

  std::filesystem::copy_file(Example("titan-probe.dispersions.json"),
                             dir.path() / "m.dispersions.json",
                             std::filesystem::copy_options::overwrite_existing);
  const SidecarStudy good = ReadSidecarStudy(mission);
  EXPECT_TRUE(good.found);
  EXPECT_EQ(DispersionStudyJson(good.study), DispersionStudyJson(ExampleStudy("titan-probe")));
}

TEST(StudySidecar, WrittenWhenAcceptedOrOnTheFirstSaveAndBesideANewName) {
  const TempDir dir;
  DocumentStudy document;
  DispersionStudy setup = DefaultStudy();
  setup.runs = 17;
  // A mission without a file keeps the setup until it is saved.
  ASSERT_TRUE(AcceptStudySetup(document, setup, {}).ok());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  ASSERT_TRUE(KeepStudyBeside(document, dir.path() / "a.psd").ok());
  EXPECT_EQ(ReadFile(dir.path() / "a.dispersions.json"), DispersionStudyJson(setup));
  // Saved again under the same name: the file stays as it is.
  WriteFile(dir.path() / "a.dispersions.json", "edited by hand");
  ASSERT_TRUE(KeepStudyBeside(document, dir.path() / "a.psd").ok());
  EXPECT_EQ(ReadFile(dir.path() / "a.dispersions.json"), "edited by hand");
  // Saved as another mission: the study goes with it.
  ASSERT_TRUE(KeepStudyBeside(document, dir.path() / "b.json").ok());
  EXPECT_EQ(ReadFile(dir.path() / "b.dispersions.json"), DispersionStudyJson(setup));
  // Accepted for a mission with a file: written at once.
  setup.seed = 99;
  ASSERT_TRUE(AcceptStudySetup(document, setup, dir.path() / "b.json").ok());
  EXPECT_EQ(ReadFile(dir.path() / "b.dispersions.json"), DispersionStudyJson(setup));
  // A mission whose study was never set up writes none.
  DocumentStudy untouched;
  ASSERT_TRUE(KeepStudyBeside(untouched, dir.path() / "c.psd").ok());
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "c.dispersions.json"));
  // A failed write names the file, and is tried again on the next save.
  const std::filesystem::path nowhere = dir.path() / "missing" / "d.psd";
  const Result<> failed = AcceptStudySetup(document, setup, nowhere);
  ASSERT_FALSE(failed.ok());
  EXPECT_NE(failed.message().find(DispersionStudyPath(nowhere).string()), std::string::npos);
  std::filesystem::create_directory(dir.path() / "missing");
  EXPECT_TRUE(KeepStudyBeside(document, nowhere).ok());
  EXPECT_TRUE(std::filesystem::exists(DispersionStudyPath(nowhere)));
}

TEST(StudyTexts, ProgressFailuresAndTheSummaryBesideTheRuns) {
  StudyProgress progress;
  progress.total = 1000;
  EXPECT_EQ(ProgressTexts(progress).left, "");  // nothing to go by yet
  progress.done = 250;
  progress.failed = 3;
  progress.elapsedSeconds = 10.0;
  const StudyProgressTexts texts = ProgressTexts(progress);
  EXPECT_EQ(texts.done, "250 of 1000");
  EXPECT_EQ(texts.failed, "3");
  EXPECT_EQ(texts.left, "30 s");
  EXPECT_EQ(texts.percent, 25);

  std::vector<FailedRun> failures;
  EXPECT_EQ(FailedRunsText(failures), "");
  for (int k = 0; k < 25; ++k) failures.push_back({k * 2, "Error: too steep"});
  const std::string listed = FailedRunsText(failures, 20);
  EXPECT_EQ(listed.rfind("run 0 failed: Error: too steep\n", 0), 0U);
  EXPECT_NE(listed.find("run 38 failed"), std::string::npos);
  EXPECT_EQ(listed.find("run 40 failed"), std::string::npos);
  EXPECT_NE(listed.find("... and 5 more failed runs"), std::string::npos);

  EXPECT_EQ(StudySummaryPath("/tmp/mars.csv"), "/tmp/mars.summary.json");
  EXPECT_EQ(StudySummaryPath("/tmp/mars"), "/tmp/mars.summary.json");
}

// The mars-entry study, short.
struct ShortStudy : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(LoadMission(doc, Example("mars-entry.psd")).ok());
    study = ExampleStudy("mars-entry");
    study.runs = 6;
    study.threads = 2;
  }
  CPlumoraDoc doc;
  DispersionStudy study;
};

TEST_F(ShortStudy, FlownInTheBackgroundAsTheRunnerFliesItWithItsNominalFlight) {
  StudyFlight flight(doc.mission, study, DataFolder());
  const Result<std::shared_ptr<const FlownStudy>> flown = flight.Finish();
  ASSERT_TRUE(flown.ok()) << flown.message();
  const FlownStudy& result = *flown.value();
  EXPECT_FALSE(result.outcome.stopped);
  EXPECT_EQ(result.outcome.records.size(), 6U);
  ASSERT_TRUE(result.nominal.has_value());
  EXPECT_EQ(result.nominal->end, RunEnd::kLanded);
  EXPECT_EQ(StudyEndText(result), "Study: 6 runs flown, 0 failed");

  // The same bytes as the runner gives on its own, on one thread.
  Result<DispersionSetup> setup = PrepareMissionStudy(doc.mission, study, DataFolder());
  ASSERT_TRUE(setup.ok());
  StudyRunner runner(setup.value(), StudyPlan{6, Shard{}, 1});
  runner.Start();
  const StudyOutcome alone = runner.Finish();
  EXPECT_EQ(result.outcome.CsvText(), alone.CsvText());
  EXPECT_EQ(result.outcome.SummaryJson().value(), alone.SummaryJson().value());

  // Exported: those bytes, the summary beside the runs, never over the mission.
  const TempDir dir;
  const std::filesystem::path csv = dir.path() / "runs.csv";
  ASSERT_TRUE(ExportStudy(result, csv, {}).ok());
  EXPECT_EQ(ReadFile(csv), alone.CsvText());
  EXPECT_EQ(ReadFile(dir.path() / "runs.summary.json"), alone.SummaryJson().value());
  const std::filesystem::path mission = dir.path() / "m.summary.json";
  WriteFile(mission, "mission");
  const Result<> refused = ExportStudy(result, dir.path() / "m.csv", {mission});
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(ReadFile(mission), "mission");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "m.csv"));
  const Result<> nowhere = ExportStudy(result, dir.path() / "no" / "runs.csv", {});
  ASSERT_FALSE(nowhere.ok());
  EXPECT_NE(nowhere.message().find("runs.csv"), std::string::npos);
}

TEST_F(ShortStudy, StoppedAtOnceItKeepsTheFirstRunsWithoutAGap) {
  study.runs = 400;
  StudyFlight flight(doc.mission, study, DataFolder());
  flight.Stop();
  EXPECT_TRUE(flight.stopping());
  const Result<std::shared_ptr<const FlownStudy>> flown = flight.Finish();
  ASSERT_TRUE(flown.ok()) << flown.message();
  const StudyOutcome& outcome = flown.value()->outcome;
  EXPECT_TRUE(outcome.stopped);
  EXPECT_LT(outcome.records.size(), 400U);
  for (std::size_t k = 0; k < outcome.records.size(); ++k) {
    EXPECT_EQ(outcome.records[k].run, static_cast<std::int64_t>(k));
  }
  EXPECT_EQ(StudyEndText(*flown.value()).rfind("Study stopped: ", 0), 0U);
}

TEST_F(ShortStudy, AnInputTheMissionLacksFliesNothingAndSaysWhy) {
  Result<Variation> missing = ParseVariation("payload.9.mass=scale-normal(1,0.1)");
  ASSERT_TRUE(missing.ok());
  study.variations.push_back(missing.value());
  StudyFlight flight(doc.mission, study, DataFolder());
  EXPECT_TRUE(flight.WaitFor(std::chrono::seconds(30)));
  const Result<std::shared_ptr<const FlownStudy>> flown = flight.Finish();
  ASSERT_FALSE(flown.ok());
  EXPECT_NE(flown.message().find("payload.9.mass"), std::string::npos) << flown.message();
  // Tables that cannot be read are said too.
  StudyFlight noTables(doc.mission, ExampleStudy("mars-entry"), "/nonexistent-folder");
  EXPECT_FALSE(noTables.Finish().ok());
}

}  // namespace
}  // namespace plumora::gui
