#include "gui/logic/editing/SetupForms.h"

#include <gtest/gtest.h>

#include <limits>

#include <algorithm>
#include <set>

#include "core/app/PlumoraDoc.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

SolverEdit Edit(double step, double outputStep, double absolute, double relative,
                std::int32_t integrator) {
  SolverEdit edit;
  edit.timeStep = step;
  edit.outputTimeStep = outputStep;
  edit.absoluteError = absolute;
  edit.relativeError = relative;
  edit.integrator = integrator;
  return edit;
}

// Each stored value of the initial state has one field of its own, except the canopy's path
// angle and velocity, which follow the payload's; no id stands twice in one dialog.
TEST(SetupForms, EveryInitialValueButTheFollowingTwoHasExactlyOneField) {
  const auto& order = InitialState::kFieldOrder;
  std::array<int, 23> edits{};
  InitialState state;
  const auto count = [&](const StateField& f) {
    for (std::size_t k = 0; k < order.size(); ++k) {
      if (f.value.Real(state) == &(state.*order[k])) ++edits[k];
    }
  };
  std::set<int> sheetIds, parachuteIds;
  for (const auto* page : {&kPositionFields, &kAttitudeFields}) {
    for (const StateField& f : *page) {
      count(f);
      EXPECT_TRUE(sheetIds.insert(f.id).second) << f.id;
    }
  }
  for (const StateFieldGroup& group : kParachuteStateGroups) {
    for (const StateField& f : group.fields) {
      count(f);
      EXPECT_TRUE(parachuteIds.insert(f.id).second) << f.id;
    }
  }
  for (std::size_t k = 0; k < order.size(); ++k) {
    const bool follows = order[k] == &InitialState::parachutePathAngle ||
                         order[k] == &InitialState::parachuteVelocity;
    EXPECT_EQ(edits[k], follows ? 0 : 1) << "field " << k + 1;
  }
}

TEST(SetupForms, SolverRefusesStepsAndTolerancesOfZeroOrLessNamingTheField) {
  const SolverEdit good = Edit(0.1, 0.1, 1e-5, 1e-5, 0);
  EXPECT_FALSE(CheckSolver(good));
  const std::pair<double SolverEdit::*, int> fields[] = {{&SolverEdit::timeStep, 1004},
                                                         {&SolverEdit::outputTimeStep, 1005},
                                                         {&SolverEdit::absoluteError, 1007},
                                                         {&SolverEdit::relativeError, 1008}};
  for (const auto& [value, id] : fields) {
    for (double bad : {0.0, -0.0, -1e-9}) {
      SolverEdit edit = good;
      edit.*value = bad;
      const std::optional<FieldRefusal> refusal = CheckSolver(edit);
      ASSERT_TRUE(refusal) << id << " " << bad;
      EXPECT_EQ(refusal->id, id);
    }
  }
  SolverEdit both = good;
  both.timeStep = -1.0;
  both.relativeError = 0.0;
  EXPECT_EQ(CheckSolver(both)->message, "\"Time step\" must be a number greater than 0.");
  both.timeStep = 0.1;
  EXPECT_EQ(CheckSolver(both)->message, "\"Relative\" must be a number greater than 0.");
}

TEST(SetupForms, InitialStateRefusesLatitudesBeyondThePoles) {
  InitialState state;
  EXPECT_FALSE(CheckInitialState(state));
  state.latitude = 200.0;
  ASSERT_TRUE(CheckInitialState(state));
  EXPECT_EQ(CheckInitialState(state)->id, 1129);
  EXPECT_EQ(CheckInitialState(state)->message, "\"Latitude\" must be from -90 to 90 degrees.");
  state.latitude = -90.0;
  EXPECT_FALSE(CheckInitialState(state));
}

