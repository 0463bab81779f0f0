#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Cli.h"
#include "core/app/MissionFiles.h"
#include "core/app/RunMission.h"
#include "core/dispersion/StudyRunner.h"
#include "support/FlightFixture.h"

namespace plumora {
namespace {

using test::Cli;

class DispersionsCommand : public ::testing::Test, public test::FlightFixture {
 protected:
  DispersionsCommand() {
    CBallisticEntryPhase& entry = AddBallisticPhase();
    entry.stopKind = kStopOnTime;
    entry.stopTime = 2.0;
    EXPECT_TRUE(SaveMission(doc.mission, base / "m.json").ok());
  }
  std::string Path(const std::string& name) const { return (base / name).string(); }
  // dispersions of m.json with the arguments given, in the fixture's data folder.
  test::ProcessResult Disperse(std::vector<std::string> args) const {
    args.insert(args.begin(), {"dispersions", "--quiet", "--base", base.path().string()});
    args.push_back(Path("m.json"));
    return Cli(args);
  }
  const std::vector<std::string> vary = {"--runs", "7",
                                         "--seed", "11",
                                         "--vary", "height=normal(0,300)",
                                         "--vary", "payload.0.mass=scale-normal(1,0.1)",
                                         "--vary", "density_factor=uniform(-0.1,0.1)"};
  std::vector<std::string> With(std::vector<std::string> more) const {
    more.insert(more.begin(), vary.begin(), vary.end());
    return more;
  }
};

TEST_F(DispersionsCommand, TheSameSeedGivesTheSameFilesOnAnyThreadsAndInShards) {
  const auto one =
      Disperse(With({"--threads", "1", "--csv", Path("one.csv"), "--summary", Path("one.json")}));
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.out, "");
  EXPECT_EQ(one.err, "");
  const std::string csv = test::ReadFile(Path("one.csv"));
  EXPECT_EQ(csv.substr(0, csv.find('\n')),
            "run,height,payload.0.mass,density_factor,end,landing_time,landing_latitude,"
            "landing_longitude,landing_speed,peak_deceleration,peak_dynamic_pressure,"
            "max_connection_force,planet_radius,message");
  const std::string summary = test::ReadFile(Path("one.json"));
  EXPECT_NE(summary.find("\"runs\": 7,\n  \"landed\": 0,\n  \"aloft\": 7,\n  \"failures\": 0"),
            std::string::npos)
      << summary;

  // Two threads, and the summary on stdout; or the CSV there, and the summary on stderr.
  const auto two = Disperse(With({"--threads", "2", "--csv", Path("two.csv")}));
  ASSERT_EQ(two.status, 0) << two.err;
  EXPECT_EQ(test::ReadFile(Path("two.csv")), csv);
  EXPECT_EQ(two.out, summary);
  const auto piped = Disperse(With({"--threads", "2", "--csv", "-"}));
  ASSERT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, csv);
  EXPECT_EQ(piped.err, summary);

  // Shards 1/2 and 0/2 hold runs 1, 3, 5 and 0, 2, 4, 6; their summary is the whole's.
  ASSERT_EQ(Disperse(With({"--shard", "1/2", "--csv", Path("s1.csv")})).status, 0);
  ASSERT_EQ(Disperse(With({"--shard", "0/2", "--csv", Path("s0.csv")})).status, 0);
  const std::string odd = test::ReadFile(Path("s1.csv"));
  EXPECT_EQ(odd.substr(odd.find('\n') + 1, 2), "1,");
  EXPECT_EQ(std::count(odd.begin(), odd.end(), '\n'), 4);
  const auto merged = Cli({"dispersions-summary", Path("s1.csv"), Path("s0.csv")});
  ASSERT_EQ(merged.status, 0) << merged.err;
  EXPECT_EQ(merged.out, summary);
}

