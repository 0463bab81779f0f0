#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "core/solvers/Depac.h"

namespace plumora {
namespace {

using Routine = void (*)(DepacFunction, int, double&, double*, double, DepacInfo&, double, double,
                         int&, DepacWork&, void*);

// What a right-hand side saw: how often it ran and the latest time it was asked about.
struct Probe {
  long calls = 0;
  double latestT = -std::numeric_limits<double>::infinity();
  double omega = 1.0;     // oscillator frequency, rad/s
  double nanAfter = 1e9;  // derivatives are NaN beyond this time
  void Saw(double t) {
    ++calls;
    latestT = std::max(latestT, t);
  }
};

// y0' = -y0, y1' = -10·y1.
void Decay(double t, const double* y, double* yp, void* context) {
  static_cast<Probe*>(context)->Saw(t);
  yp[0] = -y[0];
  yp[1] = -10.0 * y[1];
}

// x'' = -ω²x as x' = v, v' = -ω²x.
void Oscillator(double t, const double* y, double* yp, void* context) {
  auto* probe = static_cast<Probe*>(context);
  probe->Saw(t);
  yp[0] = y[1];
  yp[1] = -probe->omega * probe->omega * y[0];
}

// Robertson's chemical kinetics: rates 0.04, 1e4 and 3e7, stiff.
void Robertson(double t, const double* y, double* yp, void* context) {
  static_cast<Probe*>(context)->Saw(t);
  const double slow = 0.04 * y[0];
  const double back = 1.0e4 * y[1] * y[2];
  const double fast = 3.0e7 * y[1] * y[1];
  yp[0] = -slow + back;
  yp[1] = slow - back - fast;
  yp[2] = fast;
}

// y' = 1 until the probe's time, then no derivative worth the name.
void BreaksDown(double t, const double*, double* yp, void* context) {
  auto* probe = static_cast<Probe*>(context);
  probe->Saw(t);
  yp[0] = t > probe->nanAfter ? std::numeric_limits<double>::quiet_NaN() : 1.0;
}

// y' = y², y(0) = 1: y = 1/(1 − t) goes to infinity at t = 1.
void BlowsUp(double t, const double* y, double* yp, void* context) {
  static_cast<Probe*>(context)->Saw(t);
  yp[0] = y[0] * y[0];
}

// y' = t, whose solution is quadratic in t.
void Ramp(double t, const double*, double* yp, void* context) {
  static_cast<Probe*>(context)->Saw(t);
  yp[0] = t;
}

struct RoutineCase {
  const char* name;
  Routine routine;
};

// One integration as a phase driver holds it: F, the state, the INFO array and the work.
struct Integration {
  Integration(Routine routine, DepacFunction f, std::vector<double> y0)
      : routine(routine), f(f), y(std::move(y0)) {}
  // One call towards tout; returns IDID.
  int Call(double tout, double rtol = 1e-6, double atol = 1e-6) {
    routine(f, static_cast<int>(y.size()), t, y.data(), tout, info, rtol, atol, idid, work, &probe);
    return idid;
  }
  // Calls as a driver retries: INFO(1) back to 1 after every interruption, until TOUT is
  // reached or the code gives up. Returns the number of calls.
  int CallUntilDone(double tout, double rtol = 1e-6, double atol = 1e-6, int limit = 100) {
    int calls = 1;
    while (Call(tout, rtol, atol) < 0 && idid != kIdidCannotContinue && calls < limit) {
      info[0] = 1;
      ++calls;
    }
    return calls;
  }

