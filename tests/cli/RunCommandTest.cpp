#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "cli/Cli.h"
#include "core/app/MissionFiles.h"
#include "core/app/ResultsCsv.h"
#include "core/common/FileIO.h"
#include "support/FlightFixture.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

namespace fs = std::filesystem;
using test::Cli;

class RunCommand : public ::testing::Test, public test::FlightFixture {
 protected:
  std::string Save(const std::string& name) {
    const auto path = base / name;
    EXPECT_TRUE(SaveMission(doc.mission, path).ok());
    return path.string();
  }
  std::string Csv() const { return (base / "out.csv").string(); }
  // A two-second entry (21 samples), saved once as m.psd.
  std::string EntryMission() {
    if (entryMission_.empty()) {
      CBallisticEntryPhase& phase = AddBallisticPhase();
      phase.stopKind = 0;
      phase.stopTime = 2.0;
      entryMission_ = Save("m.psd");
    }
    return entryMission_;
  }
  std::vector<std::string> Runs(const std::string& csv) {
    return {"run", "--quiet", "--base", base.path().string(), "--csv", csv, EntryMission()};
  }

 private:
  std::string entryMission_;
};

const fs::path kFullDisk = "/dev/full";
const std::string kNoSpace = " could not be written to standard output (No space left on device)\n";

TEST_F(RunCommand, RunsTheMissionSummarisesItAndWritesEverySample) {
  CBallisticEntryPhase& phase = AddBallisticPhase();
  doc.mission.phases[0]->name = "entry";
  phase.stopKind = 0;
  phase.stopTime = 2.0;
  const auto r =
      Cli({"run", "--quiet", "--base", base.path().string(), "--csv", Csv(), Save("m.json")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("Mission \"Default\": 1 computed phase\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("1/1 \"entry\" (ballistic re-entry): ended normally"), std::string::npos);
  EXPECT_NE(r.out.find("Total: 21 samples over 2"), std::string::npos) << r.out;

  const std::string csv = test::ReadFile(Csv());
  EXPECT_EQ(csv.substr(0, csv.find('\n')),
            "time,payload_height,payload_path_angle,payload_speed,payload_vx,payload_vy,payload_vz,"
            "payload_roll,payload_pitch,payload_yaw,payload_planet_roll,payload_planet_pitch,"
            "payload_planet_yaw,payload_wx,payload_wy,payload_wz,payload_x,payload_y,"
            "payload_angle_of_attack,parachute_height,parachute_path_angle,parachute_speed,"
            "parachute_vx,parachute_vy,parachute_vz,parachute_roll,parachute_pitch,parachute_yaw,"
            "parachute_wx,parachute_wy,parachute_wz,parachute_x,parachute_y,parachute_offset_x,"
            "parachute_offset_y,parachute_offset_z,parachute_rel_roll,parachute_rel_pitch,"
            "parachute_rel_yaw,confluence_x,confluence_y,confluence_z,latitude,longitude,heading,"
            "connection_force,phase_type,payload_number,parachute_number");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 22);
  // The first sample: time 0, the initial height, ballistic, payload 0, no parachute.
  EXPECT_EQ(csv.substr(csv.find('\n') + 1, 9), "0,14000,-");
  EXPECT_NE(csv.find(",1,0,-1\n"), std::string::npos);
}

