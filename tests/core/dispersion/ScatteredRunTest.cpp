#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/app/RunMission.h"
#include "core/dispersion/DispersionCsv.h"
#include "core/dispersion/ScatteredRun.h"
#include "core/environment/Atmosphere.h"
#include "core/flight/TrajectoryStore.h"
#include "support/FlightFixture.h"

namespace plumora {
namespace {

// Variations written as on the command line, each of which must parse.
std::vector<Variation> Parsed(const std::vector<std::string>& texts) {
  std::vector<Variation> variations;
  for (const std::string& text : texts) {
    const Result<Variation> v = ParseVariation(text);
    EXPECT_TRUE(v.ok()) << text;
    if (v) variations.push_back(v.value());
  }
  return variations;
}

class ScatteredRun : public ::testing::Test, public test::FlightFixture {
 protected:
  ScatteredRun() {
    AddBallisticPhase();  // from 14 km at 500 m/s to the ground
    doc.mission.initialState.latitude = 30.0;
    doc.mission.initialState.heading = 45.0;
  }
  // The study of the document's mission, its environment read once.
  DispersionSetup Prepare(const std::vector<std::string>& texts, std::uint64_t seed = 9) {
    Result<DispersionSetup> setup = PrepareDispersion(doc.mission, Parsed(texts), seed);
    EXPECT_TRUE(setup.ok()) << (setup ? std::string() : setup.message());
    if (!setup) return {};
    Result<Environment> environment = LoadRunEnvironment(doc.baseFolder, doc.mission);
    EXPECT_TRUE(environment.ok());
    if (environment) setup->environment = std::move(environment).value();
    return std::move(setup).value();
  }
};

TEST_F(ScatteredRun, NoScatterFliesThePlainMissionToTheBit) {
  RunMission(doc);
  ASSERT_EQ(prompter.Transcript(), "");
  const CTrajectorySample last = doc.results.SampleAt(doc.results.LastIndex());

  const DispersionSetup setup =
      Prepare({"height=normal(0,0)", "speed=uniform(0,0)", "heading=normal(0,0)",
               "payload.0.mass=scale-normal(1,0)", "density_factor=scale-normal(1,0)",
               "wind_factor=normal(0,0)"});
  const RunRecord r = FlyScatteredRun(setup, 5);
  EXPECT_EQ(r.run, 5);
  EXPECT_EQ(r.end, RunEnd::kLanded);
  EXPECT_EQ(r.message, "");
  EXPECT_EQ(r.inputs, (std::vector<double>{14000.0, 500.0, 45.0, 2800.0, 1.0, 1.0}));
  EXPECT_EQ(r.outputs.landingTime, last.time);
  EXPECT_EQ(r.outputs.landingLatitude, last.latitude);
  EXPECT_EQ(r.outputs.landingLongitude, last.longitude);
  EXPECT_EQ(r.outputs.landingSpeed, last.payloadSpeed);
  EXPECT_EQ(r.outputs.planetRadius, doc.planetConstants().radius);
}

TEST_F(ScatteredRun, EachRunDrawsItsOwnInputsAndTheAirFactorReachesTheFlight) {
  const DispersionSetup setup = Prepare({"height=normal(0,1000)", "heading=uniform(-10,10)"});
  const RunRecord a = FlyScatteredRun(setup, 1);
  const RunRecord b = FlyScatteredRun(setup, 2);
  EXPECT_NE(a.inputs, b.inputs);
  EXPECT_NE(a.outputs.landingLatitude, b.outputs.landingLatitude);
  const RunRecord again = FlyScatteredRun(setup, 1);
  EXPECT_EQ(again.inputs, a.inputs);
  EXPECT_EQ(again.outputs.landingLongitude, a.outputs.landingLongitude);

  // In twice the air the capsule lands at 1/√2 of its speed, near its terminal speed.
  const RunRecord plain = FlyScatteredRun(Prepare({}), 0);
  const DispersionSetup denseStudy = Prepare({"density_factor=scale-normal(2,0)"});
  const RunRecord dense = FlyScatteredRun(denseStudy, 0);
  EXPECT_EQ(dense.inputs, std::vector<double>{2.0});
  EXPECT_NEAR(dense.outputs.landingSpeed / plain.outputs.landingSpeed, std::sqrt(0.5), 0.01);
  // The factor scales the run's air as it is queried, never the study's shared table.
  EXPECT_EQ(denseStudy.environment.atmosphere().lnDensity[0], std::log(double{1.225F}));
}

// The study reads its files once: runs fly from the setup alone, each from its own copy of the
// mission, and leave the setup as it was.
TEST_F(ScatteredRun, RunsReadNoFileAndChangeNothingOfTheStudy) {
  const DispersionSetup setup = Prepare({"height=normal(0,1000)", "payload.0.mass=normal(0,50)"});
  const Mission before = setup.mission;
  const RunRecord first = FlyScatteredRun(setup, 3);
  std::filesystem::remove_all(base / "atm");
  std::filesystem::remove_all(base / "adf");
  doc.mission.initialState.height = 1.0;  // the document's mission is not the study's
  const RunRecord again = FlyScatteredRun(setup, 3);
  EXPECT_EQ(again.end, RunEnd::kLanded) << again.message;
  EXPECT_EQ(again.inputs, first.inputs);
  EXPECT_EQ(again.outputs.landingLongitude, first.outputs.landingLongitude);
  EXPECT_EQ(again.outputs.peakDynamicPressure, first.outputs.peakDynamicPressure);
  EXPECT_EQ(setup.mission, before);
  EXPECT_EQ(setup.mission.payloads[0]->mass, 2800.0);
}

TEST_F(ScatteredRun, ANonsensicalDrawOrAFailingPhaseFailsThatRunOnly) {
  CBallisticEntryPhase& entry = *doc.mission.phases[0]->ballistic();
  entry.stopKind = kStopOnTime;
  entry.stopTime = 1.0;
  const DispersionSetup setup = Prepare({"payload.0.mass=uniform(-5600,0)"}, 1);
  int failed = 0;
  for (std::int64_t run = 0; run < 6; ++run) {
    const RunRecord r = FlyScatteredRun(setup, run);
    if (r.inputs[0] > 0.0) {
      EXPECT_EQ(r.end, RunEnd::kAloft) << r.message;  // stopped by its time, in the air
      continue;
    }
    ++failed;
    EXPECT_EQ(r.end, RunEnd::kFailed);
    EXPECT_EQ(r.message.rfind("the drawn payload.0.mass is not positive (-", 0), 0) << r.message;
    EXPECT_TRUE(std::isnan(r.outputs.landingTime));  // not flown
  }
  EXPECT_GT(failed, 0);
  EXPECT_LT(failed, 6);

  doc.mission.solver.timeStep = 0.0;
  const RunRecord r = FlyScatteredRun(Prepare({}), 0);
  EXPECT_EQ(r.end, RunEnd::kFailed);
  EXPECT_EQ(r.message, "error: Solver: time step must be positive");

  // The aerodynamic table that could not be read is said by every run that would fly it.
  doc.mission.solver.timeStep = 0.1;
  std::filesystem::remove(base / "adf" / "ld600.adf");
  const DispersionSetup noTable = Prepare({});
  for (std::int64_t run : {0, 1}) {
    EXPECT_EQ(FlyScatteredRun(noTable, run).message,
              "error: The  aerodynamic data file was not opened");
  }
}

TEST_F(ScatteredRun, AScratchStoreComesBackAndNeverLendsOldSamples) {
  CTrajectoryStore scratch;
  const RunRecord first = FlyScatteredRun(Prepare({}), 0, &scratch);
  EXPECT_EQ(first.end, RunEnd::kLanded);
  EXPECT_EQ(scratch.SampleAt(scratch.LastIndex()).time, first.outputs.landingTime);
  // A mission refused before it flies leaves the lent store untouched by the run itself.
  AddFinalDescentPhase();
  parachute().stiffness = 0.0;
  const RunRecord refused = FlyScatteredRun(Prepare({}), 0, &scratch);
  EXPECT_EQ(refused.end, RunEnd::kFailed);
  EXPECT_NE(refused.message.find("stiffness"), std::string::npos) << refused.message;
  EXPECT_TRUE(std::isnan(refused.outputs.landingTime));
}

// Nobody is there to answer: a parachute flip is flown through, and a question is no message.
TEST_F(ScatteredRun, AFlipIsFlownThroughWithoutAMessage) {
  doc.mission.phases.clear();
  UseLightDescent(1000.0, 10.0);
  CParachutePhase& descent = AddFinalDescentPhase();
  descent.stopKind = kStopOnTime;
  descent.stopTime = 2.0;
  doc.mission.initialState.parachuteYaw = 180.0;  // the air meets the canopy from behind
  doc.mission.initialState.parachuteOffsetX = -5.0;
  const RunRecord r = FlyScatteredRun(Prepare({}), 0);
  EXPECT_EQ(r.end, RunEnd::kAloft) << r.message;
  EXPECT_EQ(r.message, "");
  EXPECT_NEAR(r.outputs.landingTime, 2.0, 1e-9);  // flown on to its stop
}

TEST_F(ScatteredRun, PreparationRefusesWhatTheMissionCannotFly) {
  const auto refused = [&](const std::vector<std::string>& texts) {
    const Result<DispersionSetup> setup = PrepareDispersion(doc.mission, Parsed(texts), 0);
    EXPECT_FALSE(setup.ok());
    return setup ? std::string() : setup.message();
  };
  EXPECT_EQ(refused({"parachute.3.area=normal(0,1)"}),
            "the mission has no parachute number 3 (parachute.3.area)");
  EXPECT_EQ(refused({"payload.1.mass=normal(0,1)"}),
            "the mission has no payload number 1 (payload.1.mass)");
  EXPECT_EQ(refused({"height=normal(0,1)", "yaw=normal(0,1)", "height=uniform(0,1)"}),
            "height is scattered twice");
  doc.mission.phases.clear();
  doc.mission.AddPhase(kPhaseDeployment);
  EXPECT_EQ(refused({}), "the mission has no phase to fly (ballistic entry or final descent)");
}

TEST(FlightOutputs, MeasuredFromTheSamples) {
  // Air of 1 kg/m³ everywhere, a west wind (towards east) of 10 m/s.
  AtmosphereTable air;
  air.pointCount = 2;
  air.height[1] = 1000.0;
  air.windWE[0] = air.windWE[1] = 10.0;
  CTrajectoryStore store;
  EXPECT_TRUE(std::isnan(MeasureFlight(store, air, {}, 5.0).landingTime));
  EXPECT_EQ(MeasureFlight(store, air, {}, 5.0).planetRadius, 5.0);

  const auto sample = [&](double t, double speed, double heading, double force) {
    CTrajectorySample s;
    s.time = t;
    s.payloadHeight = 500.0;
    s.payloadSpeed = speed;
    s.heading = heading;
    s.connectionForce = force;
    s.latitude = t;
    s.longitude = -t;
    store.Append(s);
  };
  sample(0.0, 100.0, 90.0, 0.0);  // with the wind: 90 m/s through the air
  sample(0.5, 80.0, 270.0, 7.0);  // against it: 90 m/s; 40 m/s² lost
  sample(1.5, 75.0, 270.0, 3.0);  // 85 m/s through the air; 5 m/s² lost
  sample(1.5, 10.0, 270.0, 0.0);  // no time between: not a deceleration
  sample(2.0, 20.0, 270.0, 0.0);  // speeding up
  const FlightOutputs out = MeasureFlight(store, air, {}, 3389500.0);
  EXPECT_EQ(out.landingTime, 2.0);
  EXPECT_EQ(out.landingLatitude, 2.0);
  EXPECT_EQ(out.landingLongitude, -2.0);
  EXPECT_EQ(out.landingSpeed, 20.0);
  EXPECT_DOUBLE_EQ(out.peakDeceleration, 40.0);
  EXPECT_NEAR(out.peakDynamicPressure, 0.5 * 90.0 * 90.0, 1e-9);
  EXPECT_EQ(out.maxConnectionForce, 7.0);
  // The run's factors on the air: twice the density, no wind.
  const FlightOutputs scaled = MeasureFlight(store, air, AtmosphereScaling::Of({2.0, 0.0}), 1.0);
  EXPECT_NEAR(scaled.peakDynamicPressure, 2.0 * 0.5 * 100.0 * 100.0, 1e-9);
}

TEST(DispersionCsv, ReadsBackWhatItWroteAndRefusesOtherFiles) {
  RunRecord a;
  a.run = 4;
  a.inputs = {0.1, -1e-300};
  a.end = RunEnd::kLanded;
  a.outputs.landingTime = 1.0 / 3.0;
  a.outputs.planetRadius = 6378137.0;
  RunRecord b = a;
  b.run = 1;
  b.end = RunEnd::kFailed;
  b.message = "error: The file \"x,y\" ends early";
  const std::vector<std::string> names = {"height", "payload.0.mass"};
  const std::string first = DispersionCsvText(names, {a});
  const std::string second = DispersionCsvText(names, {b});
  EXPECT_EQ(second.substr(second.rfind(",\"")), ",\"error: The file \"\"x,y\"\" ends early\"\n");

  // Two shards merge, in run order, into exactly the records written.
  DispersionTable table;
  ASSERT_TRUE(ReadDispersionCsv(first, table).ok());
  ASSERT_TRUE(ReadDispersionCsv(second, table).ok());
  ASSERT_TRUE(SortDispersionRuns(table).ok());
  EXPECT_EQ(table.inputNames, names);
  EXPECT_EQ(DispersionCsvText(table.inputNames, table.records), DispersionCsvText(names, {b, a}));

  const std::string header = DispersionCsvHeader(names) + "\n";
  const std::string row = first.substr(header.size());
  for (const auto& [text, why] : std::vector<std::pair<std::string, std::string>>{
           {"", "holds no header line"},
           {"time,height\n", "line 1: not the header"},
           {DispersionCsvHeader({"speed"}) + "\n", "line 1: the scattered inputs differ"},
           {header + "\n" + "x" + row.substr(1), "line 3: expected 13 fields"},
           {header + row.substr(0, row.size() - 1) + ",extra\n", "line 2: expected 13 fields"},
           {header + "4,1,2,crashed" + row.substr(row.find(",landed") + 7), "line 2: expected 13"},
           {header + row.substr(0, row.size() - 1) + "\"open\n", "line 2: a quote"}}) {
    DispersionTable kept = table;
    const Result<> read = ReadDispersionCsv(text, kept);
    ASSERT_FALSE(read.ok()) << text;
    EXPECT_EQ(read.code(), ErrorCode::kMalformed);
    EXPECT_EQ(read.message().rfind(why, 0), 0u) << read.message();
    EXPECT_EQ(kept.records.size(), 2u);  // what was read before stays
  }
  ASSERT_TRUE(ReadDispersionCsv(first, table).ok());
  const Result<> sorted = SortDispersionRuns(table);
  ASSERT_FALSE(sorted.ok());
  EXPECT_EQ(sorted.message(), "run 4 is there twice");
}

}  // namespace
}  // namespace plumora
