#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "cli/Cli.h"
#include "core/app/MissionFiles.h"
#include "core/app/ResultsCsv.h"
#include "support/FlightFixture.h"

namespace plumora {
namespace {

using test::Cli;

class RunCommand : public ::testing::Test, public test::FlightFixture {
 protected:
  std::string Save(const std::string& name) {
    const auto path = base / name;
    EXPECT_TRUE(SaveMission(doc, path)) << prompter.Transcript();
    return path.string();
  }
  std::string Csv() const { return (base / "out.csv").string(); }
};

TEST_F(RunCommand, RunsTheMissionSummarisesItAndWritesEverySample) {
  CBallisticEntryPhase& phase = AddBallisticPhase();
  doc.phases[0]->name = "entry";
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
  doc.phases[1]->name = "descent";
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
  doc.initialState.parachuteYaw = 180.0;
  doc.initialState.parachuteOffsetX = -5.0;
  CParachutePhase& phase = AddFinalDescentPhase();
  phase.stopKind = 0;
  phase.stopTime = 1.0;
  const std::string mission = Save("flip.json");
  const std::string question = "error: Parachute flip. Continue?\n";

  const auto stop = Cli({"run", "--on-flip", "stop", "--base", base.path().string(), mission});
  EXPECT_EQ(stop.status, 0) << stop.err;  // declining ends the phase normally
  EXPECT_EQ(stop.err, question);
  EXPECT_NE(stop.out.find("Total: 2 samples"), std::string::npos) << stop.out;

  const auto go = Cli({"run", "--on-flip", "continue", "--base", base.path().string(), mission});
  EXPECT_EQ(go.status, 0) << go.err;
  EXPECT_EQ(go.err, question);  // asked once, though the canopy stays flipped
  EXPECT_NE(go.out.find("Total: 11 samples"), std::string::npos) << go.out;
}

TEST_F(RunCommand, AFailingPhaseStillWritesItsCsvAndExitsWithOne) {
  AddBallisticPhase().payloadNumber = 9;
  const auto r = Cli({"run", "--base", base.path().string(), "--csv", Csv(), Save("m.psd")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error: No payload selected in ballistic entry module\n");
  EXPECT_NE(r.out.find("ended with an error or was stopped"), std::string::npos);
  EXPECT_EQ(test::ReadFile(Csv()), ResultsCsvHeader() + "\n");

  // The results never replace the mission they came from.
  const std::string mission = Save("m.psd");
  const std::string bytes = test::ReadFile(mission);
  const auto over = Cli({"run", "--base", base.path().string(), "--csv", mission, mission});
  EXPECT_EQ(over.status, 1);
  EXPECT_NE(over.err.find("that is the mission's own file"), std::string::npos) << over.err;
  EXPECT_EQ(test::ReadFile(mission), bytes);
}

TEST_F(RunCommand, MissingAtmosphereUnreadableMissionsAndBadUsage) {
  AddBallisticPhase();
  const std::string mission = Save("m.psd");
  const auto noAtmosphere = Cli({"run", "--base", (base / "nowhere").string(), mission});
  EXPECT_EQ(noAtmosphere.status, 1);
  EXPECT_EQ(noAtmosphere.err, "error: atm folder not found in readatmosphere\n");

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

}  // namespace
}  // namespace plumora