TEST_F(DispersionsCommand, AStudyFileFliesAsItsFlagsAndFlagsBesideItWin) {
  const auto flags = Disperse(With({"--csv", Path("flags.csv"), "--summary", Path("flags.json")}));
  ASSERT_EQ(flags.status, 0) << flags.err;
  const std::string csv = test::ReadFile(Path("flags.csv"));
  const std::string summary = test::ReadFile(Path("flags.json"));

  // The same study in a file, threads and all.
  test::WriteFile(base / "m.dispersions.json", R"({
    "format": "plumora-dispersions-study", "runs": 7, "seed": 11, "threads": 2,
    "vary": [
      {"field": "height", "distribution": "normal", "mean": 0, "sigma": 300},
      {"field": "payload.0.mass", "distribution": "scale-normal", "mean": 1, "sigma": 0.1},
      {"field": "density_factor", "distribution": "uniform", "low": -0.1, "high": 0.1}]})");
  const std::string study = Path("m.dispersions.json");
  const auto file = Disperse({"--study", study, "--csv", Path("file.csv")});
  ASSERT_EQ(file.status, 0) << file.err;
  EXPECT_EQ(test::ReadFile(Path("file.csv")), csv);
  EXPECT_EQ(file.out, summary);

  // Another study whose runs, seed and scatters the command line replaces: a --vary takes the
  // place of its field's in the file; a field the file lacks comes after the file's.
  test::WriteFile(base / "other.json", R"({"runs": 500, "seed": 3, "vary": [
      {"field": "height", "distribution": "uniform", "low": -1, "high": 1},
      {"field": "payload.0.mass", "distribution": "scale-normal", "mean": 1, "sigma": 0.5}]})");
  const auto over =
      Disperse({"--study", Path("other.json"), "--runs", "7", "--seed", "11", "--vary",
                "payload.0.mass=scale-normal(1,0.1)", "--vary", "density_factor=uniform(-0.1,0.1)",
                "--vary", "height=normal(0,300)", "--csv", Path("over.csv")});
  ASSERT_EQ(over.status, 0) << over.err;
  EXPECT_EQ(test::ReadFile(Path("over.csv")), csv);
  EXPECT_EQ(over.out, summary);

  // A study that cannot be flown is bad usage, named with the place of its fault; the study is
  // an input that no output may go over.
  test::WriteFile(base / "bad.json", R"({"runs": 5, "vary": [{"field": "height"}]})");
  const auto bad = Disperse({"--study", Path("bad.json")});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err, "error: The file " + Path("bad.json") +
                         " is not a dispersion study (/vary/0/distribution must be \"normal\", "
                         "\"uniform\" or \"scale-normal\")\n");
  const auto overStudy = Disperse({"--study", study, "--summary", study});
  EXPECT_EQ(overStudy.status, 1);
  EXPECT_EQ(overStudy.err, "error: The output " + study + " is the input " + study +
                               " itself; nothing was done\n");
  const auto noRuns = Disperse({"--vary", "height=normal(0,1)"});
  EXPECT_EQ(noRuns.status, 2);
  EXPECT_EQ(noRuns.err, "error: --runs is required without --study\n");
}

// A front end flying the study through the runner gets the command line's files to the byte.
TEST_F(DispersionsCommand, TheRunnerGivesTheCommandLinesBytes) {
  const auto cli = Disperse(With({"--csv", Path("cli.csv"), "--summary", Path("cli.json")}));
  ASSERT_EQ(cli.status, 0) << cli.err;

  CPlumoraDoc read;
  read.baseFolder = base.path();
  ASSERT_TRUE(LoadMission(read, base / "m.json").ok());
  std::vector<Variation> variations;
  for (std::size_t i = 5; i < vary.size(); i += 2) {
    variations.push_back(ParseVariation(vary[i]).value());
  }
  Result<DispersionSetup> setup = PrepareDispersion(read.mission, variations, 11);
  Result<Environment> environment = LoadRunEnvironment(read.baseFolder, read.mission);
  ASSERT_TRUE(setup.ok() && environment.ok());
  setup->environment = std::move(environment).value();
  class Quiet final : public StudyProgressSink {
    void ShowStudyProgress(const StudyProgress&) override {}
    bool StopRequested() override { return false; }
  } sink;
  const StudyOutcome outcome = RunStudy(setup.value(), {7, {}, 3}, sink);
  EXPECT_EQ(outcome.CsvText(), test::ReadFile(Path("cli.csv")));
  const Result<std::string> summary = outcome.SummaryJson();
  ASSERT_TRUE(summary.ok()) << summary.message();
  EXPECT_EQ(summary.value(), test::ReadFile(Path("cli.json")));
}

