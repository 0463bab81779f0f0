// A mission is checked whole before it flies: errors refuse the run and the study, warnings are
// said and the run goes on; `check` prints both and says by its status whether it would fly.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "cli/Cli.h"
#include "core/app/MissionFiles.h"
#include "core/app/RunMission.h"
#include "core/mission/RecordChecks.h"
#include "support/FlightFixture.h"

namespace plumora {
namespace {

using test::Cli;

class CheckCommand : public ::testing::Test, public test::FlightFixture {
 protected:
  CheckCommand() {
    AddFinalDescentPhase();
    UseLightDescent(2000.0, 60.0);
  }
  std::string Save() {
    const auto path = base / "m.json";
    EXPECT_TRUE(SaveMission(doc.mission, path).ok());
    return path.string();
  }
  test::ProcessResult Run(const std::string& command) {
    if (command == "dispersions") {
      return Cli({"dispersions", "--quiet", "--runs", "2", "--base", base.path().string(), Save()});
    }
    return Cli({command, "--base", base.path().string(), Save()});
  }
};

TEST_F(CheckCommand, ASoundMissionHasNothingToSay) {
  const auto r = Run("check");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out, (base / "m.json").string() + ": no problems found\n");
}

// Values that flew with exit 0 before: each is refused by check, run and dispersions alike,
// naming its record and field.
TEST_F(CheckCommand, OutOfDomainValuesAreErrorsThatStopEveryRun) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<std::pair<std::function<void()>, std::string>> cases = {
      {[&] { doc.mission.solver.absoluteError = 1e6; },
       "Solver: absolute error must be greater than 0 and less than 1\n"},
      {[&] { doc.mission.solver.relativeError = 0.0; },
       "Solver: relative error must be greater than 0 and less than 1\n"},
      {[&] { doc.mission.initialState.heading = nan; },
       "Initial state: heading must be a finite number\n"},
      {[&] { doc.mission.initialState.latitude = 200.0; },
       "Initial state: latitude must be from -90 to 90 degrees\n"},
      {[&] { parachute().lineLength = 1e308; },
       "Parachute 0 \"\": line length must be at most 10000 m\n"},
      {[&] { parachute().stiffness = -std::numeric_limits<double>::infinity(); },
       "Parachute 0 \"\": stiffness must be a finite number\n"},
      {[&] { parachute().link.y = nan; }, "Parachute 0 \"\": link must be a finite number\n"},
      {[&] { doc.mission.solver.outputTimeStep = 1e308; },
       "Solver: the output time step is longer than any flight: fewer than 2 samples\n"},
      {[&] { doc.mission.solver.timeStep = 1e300; }, ""},
  };
  for (const auto& [spoil, message] : cases) {
    const Mission sound = doc.mission;
    spoil();
    const auto check = Run("check");
    if (message.empty()) {  // only a warning: it flies
      EXPECT_EQ(check.status, 0) << check.out;
    } else {
      EXPECT_EQ(check.status, 1) << message;
      EXPECT_NE(check.out.find("error: " + message), std::string::npos) << check.out;
      const auto run = Run("run");
      EXPECT_EQ(run.status, 1) << message;
      EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
      EXPECT_NE(run.out.find("Nothing was run"), std::string::npos) << run.out;
      const auto study = Run("dispersions");
      EXPECT_EQ(study.status, 1) << message;
      EXPECT_EQ(study.out, "");
    }
    doc.mission = sound;
  }
}

TEST_F(CheckCommand, ImplausibleValuesAreWarnedOfAndTheRunGoesOn) {
  parachute().referenceArea = 1200.0;  // inertia 10 kg·m², mass 10 kg, as the defaults give
  parachute().damping = -1.0;
  doc.mission.phases[0]->parachute()->stopHeight = -50.0;
  doc.mission.solver.timeStep = 0.5;
  doc.mission.solver.outputTimeStep = 0.1;
  const auto check = Run("check");
  EXPECT_EQ(check.status, 0);
  for (const char* warning :
       {"warning: Parachute 0 \"\": inertia 10 kg*m2 is far below the 2546.48 kg*m2 of a shell",
        "warning: Parachute 0 \"\": the line damping is negative\n",
        "warning: Phase 1 \"\": the stop height is below the ground\n",
        "warning: Solver: the time step is longer than the output time step\n"}) {
    EXPECT_NE(check.out.find(warning), std::string::npos) << warning << "\n" << check.out;
  }
  EXPECT_EQ(check.out.find("error"), std::string::npos) << check.out;
}

// A phase that crawls is ended once its integration work is past its budget, with where it got
// to and what to look at; these ran for minutes and more before. The budget is made small here so
// that the crawls end in moments; the sound mission flies whole within the same budget.
TEST_F(CheckCommand, CrawlingPhasesEndNamingThePhaseAndTheTimeReached) {
  doc.mission.phases[0]->name = "descent";
  const auto fly = [&] {
    const Result<Environment> environment = LoadRunEnvironment(base.path(), doc.mission);
    EXPECT_TRUE(environment.ok());
    CTrajectoryStore results;
    RunState state(doc.mission, results);
    state.workBudget = {2.0e4, 1.0e5};
    const RunOutcome outcome = FlyMission(doc.mission, environment.value(), {1.0, 1.0}, state);
    return outcome.Failure() ? outcome.Failure()->message : std::string();
  };
  EXPECT_EQ(fly(), "");
  const std::vector<std::function<void()>> crawls = {
      [&] { parachute().stiffness = 2.1e13; },
      [&] {
        doc.mission.solver.timeStep = 1e-12;
        doc.mission.solver.outputTimeStep = 1e-12;
      },
  };
  for (const auto& crawl : crawls) {
    const Mission sound = doc.mission;
    crawl();
    const std::string message = fly();
    EXPECT_EQ(message.rfind("The phase \"descent\" was stopped at ", 0), 0u) << message;
    EXPECT_NE(message.find(" s: it took more integration work per second of flight than any sound "
                           "mission needs.\nCheck the time step"),
              std::string::npos)
        << message;
    doc.mission = sound;
  }
}

TEST(MissionCheck, ShellInertiaIsTwoThirdsOfMassTimesRadiusSquared) {
  // A 1 m radius opening: π m².
  EXPECT_NEAR(CanopyShellInertia(3.0, 3.14159265358979), 2.0, 1e-12);
  CParachute sized;
  sized.referenceArea = 1200.0;
  sized.mass = 10.0;
  sized.ixx = sized.iyy = sized.izz = 300.0;
  EXPECT_TRUE(ParachuteWarnings(sized).empty());
  sized.izz = 100.0;  // below a twentieth of the shell's 2546 kg·m²
  EXPECT_EQ(ParachuteWarnings(sized).size(), 1u);
  EXPECT_TRUE(ParachuteWarnings(CParachute()).empty());  // the record's own defaults
}

}  // namespace
}  // namespace plumora