  Routine routine;
  DepacFunction f;
  std::vector<double> y;
  Probe probe;
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  int idid = 0;
};

class EveryRoutine : public ::testing::TestWithParam<RoutineCase> {
 protected:
  Routine routine() const { return GetParam().routine; }
  bool isFehlberg() const { return GetParam().routine == &DDERKF; }
  Integration Start(DepacFunction f, std::vector<double> y0) const {
    return Integration(routine(), f, std::move(y0));
  }
};

INSTANTIATE_TEST_SUITE_P(Depac, EveryRoutine,
                         ::testing::Values(RoutineCase{"DDERKF", &DDERKF},
                                           RoutineCase{"DDEABM", &DDEABM},
                                           RoutineCase{"DDEBDF", &DDEBDF}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(EveryRoutine, DecayReachesEveryToutExactly) {
  Integration run = Start(&Decay, {1.0, 2.0});
  for (int k = 1; k <= 50; ++k) {
    const double tout = 0.1 * k;
    ASSERT_EQ(run.Call(tout, 1e-8, 1e-10), kIdidReachedTout)
        << "at " << tout << ": " << run.work.LastSolverMessage();
    ASSERT_EQ(run.t, tout);
    EXPECT_EQ(run.info[0], 1);
    EXPECT_NEAR(run.y[0], std::exp(-tout), 1e-6) << tout;
    EXPECT_NEAR(run.y[1], 2.0 * std::exp(-10.0 * tout), 1e-6) << tout;
  }
  // Only the Fehlberg code is told to stop at TOUT; the multistep codes may step past it and
  // interpolate back.
  if (isFehlberg()) {
    EXPECT_LE(run.probe.latestT, 5.0);
  }
  EXPECT_EQ(run.work.Evaluations(), run.probe.calls);
}

TEST_P(EveryRoutine, OscillatorKeepsPhaseAndAmplitudeOverManyPeriods) {
  Integration run = Start(&Oscillator, {1.0, 0.0});
  const double period = 2.0 * std::acos(-1.0);
  const int steps = 1000;  // 50 periods in the drivers' fashion: many short calls
  const double dt = 50.0 * period / steps;
  for (int k = 1; k <= steps; ++k) {
    ASSERT_EQ(run.Call(k * dt, 1e-10, 1e-12), kIdidReachedTout)
        << k << ": " << run.work.LastSolverMessage();
  }
  EXPECT_EQ(run.t, steps * dt);
  EXPECT_NEAR(run.y[0], std::cos(run.t), 1e-5);
  EXPECT_NEAR(run.y[1], -std::sin(run.t), 1e-5);
  EXPECT_NEAR(run.y[0] * run.y[0] + run.y[1] * run.y[1], 1.0, 1e-5);  // energy
}

TEST(Ddebdf, SolvesRobertsonsStiffKinetics) {
  Integration run(&DDEBDF, &Robertson, {1.0, 0.0, 0.0});
  // Reference values at t = 40 from the literature on this test problem.
  for (double tout : {0.4, 4.0, 40.0}) {
    ASSERT_EQ(run.Call(tout, 1e-8, 1e-14), kIdidReachedTout)
        << tout << ": " << run.work.LastSolverMessage();
  }
  EXPECT_NEAR(run.y[0], 0.7158271, 1e-6);
  EXPECT_NEAR(run.y[1], 9.185535e-6, 1e-11);
  EXPECT_NEAR(run.y[2], 0.2841637, 1e-6);
  EXPECT_NEAR(run.y[0] + run.y[1] + run.y[2], 1.0, 1e-12);  // mass is conserved
  // Stiffness: a stiff code gets there in a few hundred steps at most.
  EXPECT_LT(run.work.Steps(), 500);
}

TEST_P(EveryRoutine, InterruptsAfter500StepsAndContinuesFromThere) {
  Integration run = Start(&Oscillator, {1.0, 0.0});
  run.probe.omega = 100.0;  // about 160 periods to TOUT
  const double omega = run.probe.omega;
  const double tout = 10.0;
  ASSERT_EQ(run.Call(tout, 1e-7, 1e-7), kIdidTooMuchWork) << run.work.LastSolverMessage();
  EXPECT_EQ(run.info[0], -1);
  EXPECT_EQ(run.work.Steps(), 500);
  EXPECT_GT(run.t, 0.0);
  EXPECT_LT(run.t, tout);
  // T and Y are the last step reached.
  EXPECT_NEAR(run.y[0], std::cos(omega * run.t), 1e-4);
  EXPECT_NEAR(run.y[1], -omega * std::sin(omega * run.t), 1e-2);

  // Until the caller acknowledges the interruption, nothing is done.
  const double tStop = run.t;
  const std::vector<double> yStop = run.y;
  const long callsAtStop = run.probe.calls;
  EXPECT_EQ(run.Call(tout, 1e-7, 1e-7), kIdidCannotContinue);
  EXPECT_EQ(run.t, tStop);
  EXPECT_EQ(run.y, yStop);
  EXPECT_EQ(run.probe.calls, callsAtStop);

  // Continuing: each call takes at most 500 more steps from where the last one stopped.
  int interruptions = 1;
  while (true) {
    run.info[0] = 1;
    const double before = run.t;
    if (run.Call(tout, 1e-7, 1e-7) == kIdidReachedTout) break;
    ASSERT_EQ(run.idid, kIdidTooMuchWork) << run.work.LastSolverMessage();
    ASSERT_GT(run.t, before);
    ++interruptions;
    ASSERT_EQ(run.work.Steps(), 500L * interruptions);  // never restarted: the count goes on
    ASSERT_LT(interruptions, 1000);
  }
  EXPECT_EQ(run.t, tout);
  EXPECT_GT(run.work.Steps(), 500L * interruptions);
  EXPECT_NEAR(run.y[0], std::cos(omega * tout), 1e-3);
}

// The multistep codes take the same steps whatever the output times, so continuing in many
// short calls costs exactly the evaluations of one long call: nothing is restarted.
TEST_P(EveryRoutine, ContinuationCallsDoNotRestartTheSolver) {
  const auto evaluations = [&](int calls, bool restartEachCall) {
    Integration run = Start(&Decay, {1.0, 2.0});
    run.Call(0.1, 1e-6, 1e-8);
    for (int k = 1; k <= calls; ++k) {
      if (restartEachCall) run.info[0] = 0;
      EXPECT_EQ(run.Call(0.1 + 9.9 * k / calls, 1e-6, 1e-8), kIdidReachedTout);
    }
    EXPECT_NEAR(run.y[0], std::exp(-10.0), 1e-5);
    return run.probe.calls;
  };
  if (isFehlberg()) {
    // Stopping at every TOUT shortens steps; a restart also chooses its first step again, which
    // costs more than one evaluation a call.
    const long pieces = evaluations(99, false);
    const long restarted = evaluations(99, true);
    EXPECT_GT(restarted - pieces, 99) << pieces << " " << restarted;
    return;
  }
  const long whole = evaluations(1, false);
  const long pieces = evaluations(990, false);
  const long restarted = evaluations(990, true);
  EXPECT_EQ(pieces, whole);
  EXPECT_GT(restarted, 2 * pieces);
}

TEST_P(EveryRoutine, TolerancesTooSmallAreRaisedAndTheIntegrationGoesOn) {
  Integration run = Start(&Decay, {1.0, 2.0});
  ASSERT_EQ(run.Call(1.0, 1e-30, 0.0), kIdidTolerancesTooSmall) << run.work.LastSolverMessage();
  EXPECT_EQ(run.info[0], -1);
  EXPECT_GT(run.work.RelativeToleranceInUse(), 1e-30);
  run.info[0] = 1;
  EXPECT_LT(run.CallUntilDone(1.0, 1e-30, 0.0), 20);
  EXPECT_EQ(run.idid, kIdidReachedTout);
  EXPECT_EQ(run.t, 1.0);
  EXPECT_NEAR(run.y[0], std::exp(-1.0), 1e-12);
  // A new problem forgets the raised tolerances.
  run.info[0] = 0;
  run.Call(1.5, 1e-6, 1e-6);
  EXPECT_EQ(run.work.RelativeToleranceInUse(), 1e-6);
}

TEST_P(EveryRoutine, RefusesInvalidInputWithoutTouchingAnything) {
  struct Case {
    const char* what;
    int neq;
    double rtol;
    double atol;
    int info1;
    double tout;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"no equations", 0, 1e-6, 1e-6, 0, 1.0},
      {"negative relative tolerance", 2, -1e-6, 1e-6, 0, 1.0},
      {"negative absolute tolerance", 2, 1e-6, -1e-6, 0, 1.0},
      {"both tolerances zero", 2, 0.0, 0.0, 0, 1.0},
      {"tolerance not a number", 2, nan, 1e-6, 0, 1.0},
      {"TOUT not a number", 2, 1e-6, 1e-6, 0, nan},
      {"INFO(1) = -1", 2, 1e-6, 1e-6, -1, 1.0},
      {"INFO(1) = 2", 2, 1e-6, 1e-6, 2, 1.0},
      {"continuation without a start", 2, 1e-6, 1e-6, 1, 1.0},
  };
  for (const Case& c : cases) {
    Probe probe;
    DepacWork work;
    DepacInfo info{};
    info[0] = c.info1;
    double t = 0.25;
    double y[2] = {1.0, 2.0};
    int idid = 0;
    routine()(&Decay, c.neq, t, y, c.tout, info, c.rtol, c.atol, idid, work, &probe);
    EXPECT_EQ(idid, kIdidCannotContinue) << c.what;
    EXPECT_EQ(info[0], c.info1) << c.what;
    EXPECT_EQ(t, 0.25) << c.what;
    EXPECT_EQ(y[0], 1.0) << c.what;
    EXPECT_EQ(probe.calls, 0) << c.what;
  }
}

TEST_P(EveryRoutine, AContinuationMustKeepTheProblemItContinues) {
  Integration run = Start(&Decay, {1.0, 2.0});
  ASSERT_EQ(run.Call(1.0), kIdidReachedTout);
  const long calls = run.probe.calls;
  // Another size, another routine, or a step backwards: refused, nothing integrated.
  run.y.pop_back();
  EXPECT_EQ(run.Call(2.0), kIdidCannotContinue);
  run.y.push_back(0.0);
  run.routine = isFehlberg() ? &DDEABM : &DDERKF;
  EXPECT_EQ(run.Call(2.0), kIdidCannotContinue);
  run.routine = routine();
  EXPECT_EQ(run.Call(0.5), kIdidCannotContinue);
  EXPECT_EQ(run.probe.calls, calls);
  EXPECT_EQ(run.t, 1.0);
  EXPECT_EQ(run.info[0], 1);
  // TOUT = T: nothing to do, and done; Y is the solution, whatever the caller wrote into it.
  EXPECT_EQ(run.Call(1.0), kIdidReachedTout);
  EXPECT_NEAR(run.y[0], std::exp(-1.0), 1e-5);
  EXPECT_NEAR(run.y[1], 2.0 * std::exp(-10.0), 1e-5);
  // The same work continues normally afterwards.
  EXPECT_EQ(run.Call(2.0), kIdidReachedTout);
}

TEST_P(EveryRoutine, ANewProblemOnAUsedWorkMatchesAFreshWork) {
  const auto solve = [&](DepacWork& work) {
    Integration run = Start(&Oscillator, {1.0, 0.0});
    std::swap(run.work, work);
    for (int k = 1; k <= 20; ++k) run.Call(0.5 * k, 1e-7, 1e-9);
    std::swap(run.work, work);
    return std::vector<double>{run.y[0], run.y[1], static_cast<double>(run.probe.calls)};
  };
  DepacWork fresh;
  const auto expected = solve(fresh);
  DepacWork used;
  solve(used);
  EXPECT_EQ(solve(used), expected);
  // A moved work carries its solver with it.
  DepacWork moved = std::move(used);
  EXPECT_EQ(solve(moved), expected);
}

TEST_P(EveryRoutine, DerivativesThatAreNotFiniteEndInMinus33WithoutSpinning) {
  // NaN everywhere: nothing can be done, at once.
  Integration nowhere = Start(&BreaksDown, {0.0});
  nowhere.probe.nanAfter = -1.0;
  EXPECT_EQ(nowhere.Call(1.0), kIdidCannotContinue);
  EXPECT_EQ(nowhere.info[0], -1);
  EXPECT_EQ(nowhere.t, 0.0);
  EXPECT_FALSE(nowhere.work.LastSolverMessage().empty());

  // NaN beyond t = 1: a driver that retries on IDID < 0 and stops on -33 comes to rest just
  // before the breakdown with a finite state.
  Integration late = Start(&BreaksDown, {0.0});
  late.probe.nanAfter = 1.0;
  EXPECT_LT(late.CallUntilDone(2.0), 100);
  EXPECT_EQ(late.idid, kIdidCannotContinue);
  EXPECT_LE(late.t, 1.0);
  EXPECT_GT(late.t, 0.9);
  EXPECT_NEAR(late.y[0], late.t, 1e-9);
}

TEST_P(EveryRoutine, ASingularityEndsInMinus33AfterAFewFruitlessRetries) {
  Integration run = Start(&BlowsUp, {1.0});
  EXPECT_LT(run.CallUntilDone(2.0), 12);
  EXPECT_EQ(run.idid, kIdidCannotContinue);
  EXPECT_GT(run.t, 0.999);
  EXPECT_LE(run.t, 1.0);
  EXPECT_EQ(run.info[0], -1);
  // Further calls give up at once.
  run.info[0] = 1;
  const long evaluations = run.probe.calls;
  EXPECT_EQ(run.Call(2.0), kIdidCannotContinue);
  EXPECT_EQ(run.probe.calls, evaluations);
}

TEST(FixedStepMethods, EulerAndHeunOnARampAndWhatTheyCost) {
  Probe probe;
  double t = 1.0;
  double y[1] = {0.0};
  EulerStep(&Ramp, 1, t, 1.5, y, &probe);
  EXPECT_EQ(t, 1.5);
  EXPECT_DOUBLE_EQ(y[0], 0.5);  // the slope at the start only
  EXPECT_EQ(probe.calls, 1);

  t = 1.0;
  y[0] = 0.0;
  HeunStep(&Ramp, 1, t, 1.5, y, &probe);
  EXPECT_EQ(t, 1.5);
  EXPECT_DOUBLE_EQ(y[0], 0.625);  // trapezoidal: exact for a linear slope
  EXPECT_EQ(probe.calls, 3);
  EXPECT_EQ(probe.latestT, 1.5);  // the second slope is taken at TOUT
}

TEST(FixedStepMethods, LargeSystemsStepLikeSmallOnes) {
  const int neq = 200;
  std::vector<double> y(neq);
  for (int i = 0; i < neq; ++i) y[i] = i;
  double t = 0.0;
  Probe probe;
  HeunStep(
      [](double tt, const double* yy, double* yp, void* context) {
        static_cast<Probe*>(context)->Saw(tt);
        for (int i = 0; i < 200; ++i) yp[i] = -yy[i];
      },
      neq, t, 0.1, y.data(), &probe);
  for (int i = 0; i < neq; ++i) EXPECT_DOUBLE_EQ(y[i], i * (1.0 - 0.1 + 0.005)) << i;
}

TEST(IntegrateStep, DispatchesByIndexAndEulerMethodsLeaveIdidAlone) {
  // One step of 0.1 on the decay problem: the error shrinks with the order of the method. An
  // index that names no integrator steps nothing.
  const double exact = std::exp(-0.1);
  const double tolerance[5] = {1e-7, 1e-7, 1e-7, 6e-3, 2e-4};
  for (int index : {0, 1, 2, 3, 4, -1, 5, 42}) {
    const bool known = index >= 0 && index < 5, depac = index >= 0 && index < 3;
    Probe probe;
    DepacWork work;
    DepacInfo info{};
    double t = 0.0;
    double y[2] = {1.0, 1.0};
    int idid = 12345;
    IntegrateStep(index, &Decay, 2, t, y, 0.1, info, 1e-9, 1e-9, idid, work, &probe);
    EXPECT_EQ(t, known ? 0.1 : 0.0) << index;
    EXPECT_NEAR(y[0], known ? exact : 1.0, known ? tolerance[index] : 0.0) << index;
    EXPECT_EQ(idid, depac ? kIdidReachedTout : 12345) << index;
    EXPECT_EQ(info[0], depac ? 1 : 0) << index;
    EXPECT_EQ(probe.calls == 0, !known) << index;
  }
}

}  // namespace
}  // namespace plumora