TEST_F(DispersionsCommand, BadArgumentsExitWithTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"--runs", "0"},
           {"--runs", "-3"},
           {"--runs", "5", "--threads", "0"},
           {"--runs", "5", "--seed", "-1"},
           {"--runs", "5", "--shard", "2/2"},
           {"--runs", "5", "--shard", "1-2"},
           {"--runs", "5", "--vary", "altitude=normal(0,1)"},
           {"--runs", "5", "--vary", "height=normal(0,-1)"},
           {"--runs", "5", "--vary", "height=triangle(0,1)"},
           {"--runs", "5", "--vary", "height=normal(0,1)", "--vary", "height=normal(0,2)"},
           {"--runs", "5", "--vary", "parachute.4.area=normal(0,1)"}}) {
    const auto r = Disperse(args);
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args) << r.err;
    EXPECT_NE(r.err, "") << ::testing::PrintToString(args);
  }
  EXPECT_EQ(Disperse({"--runs", "5", "--vary", "parachute.4.area=normal(0,1)"}).err,
            "error: the mission has no parachute number 4 (parachute.4.area)\n");
  EXPECT_EQ(Cli({"dispersions", "--runs", "5", Path("absent.json")}).status, 2);

  // Outputs that would destroy an input or each other are refused before anything flies.
  const auto overMission = Disperse({"--runs", "5", "--csv", Path("m.json")});
  EXPECT_EQ(overMission.status, 1);
  EXPECT_EQ(overMission.err, "error: The output " + Path("m.json") + " is the input " +
                                 Path("m.json") + " itself; nothing was done\n");
  const auto oneFile = Disperse({"--runs", "5", "--csv", "-", "--summary", "-"});
  EXPECT_EQ(oneFile.status, 1);
  EXPECT_EQ(oneFile.err, "error: The CSV and the summary cannot both go to -\n");

  // Without its atmosphere the study cannot fly at all.
  const auto noAir = Cli({"dispersions", "--runs", "2", "--base", Path("nowhere"), Path("m.json")});
  EXPECT_EQ(noAir.status, 1);
  EXPECT_EQ(noAir.err, "error: atm folder not found in readatmosphere\n" +
                           (std::filesystem::path(Path("nowhere")) / "atm").string() +
                           " does not exist\n");
}

TEST_F(DispersionsCommand, TheSummaryReadsOnlyDispersionsCsvs) {
  ASSERT_EQ(Disperse(With({"--csv", Path("a.csv")})).status, 0);
  test::WriteFile(base / "samples.csv", "time,payload_height\n0,1\n");
  const auto other = Cli({"dispersions-summary", Path("a.csv"), Path("samples.csv")});
  EXPECT_EQ(other.status, 2);
  EXPECT_EQ(other.err, "error: The file " + Path("samples.csv") +
                           " is not a dispersions CSV (line 1: not the header of a dispersions "
                           "CSV (run,INPUT...,end,landing_time,...))\n");
  const auto twice = Cli({"dispersions-summary", Path("a.csv"), Path("a.csv")});
  EXPECT_EQ(twice.status, 2);
  EXPECT_EQ(twice.err,
            "error: The files hold one study's runs only once each: run 0 is there twice\n");
  EXPECT_EQ(Cli({"dispersions-summary", "--summary", Path("a.csv"), Path("a.csv")}).status, 1);
  EXPECT_EQ(Cli({"dispersions-summary", Path("absent.csv")}).status, 2);
  EXPECT_EQ(Cli({"dispersions-summary"}).status, 2);
}

}  // namespace
}  // namespace plumora