TEST_F(RunCommand, RunsEntryAndDescentIntoOneCsv) {
  UseLightDescent(4000.0, 150.0);
  AddBallisticPhase().stopHeight = 3000.0;
  AddFinalDescentPhase().stopHeight = 2900.0;
  doc.mission.phases[1]->name = "descent";
  const auto r = Cli({"run", "--quiet", "--on-flip", "continue", "--base", base.path().string(),
                      "--csv", Csv(), Save("m.psd")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("2/2 \"descent\" (final descent): ended normally"), std::string::npos)
      << r.out;
  // Ballistic rows name the payload only, descent rows both records.
  const std::string csv = test::ReadFile(Csv());
  EXPECT_NE(csv.find(",1,0,-1\n"), std::string::npos);
  EXPECT_NE(csv.find(",3,0,0\n"), std::string::npos);
  EXPECT_LT(csv.rfind(",1,0,-1\n"), csv.find(",3,0,0\n"));
}

TEST_F(RunCommand, TheFlipQuestionIsAnsweredAsTold) {
  // A canopy set the wrong way round flips at once.
  UseLightDescent(1000.0, 10.0);
  doc.mission.initialState.parachuteYaw = 180.0;
  doc.mission.initialState.parachuteOffsetX = -5.0;
  CParachutePhase& phase = AddFinalDescentPhase();
  phase.stopKind = 0;
  phase.stopTime = 1.0;
  const std::string mission = Save("flip.json");
  const std::string question = "error: Parachute flip. Continue?\n";

  const auto stop = Cli({"run", "--on-flip", "stop", "--base", base.path().string(), mission});
  EXPECT_EQ(stop.status, 0) << stop.err;  // declining ends the phase normally
  EXPECT_EQ(stop.err, question);
  EXPECT_NE(stop.out.find("Total: 2 samples"), std::string::npos) << stop.out;
  EXPECT_NE(stop.out.find(": ended normally where the parachute flip question was declined\n"),
            std::string::npos)
      << stop.out;

  const auto go = Cli({"run", "--on-flip", "continue", "--base", base.path().string(), mission});
  EXPECT_EQ(go.status, 0) << go.err;
  EXPECT_EQ(go.err, question);  // asked once, though the canopy stays flipped
  EXPECT_NE(go.out.find("Total: 11 samples"), std::string::npos) << go.out;
  EXPECT_EQ(go.out.find("declined"), std::string::npos) << go.out;
}

// A phase that stored nothing says so, instead of showing the sample of the phase before it.
TEST_F(RunCommand, AFailingPhaseStillWritesItsCsvAndExitsWithOne) {
  CBallisticEntryPhase& entry = AddBallisticPhase();
  entry.stopKind = 0;
  entry.stopTime = 1.0;
  AddBallisticPhase().payloadNumber = 9;
  const auto r = Cli({"run", "--base", base.path().string(), "--csv", Csv(), Save("m.psd")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error: No payload selected in ballistic entry module\n");
  EXPECT_NE(r.out.find("ended with an error or was stopped\n      no samples\nTotal: 11 samples"),
            std::string::npos)
      << r.out;
  const std::string csv = test::ReadFile(Csv());
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 12);
}

// A record that cannot fly stops the run before it starts, and says which.
TEST_F(RunCommand, ARecordThatCannotFlyIsNamed) {
  AddBallisticPhase();
  payload().name = "capsule";
  payload().mass = 0.0;
  const auto r = Cli({"run", "--base", base.path().string(), Save("m.json")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error: Payload 0 \"capsule\": mass must be positive\n");
  EXPECT_NE(r.out.find("Nothing was run"), std::string::npos) << r.out;
}

TEST_F(RunCommand, DerivedQuantitiesAreExtraColumnsOnlyWhenAsked) {
  UseLightDescent(4000.0, 150.0);
  AddBallisticPhase().stopHeight = 3000.0;
  AddFinalDescentPhase().stopHeight = 2900.0;
  const std::string mission = Save("m.psd");
  const auto plain = Cli({"run", "--quiet", "--on-flip", "continue", "--base",
                          base.path().string(), "--csv", Csv(), mission});
  ASSERT_EQ(plain.status, 0) << plain.err;
  const std::string without = test::ReadFile(Csv());
  const auto r = Cli({"run", "--quiet", "--derived", "--on-flip", "continue", "--base",
                      base.path().string(), "--csv", Csv(), mission});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string with = test::ReadFile(Csv());

  // Every line is the plain line and five more cells; ballistic rows have no line force.
  std::size_t a = 0, b = 0, lines = 0;
  while (a < without.size()) {
    const std::size_t ea = without.find('\n', a), eb = with.find('\n', b);
    const std::string shorter = without.substr(a, ea - a), longer = with.substr(b, eb - b);
    ASSERT_EQ(longer.substr(0, shorter.size()), shorter) << "line " << lines;
    const std::string extra = longer.substr(shorter.size());
    EXPECT_EQ(std::count(extra.begin(), extra.end(), ','), 5) << extra;
    if (lines == 0) {
      EXPECT_EQ(extra, ",mach,dynamic_pressure,deceleration,descent_rate,line_force");
    } else {
      // Ballistic rows (phase 1) leave the line force empty, descent rows (phase 3) fill it.
      EXPECT_EQ(extra.ends_with(","), shorter.ends_with(",1,0,-1")) << shorter << extra;
    }
    a = ea + 1, b = eb + 1, ++lines;
  }
  EXPECT_EQ(b, with.size());
  EXPECT_EQ(Cli({"run", "--derived", mission}).status, 2) << "nothing to add the columns to";
}

TEST_F(RunCommand, MissingAtmosphereUnreadableMissionsAndBadUsage) {
  AddBallisticPhase();
  const std::string mission = Save("m.psd");
  const auto noAtmosphere = Cli({"run", "--base", (base / "nowhere").string(), mission});
  EXPECT_EQ(noAtmosphere.status, 1);
  EXPECT_EQ(noAtmosphere.err, "error: atm folder not found in readatmosphere\n" +
                                  (base / "nowhere" / "atm").string() + " does not exist\n");

  test::WriteFile(base / "broken.psd", "\x06\0\0");
  EXPECT_EQ(Cli({"run", (base / "broken.psd").string()}).status, 2);
  EXPECT_EQ(Cli({"run", (base / "absent.psd").string()}).status, 2);
  EXPECT_EQ(Cli({"run", "--on-flip", "maybe", mission}).status, 2);
  EXPECT_EQ(Cli({"run"}).status, 2);
}

TEST_F(RunCommand, AMissionWithoutComputedPhasesSucceedsAndChangesNothing) {
  const auto r = Cli({"run", "--base", base.path().string(), Save("empty.json")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Mission \"Default\": 0 computed phases\n");
}

// Output goes only where it was pointed: regular files replaced whole, devices and FIFOs written
// in place, the input and read-only files never overwritten, every failed write an error.
TEST_F(RunCommand, StandardOutputTakesTheCsvAloneAndReportsAFullDisk) {
  const auto dash = Cli(Runs("-"));
  ASSERT_EQ(dash.status, 0) << dash.err;
  EXPECT_EQ(dash.out.rfind("time,payload_height,", 0), 0u);
  EXPECT_NE(dash.err.find("Total: 21 samples"), std::string::npos);
  // A name of the file standard output goes to (as /dev/stdout would be, whatever state the
  // machine's own /dev/stdout is in) is written through standard output too.
  const fs::path redirected = base / "stdout.csv";
  const auto named = Cli(Runs(redirected.string()), {}, redirected);
  ASSERT_EQ(named.status, 0) << named.err;
  EXPECT_EQ(test::ReadFile(redirected).rfind("time,payload_height,", 0), 0u);
  EXPECT_NE(named.err.find("Total: 21 samples"), std::string::npos);

  const auto csv = Cli(Runs("-"), {}, kFullDisk);
  EXPECT_EQ(csv.status, 1);
  EXPECT_NE(csv.err.find("error: The results" + kNoSpace), std::string::npos) << csv.err;
  const auto shown = Cli({"show", EntryMission()}, {}, kFullDisk);
  EXPECT_EQ(shown.status, 1);
  EXPECT_EQ(shown.err, "error: The output" + kNoSpace);
}

TEST_F(RunCommand, DevicesAndFifosAreWrittenInPlace) {
  // Refusing to go on unless the device is written in place keeps a fault from replacing it.
  ASSERT_EQ(PlanOutput(kFullDisk).method, OutputMethod::kInPlace);
  const auto full = Cli(Runs(kFullDisk.string()));
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err,
            "error: The results could not be written to /dev/full (No space left on device)\n");

  const fs::path fifo = base / "pipe.csv";
  test::FifoReader reader(fifo);
  ASSERT_TRUE(reader.ok());
  const auto r = Cli(Runs(fifo.string()));
  const std::string received = reader.Received();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(std::count(received.begin(), received.end(), '\n'), 22);
}

TEST_F(RunCommand, ReadOnlyFilesAndTheInputAreNeverOverwritten) {
  const fs::path kept = base / "kept.psd";
  test::WriteFile(kept, "kept");
  fs::permissions(kept, fs::perms::owner_read);
  const auto csv = Cli(Runs(kept.string()));
  EXPECT_EQ(csv.status, 1);
  EXPECT_EQ(csv.err,
            "error: Nothing can be written to " + kept.string() + " (the file is read-only)\n");
  EXPECT_EQ(csv.out, "");  // refused before the run
  const auto saved = Cli({"new", kept.string()});
  EXPECT_EQ(saved.status, 1);
  EXPECT_NE(saved.err.find("(the file is read-only)"), std::string::npos) << saved.err;
  EXPECT_EQ(test::ReadFile(kept), "kept");

  const std::string mission = EntryMission();
  const std::string before = test::ReadFile(mission);
  fs::create_symlink(mission, base / "link.csv");
  test::WriteFile(base / "track.txt", "0\n0 1\n");
  for (const auto& args : {Runs(mission),
                           Runs((base / "link.csv").string()),
                           std::vector<std::string>{"convert", mission, "m.psd"},
                           {"import", "--csv", "track.txt", "track.txt"}}) {
    const auto r = Cli(args, base.path());
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_NE(r.err.find(" itself; nothing was done\n"), std::string::npos) << r.err;
  }
  EXPECT_EQ(test::ReadFile(mission), before);
  EXPECT_EQ(test::ReadFile(base / "track.txt"), "0\n0 1\n");
}

// The output rule holds before the work starts: an output that cannot be written, or that is one
// of the tables the run reads, stops the command before anything flies.
TEST_F(RunCommand, OutputsAreCheckedAgainstTheTablesAndFoldersBeforeTheRun) {
  const std::string mission = EntryMission();
  const fs::path table = base / "atm" / "earth.atm";
  const std::string before = test::ReadFile(table);
  for (const fs::path& output : {table, base / "adf" / "ld600.adf"}) {
    const auto r = Cli(Runs(output.string()));
    EXPECT_EQ(r.status, 1) << output;
    EXPECT_NE(r.err.find(" itself; nothing was done\n"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(test::ReadFile(table), before);

  const auto missing = Cli(Runs((base / "absent" / "out.csv").string()));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");  // nothing flew
  EXPECT_NE(missing.err.find("does not exist"), std::string::npos) << missing.err;
  const auto study = Cli({"dispersions", "--quiet", "--runs", "400", "--base", base.path().string(),
                          "--csv", (base / "absent" / "runs.csv").string(), mission});
  EXPECT_EQ(study.status, 1);
  EXPECT_EQ(study.out, "");
  EXPECT_NE(study.err.find("does not exist"), std::string::npos) << study.err;
  EXPECT_EQ(Cli({"dispersions", "--quiet", "--runs", "1", "--base", base.path().string(),
                 "--summary", table.string(), mission})
                .status,
            1);
  EXPECT_EQ(test::ReadFile(table), before);

  // A dangling link has its target made; the link stays.
  fs::create_directory(base / "sub");
  fs::create_symlink("sub/target.csv", base / "linked.csv");
  ASSERT_EQ(Cli(Runs((base / "linked.csv").string())).status, 0);
  EXPECT_TRUE(fs::is_symlink(base / "linked.csv"));
  EXPECT_EQ(test::ReadFile(base / "sub" / "target.csv").rfind("time,", 0), 0u);
}

TEST_F(RunCommand, HelpOnAFullDiskAndRunCountsBeyondTheLargestFail) {
  EXPECT_NE(Cli({"--help"}, {}, kFullDisk).status, 0);
  EXPECT_NE(Cli({"run", "--help"}, {}, kFullDisk).status, 0);
  EXPECT_EQ(Cli({"--help"}).status, 0);
  const std::string mission = EntryMission();
  for (const char* runs : {"9223372036854775808", "99999999999999999999", "0", "-1"}) {
    const auto r = Cli({"dispersions", "--runs", runs, mission});
    EXPECT_EQ(r.status, 2) << runs;
    EXPECT_NE(r.err.find("--runs is a whole number from 1 to 9223372036854775807"),
              std::string::npos)
        << r.err;
  }
}

}  // namespace
}  // namespace plumora
