// Missions run at once on several threads give exactly what they give one after the other: the
// engine keeps no state outside the document and the running phase. Built also with
// ThreadSanitizer (the tsan preset), which checks the same runs for data races.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "core/app/MissionFiles.h"
#include "core/app/RunMission.h"
#include "core/dispersion/DispersionCsv.h"
#include "core/dispersion/DispersionRunner.h"
#include "core/environment/DataFolders.h"
#include "support/FlightFixture.h"

namespace plumora {
namespace {

// A mission ready to run: its document (and whatever keeps its data folder alive).
struct Flight {
  std::string name;
  std::function<std::unique_ptr<test::FlightFixture>()> make;
};

std::vector<Flight> Flights() {
  std::vector<Flight> flights;
  for (int integrator : {kRungeKuttaFehlberg, kAdamsBashforthMoulton, kHighStiffness, kEuler}) {
    flights.push_back({"entry with integrator " + std::to_string(integrator), [integrator] {
                         auto f = std::make_unique<test::FlightFixture>();
                         f->AddBallisticPhase().stopHeight = 1000.0;
                         f->doc.mission.initialState.height = 60000.0;
                         f->doc.mission.initialState.payloadVelocity = 3000.0;
                         f->doc.mission.solver.integrator = integrator;
                         return f;
                       }});
  }
  // Final descents in each line model, one of them after an entry.
  for (int lines = 0; lines < 3; ++lines) {
    flights.push_back({"descent with line model " + std::to_string(lines), [lines] {
                         auto f = std::make_unique<test::FlightFixture>();
                         f->UseLightDescent(1500.0, 60.0);
                         if (lines == 0) f->AddBallisticPhase().stopHeight = 1000.0;
                         CParachutePhase& descent = f->AddFinalDescentPhase();
                         descent.stopKind = 0;
                         descent.stopTime = 20.0;
                         descent.massPointAtConfluence = lines == 2 ? 1 : 0;
                         f->payload().connectionKind = lines == 0 ? kSingleStrope : kBridleLegs;
                         f->doc.mission.solver.integrator =
                             lines == 1 ? kAdamsBashforthMoulton : kHighStiffness;
                         return f;
                       }});
  }
  // Every bundled example, flown in the bundled data folder.
  for (const auto& path : ListDataFiles(test::DataFolder() / "examples", "psd")) {
    flights.push_back({path.filename().string(), [path] {
                         auto f = std::make_unique<test::FlightFixture>();
                         EXPECT_TRUE(LoadMission(f->doc, path).ok());
                         f->doc.baseFolder = test::DataFolder();
                         return f;
                       }});
  }
  return flights;
}

using Samples = std::vector<CTrajectorySample>;

Samples Fly(test::FlightFixture& f) {
  RunMission(f.doc);
  return f.doc.results.Samples();
}

// Bit for bit: every one of the 46 values, the references and the phase type.
void ExpectIdentical(const Samples& a, const Samples& b, const std::string& what) {
  ASSERT_EQ(a.size(), b.size()) << what;
  for (std::size_t i = 0; i < a.size(); ++i) {
    for (const SampleFieldInfo& field : kSampleFields) {
      const double x = a[i].*field.member, y = b[i].*field.member;
      ASSERT_EQ(std::memcmp(&x, &y, sizeof x), 0)
          << what << ": sample " << i << " field " << field.csvName << ": " << x << " vs " << y;
    }
    ASSERT_EQ(a[i].phaseType, b[i].phaseType) << what;
  }
}

TEST(Reentrancy, MissionsOnTwoThreadsGiveWhatTheyGiveOneAfterTheOther) {
  const std::vector<Flight> flights = Flights();
  std::vector<Samples> alone;
  for (const Flight& flight : flights) {
    auto f = flight.make();
    alone.push_back(Fly(*f));
    ASSERT_GT(alone.back().size(), 10u) << flight.name << ": " << f->prompter.Transcript();
  }
  // Each mission beside the next one (and the last beside the first), all at once in pairs.
  for (std::size_t i = 0; i < flights.size(); ++i) {
    const std::size_t j = (i + 1) % flights.size();
    auto first = flights[i].make();
    auto second = flights[j].make();
    Samples a, b;
    std::thread ta([&] { a = Fly(*first); });
    std::thread tb([&] { b = Fly(*second); });
    ta.join();
    tb.join();
    ExpectIdentical(a, alone[i], flights[i].name);
    ExpectIdentical(b, alone[j], flights[j].name);
  }
}

// A study's runs depend on nothing but the seed and their index: one thread, three threads and
// three shards on two threads each give the same CSV, byte for byte.
TEST(Reentrancy, DispersionsGiveTheSameRunsOnAnyNumberOfThreadsAndShards) {
  test::FlightFixture f;
  f.UseLightDescent(1500.0, 60.0);
  CBallisticEntryPhase& entry = f.AddBallisticPhase();
  entry.stopKind = kStopOnTime;
  entry.stopTime = 1.0;
  f.AddFinalDescentPhase().stopHeight = 1450.0;
  std::vector<Variation> variations;
  for (const char* text : {"height=normal(0,20)", "speed=uniform(-5,5)", "pitch=normal(0,3)",
                           "parachute.0.area=scale-normal(1,0.1)", "density_factor=normal(0,0.05)",
                           "payload.0.mass=scale-normal(1,0.02)"}) {
    const Result<Variation> v = ParseVariation(text);
    ASSERT_TRUE(v.ok()) << text;
    variations.push_back(v.value());
  }
  Result<DispersionSetup> prepared = PrepareDispersion(f.doc.mission, variations, 77);
  ASSERT_TRUE(prepared.ok());
  DispersionSetup& setup = prepared.value();
  // One environment for every run on every thread.
  Result<Environment> environment = LoadRunEnvironment(f.doc.baseFolder, f.doc.mission);
  ASSERT_TRUE(environment.ok());
  setup.environment = std::move(environment).value();
  std::vector<std::string> names;
  for (const Variation& v : variations) names.push_back(v.name);
  constexpr std::int64_t kRuns = 10;
  const auto csv = [&](const Shard& shard, int threads) {
    DispersionControl control;
    const std::vector<RunRecord> records = FlyDispersion(setup, kRuns, shard, threads, control);
    EXPECT_EQ(control.done.load(), static_cast<std::int64_t>(records.size()));
    return DispersionCsvText(names, records);
  };

  const std::string whole = csv({0, 1}, 1);
  EXPECT_EQ(std::count(whole.begin(), whole.end(), '\n'), kRuns + 1);
  // Every run flew both phases to the descent's stop height.
  std::int64_t aloft = 0;
  for (std::size_t at = whole.find(",aloft,"); at != std::string::npos;
       at = whole.find(",aloft,", at + 1)) {
    ++aloft;
  }
  EXPECT_EQ(aloft, kRuns) << whole;
  EXPECT_EQ(csv({0, 1}, 3), whole);

  DispersionTable merged;
  for (std::int64_t index : {2, 0, 1}) {
    const std::string shard = csv({index, 3}, 2);
    EXPECT_EQ(std::count(shard.begin(), shard.end(), '\n'), index == 0 ? 5 : 4);
    ASSERT_TRUE(ReadDispersionCsv(shard, merged).ok());
  }
  ASSERT_TRUE(SortDispersionRuns(merged).ok());
  EXPECT_EQ(DispersionCsvText(merged.inputNames, merged.records), whole);

  // Asked to stop before it starts, a study flies nothing.
  DispersionControl stopped;
  stopped.stop = true;
  EXPECT_TRUE(FlyDispersion(setup, kRuns, {0, 1}, 2, stopped).empty());
}

}  // namespace
}  // namespace plumora