// Values that were stored and then flew nonsense: a step longer than any flight, tolerances of
// 1 or more, and numbers that are not finite.
TEST(SetupForms, SolverRefusesStepsLongerThanAnyFlightAndTolerancesOfOneOrMore) {
  const SolverEdit good = Edit(0.1, 0.1, 1e-5, 1e-5, 0);
  SolverEdit edit = good;
  edit.timeStep = 1e300;
  ASSERT_TRUE(CheckSolver(edit));
  EXPECT_EQ(CheckSolver(edit)->id, 1004);
  EXPECT_EQ(CheckSolver(edit)->message,
            "\"Time step\" must be at most 1000000 s: no flight lasts longer.");
  edit = good;
  edit.absoluteError = 1e6;
  EXPECT_EQ(CheckSolver(edit)->message, "\"Absolute\" must be less than 1.");
  edit = good;
  edit.outputTimeStep = std::numeric_limits<double>::infinity();
  EXPECT_EQ(CheckSolver(edit)->message, "\"Output time step\" must be a finite number.");
}

TEST(SetupForms, SolverStoresAnOutputStepOfAtLeastTheTimeStep) {
  CPlumoraDoc doc;
  // Every field reaches its own value (the field table test); here the output step's floor.
  StoreSolver(doc, Edit(0.1, 0.05, 1e-7, 1e-6, kEuler));
  EXPECT_EQ(doc.mission.solver.outputTimeStep, 0.1);
  EXPECT_EQ(doc.mission.solver.integrator, kEuler);
  StoreSolver(doc, Edit(0.01, 0.25, 1e-5, 1e-5, kRungeKuttaFehlberg));
  EXPECT_EQ(doc.mission.solver.outputTimeStep, 0.25);
  const SolverEdit back = SolverEditOf(doc);
  EXPECT_EQ(back.timeStep, 0.01);
  EXPECT_EQ(back.outputTimeStep, 0.25);
}

TEST(SetupForms, EnvironmentListsThePlanetsDescriptionsAndRefusesNoChoice) {
  test::TempDir base;
  test::AtmText second = test::SimpleAtmosphere(3);
  second.description = "second Earth  ";
  test::AtmText first = test::SimpleAtmosphere(3);
  first.description = "first Earth";
  test::WriteFile(base / "atm" / "e2.atm", second.Text());
  test::WriteFile(base / "atm" / "e1.atm", first.Text());
  test::WriteFile(base / "atm" / "m1.atm", test::SimpleAtmosphere(3, "MARS").Text());

  const DescriptionList earth = AtmosphereDescriptions(base.path(), kEarth);
  EXPECT_EQ(earth.lines, (std::vector<std::string>{"first Earth", "second Earth"}));
  EXPECT_TRUE(earth.complete);
  EXPECT_EQ(AtmosphereDescriptions(base.path(), kMars).lines,
            std::vector<std::string>{"test atmosphere"});
  EXPECT_TRUE(AtmosphereDescriptions(base.path(), kTitan).lines.empty());

  // The mission's index is shown; beyond the list, the file a run would read: the last.
  EXPECT_EQ(OpeningSelection(1, 2), 1);
  EXPECT_EQ(OpeningSelection(5, 2), 1);
  EXPECT_EQ(OpeningSelection(-1, 2), 1);
  EXPECT_EQ(OpeningSelection(0, 0), -1);

  EXPECT_FALSE(CheckEnvironment(base.path(), kEarth, 1, 2));
  EXPECT_EQ(CheckEnvironment(base.path(), kEarth, -1, 2), "Select an atmosphere description.\n");
  EXPECT_EQ(CheckEnvironment(base.path(), kTitan, -1, 0),
            "There is no TITAN atmosphere file in " + (base / "atm").string() + "\n");
  EXPECT_EQ(CheckEnvironment(base.path(), -1, 0, 2), "Select a planet.\n");
}

TEST(SetupForms, ImportNeedsAFileThatOpensAndAColumn) {
  test::TempDir base;
  test::WriteFile(base / "flight.txt", "0\n");
  EXPECT_FALSE(CheckImport(base / "flight.txt", {}));
  EXPECT_EQ(CheckImport(base / "absent.txt", {}), "Could not open file\n");
  EXPECT_EQ(CheckImport(base.path(), {}), "Could not open file\n");
  EXPECT_EQ(CheckImport({}, {}), "Could not open file\n");
  ImportColumns none{false, false, false, false, false, false, false};
  EXPECT_EQ(CheckImport(base / "flight.txt", none),
            "Choose at least one column that the file holds.\n");
  none.speed = true;
  EXPECT_FALSE(CheckImport(base / "flight.txt", none));
}

}  // namespace
}  // namespace plumora::gui
