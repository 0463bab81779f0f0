#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>
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

class EveryRoutine : public ::testing::TestWithParam<RoutineCase> {
 protected:
  Routine routine() const { return GetParam().routine; }
  bool isFehlberg() const { return GetParam().routine == &DDERKF; }
};

INSTANTIATE_TEST_SUITE_P(Depac, EveryRoutine,
                         ::testing::Values(RoutineCase{"DDERKF", &DDERKF},
                                           RoutineCase{"DDEABM", &DDEABM},
                                           RoutineCase{"DDEBDF", &DDEBDF}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(EveryRoutine, DecayReachesEveryToutExactly) {
  Probe probe;
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  double y[2] = {1.0, 2.0};
  int idid = 0;
  for (int k = 1; k <= 50; ++k) {
    const double tout = 0.1 * k;
    routine()(&Decay, 2, t, y, tout, info, 1e-8, 1e-10, idid, work, &probe);
    ASSERT_EQ(idid, kIdidReachedTout) << "at " << tout << ": " << work.LastSolverMessage();
    ASSERT_EQ(t, tout);
    EXPECT_EQ(info[0], 1);
    EXPECT_NEAR(y[0], std::exp(-tout), 1e-6) << tout;
    EXPECT_NEAR(y[1], 2.0 * std::exp(-10.0 * tout), 1e-6) << tout;
  }
  // Only the Fehlberg code is told to stop at TOUT; the multistep codes may step past it and
  // interpolate back.
  if (isFehlberg()) {
    EXPECT_LE(probe.latestT, 5.0);
  }
  EXPECT_EQ(work.Evaluations(), probe.calls);
}

TEST_P(EveryRoutine, OscillatorKeepsPhaseAndAmplitudeOverManyPeriods) {
  Probe probe;
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  double y[2] = {1.0, 0.0};
  int idid = 0;
  const double period = 2.0 * std::acos(-1.0);
  const int steps = 1000;  // 50 periods in the drivers' fashion: many short calls
  const double dt = 50.0 * period / steps;
  for (int k = 1; k <= steps; ++k) {
    routine()(&Oscillator, 2, t, y, k * dt, info, 1e-10, 1e-12, idid, work, &probe);
    ASSERT_EQ(idid, kIdidReachedTout) << k << ": " << work.LastSolverMessage();
  }
  EXPECT_EQ(t, steps * dt);
  EXPECT_NEAR(y[0], std::cos(t), 1e-5);
  EXPECT_NEAR(y[1], -std::sin(t), 1e-5);
  EXPECT_NEAR(y[0] * y[0] + y[1] * y[1], 1.0, 1e-5);  // energy
}

TEST(Ddebdf, SolvesRobertsonsStiffKinetics) {
  Probe probe;
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  double y[3] = {1.0, 0.0, 0.0};
  int idid = 0;
  // Reference values at t = 40 from the literature on this test problem.
  for (double tout : {0.4, 4.0, 40.0}) {
    DDEBDF(&Robertson, 3, t, y, tout, info, 1e-8, 1e-14, idid, work, &probe);
    ASSERT_EQ(idid, kIdidReachedTout) << tout << ": " << work.LastSolverMessage();
  }
  EXPECT_NEAR(y[0], 0.7158271, 1e-6);
  EXPECT_NEAR(y[1], 9.185535e-6, 1e-11);
  EXPECT_NEAR(y[2], 0.2841637, 1e-6);
  EXPECT_NEAR(y[0] + y[1] + y[2], 1.0, 1e-12);  // mass is conserved
  // Stiffness: a stiff code gets there in a few hundred steps at most.
  EXPECT_LT(work.Steps(), 500);
}

TEST_P(EveryRoutine, InterruptsAfter500StepsAndContinuesFromThere) {
  Probe probe;
  probe.omega = 100.0;  // about 160 periods to TOUT
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  double y[2] = {1.0, 0.0};
  int idid = 0;
  const double tout = 10.0;
  routine()(&Oscillator, 2, t, y, tout, info, 1e-7, 1e-7, idid, work, &probe);
  ASSERT_EQ(idid, kIdidTooMuchWork) << work.LastSolverMessage();
  EXPECT_EQ(info[0], -1);
  EXPECT_EQ(work.Steps(), 500);
  EXPECT_GT(t, 0.0);
  EXPECT_LT(t, tout);
  // T and Y are the last step reached.
  EXPECT_NEAR(y[0], std::cos(probe.omega * t), 1e-4);
  EXPECT_NEAR(y[1], -probe.omega * std::sin(probe.omega * t), 1e-2);

  // Until the caller acknowledges the interruption, nothing is done.
  const double tStop = t;
  const double yStop[2] = {y[0], y[1]};
  const long callsAtStop = probe.calls;
  routine()(&Oscillator, 2, t, y, tout, info, 1e-7, 1e-7, idid, work, &probe);
  EXPECT_EQ(idid, kIdidCannotContinue);
  EXPECT_EQ(t, tStop);
  EXPECT_EQ(y[0], yStop[0]);
  EXPECT_EQ(y[1], yStop[1]);
  EXPECT_EQ(probe.calls, callsAtStop);

  // Continuing: each call takes at most 500 more steps from where the last one stopped.
  int interruptions = 1;
  while (true) {
    info[0] = 1;
    const double before = t;
    routine()(&Oscillator, 2, t, y, tout, info, 1e-7, 1e-7, idid, work, &probe);
    if (idid == kIdidReachedTout) break;
    ASSERT_EQ(idid, kIdidTooMuchWork) << work.LastSolverMessage();
    ASSERT_GT(t, before);
    ++interruptions;
    ASSERT_EQ(work.Steps(), 500L * interruptions);  // never restarted: the count goes on
    ASSERT_LT(interruptions, 1000);
  }
  EXPECT_EQ(t, tout);
  EXPECT_GT(work.Steps(), 500L * interruptions);
  EXPECT_NEAR(y[0], std::cos(probe.omega * tout), 1e-3);
}

// The multistep codes take the same steps whatever the output times, so continuing in many
// short calls costs exactly the evaluations of one long call: nothing is restarted.
TEST_P(EveryRoutine, ContinuationCallsDoNotRestartTheSolver) {
  const auto run = [&](int calls, bool restartEachCall) {
    Probe probe;
    DepacWork work;
    DepacInfo info{};
    double t = 0.0;
    double y[2] = {1.0, 2.0};
    int idid = 0;
    routine()(&Decay, 2, t, y, 0.1, info, 1e-6, 1e-8, idid, work, &probe);
    for (int k = 1; k <= calls; ++k) {
      if (restartEachCall) info[0] = 0;
      routine()(&Decay, 2, t, y, 0.1 + 9.9 * k / calls, info, 1e-6, 1e-8, idid, work, &probe);
      EXPECT_EQ(idid, kIdidReachedTout);
    }
    EXPECT_NEAR(y[0], std::exp(-10.0), 1e-5);
    return probe.calls;
  };
  const long whole = run(1, false);
  const long pieces = run(990, false);
  const long restarted = run(990, true);
  if (isFehlberg()) {
    // Stopping at every TOUT shortens steps, but a restart costs its start-up every time.
    EXPECT_LT(pieces, restarted * 3 / 4) << pieces << " " << restarted;
  } else {
    EXPECT_EQ(pieces, whole);
    EXPECT_GT(restarted, 2 * pieces);
  }
}

TEST_P(EveryRoutine, TolerancesTooSmallAreRaisedAndTheIntegrationGoesOn) {
  Probe probe;
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  double y[2] = {1.0, 2.0};
  int idid = 0;
  routine()(&Decay, 2, t, y, 1.0, info, 1e-30, 0.0, idid, work, &probe);
  ASSERT_EQ(idid, kIdidTolerancesTooSmall) << work.LastSolverMessage();
  EXPECT_EQ(info[0], -1);
  EXPECT_GT(work.RelativeToleranceInUse(), 1e-30);
  int calls = 1;
  while (idid != kIdidReachedTout && calls < 20) {
    info[0] = 1;
    routine()(&Decay, 2, t, y, 1.0, info, 1e-30, 0.0, idid, work, &probe);
    ASSERT_GE(idid, kIdidTolerancesTooSmall) << work.LastSolverMessage();
    ++calls;
  }
  EXPECT_EQ(idid, kIdidReachedTout);
  EXPECT_EQ(t, 1.0);
  EXPECT_NEAR(y[0], std::exp(-1.0), 1e-12);
  // A new problem forgets the raised tolerances.
  info[0] = 0;
  routine()(&Decay, 2, t, y, 1.5, info, 1e-6, 1e-6, idid, work, &probe);
  EXPECT_EQ(work.RelativeToleranceInUse(), 1e-6);
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
  Probe probe;
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  double y[2] = {1.0, 2.0};
  int idid = 0;
  routine()(&Decay, 2, t, y, 1.0, info, 1e-6, 1e-6, idid, work, &probe);
  ASSERT_EQ(idid, kIdidReachedTout);
  const long calls = probe.calls;
  // Another size, another routine, or a step backwards: refused, nothing integrated.
  routine()(&Decay, 1, t, y, 2.0, info, 1e-6, 1e-6, idid, work, &probe);
  EXPECT_EQ(idid, kIdidCannotContinue);
  Routine other = isFehlberg() ? &DDEABM : &DDERKF;
  other(&Decay, 2, t, y, 2.0, info, 1e-6, 1e-6, idid, work, &probe);
  EXPECT_EQ(idid, kIdidCannotContinue);
  routine()(&Decay, 2, t, y, 0.5, info, 1e-6, 1e-6, idid, work, &probe);
  EXPECT_EQ(idid, kIdidCannotContinue);
  EXPECT_EQ(probe.calls, calls);
  EXPECT_EQ(t, 1.0);
  EXPECT_EQ(info[0], 1);
  // TOUT = T: nothing to do, and done.
  routine()(&Decay, 2, t, y, 1.0, info, 1e-6, 1e-6, idid, work, &probe);
  EXPECT_EQ(idid, kIdidReachedTout);
  EXPECT_NEAR(y[0], std::exp(-1.0), 1e-5);
  // The same work continues normally afterwards.
  routine()(&Decay, 2, t, y, 2.0, info, 1e-6, 1e-6, idid, work, &probe);
  EXPECT_EQ(idid, kIdidReachedTout);
}

TEST_P(EveryRoutine, ANewProblemOnAUsedWorkMatchesAFreshWork) {
  const auto solve = [&](DepacWork& work) {
    Probe probe;
    DepacInfo info{};
    double t = 0.0;
    double y[2] = {1.0, 0.0};
    int idid = 0;
    for (int k = 1; k <= 20; ++k) {
      routine()(&Oscillator, 2, t, y, 0.5 * k, info, 1e-7, 1e-9, idid, work, &probe);
    }
    return std::vector<double>{y[0], y[1], static_cast<double>(probe.calls)};
  };
  DepacWork fresh;
  const auto expected = solve(fresh);
  DepacWork used;
  solve(used);
  EXPECT_EQ(solve(used), expected);
  // A moved work carries its problem with it.
  DepacWork moved = std::move(used);
  EXPECT_EQ(solve(moved), expected);
}

TEST_P(EveryRoutine, DerivativesThatAreNotFiniteEndInMinus33WithoutSpinning) {
  // NaN everywhere: nothing can be done, at once and on every retry.
  Probe probe;
  probe.nanAfter = -1.0;
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  double y[1] = {0.0};
  int idid = 0;
  routine()(&BreaksDown, 1, t, y, 1.0, info, 1e-6, 1e-6, idid, work, &probe);
  EXPECT_EQ(idid, kIdidCannotContinue);
  EXPECT_EQ(info[0], -1);
  EXPECT_EQ(t, 0.0);
  EXPECT_FALSE(work.LastSolverMessage().empty());

  // NaN beyond t = 1: a driver that retries on IDID < 0 and stops on -33 comes to rest just
  // before the breakdown with a finite state.
  Probe late;
  late.nanAfter = 1.0;
  DepacWork work2;
  info = {};
  t = 0.0;
  y[0] = 0.0;
  int calls = 0;
  for (; calls < 100; ++calls) {
    routine()(&BreaksDown, 1, t, y, 2.0, info, 1e-6, 1e-6, idid, work2, &late);
    if (idid == kIdidCannotContinue || idid == kIdidReachedTout) break;
    info[0] = 1;
  }
  EXPECT_LT(calls, 100);
  EXPECT_EQ(idid, kIdidCannotContinue);
  EXPECT_LE(t, 1.0);
  EXPECT_GT(t, 0.9);
  EXPECT_NEAR(y[0], t, 1e-9);
}

TEST_P(EveryRoutine, ASingularityEndsInMinus33AfterAFewFruitlessRetries) {
  Probe probe;
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  double y[1] = {1.0};
  int idid = 0;
  int calls = 0;
  for (; calls < 50; ++calls) {
    routine()(&BlowsUp, 1, t, y, 2.0, info, 1e-6, 1e-6, idid, work, &probe);
    if (idid == kIdidCannotContinue || idid == kIdidReachedTout) break;
    ASSERT_LT(idid, 0);
    info[0] = 1;
  }
  EXPECT_EQ(idid, kIdidCannotContinue);
  EXPECT_LT(calls, 12);
  EXPECT_GT(t, 0.999);
  EXPECT_LE(t, 1.0);
  EXPECT_EQ(info[0], -1);
  // Further calls give up at once.
  info[0] = 1;
  const long evaluations = probe.calls;
  routine()(&BlowsUp, 1, t, y, 2.0, info, 1e-6, 1e-6, idid, work, &probe);
  EXPECT_EQ(idid, kIdidCannotContinue);
  EXPECT_EQ(probe.calls, evaluations);
}

// The phase drivers answer IDID < 0 by setting INFO(1) = 1 and trying the same TOUT again.
// With a step of 5 s on a fast oscillator every TOUT needs several calls; each one advances.
TEST_P(EveryRoutine, TheDriversRetryRuleAlwaysAdvances) {
  Probe probe;
  probe.omega = 100.0;
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  double y[2] = {1.0, 0.0};
  int idid = 0;
  const double dt = 5.0;
  double tout = dt;
  int loops = 0;
  int retries = 0;
  while (tout <= 20.0 && loops < 1000) {
    ++loops;
    const double before = t;
    routine()(&Oscillator, 2, t, y, tout, info, 1e-6, 1e-6, idid, work, &probe);
    ASSERT_NE(idid, kIdidCannotContinue) << work.LastSolverMessage();
    ASSERT_GT(t, before);
    if (idid < 0) {
      info[0] = 1;
      tout -= dt;
      ++retries;
    }
    tout += dt;
  }
  EXPECT_EQ(t, 20.0);
  EXPECT_GT(retries, 4);
  EXPECT_NEAR(y[0], std::cos(probe.omega * 20.0), 1e-2);
}

TEST_P(EveryRoutine, TwoProblemsOnTwoThreadsDoNotMeet) {
  const auto solve = [&](double omega, std::vector<double>& out) {
    Probe probe;
    probe.omega = omega;
    DepacWork work;
    DepacInfo info{};
    double t = 0.0;
    double y[2] = {1.0, 0.0};
    int idid = 0;
    for (int k = 1; k <= 400; ++k) {
      routine()(&Oscillator, 2, t, y, 0.05 * k, info, 1e-8, 1e-10, idid, work, &probe);
    }
    out = {y[0], y[1], t};
  };
  std::vector<double> alone1, alone2, together1, together2;
  solve(1.0, alone1);
  solve(3.0, alone2);
  std::thread first([&] { solve(1.0, together1); });
  std::thread second([&] { solve(3.0, together2); });
  first.join();
  second.join();
  EXPECT_EQ(together1, alone1);
  EXPECT_EQ(together2, alone2);
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
  // One step of 0.1 on the decay problem: the error shrinks with the order of the method.
  const double exact = std::exp(-0.1);
  const double tolerance[5] = {1e-7, 1e-7, 1e-7, 6e-3, 2e-4};
  for (int index = 0; index < 5; ++index) {
    Probe probe;
    DepacWork work;
    DepacInfo info{};
    double t = 0.0;
    double y[2] = {1.0, 1.0};
    int idid = 12345;
    IntegrateStep(index, &Decay, 2, t, y, 0.1, info, 1e-9, 1e-9, idid, work, &probe);
    EXPECT_EQ(t, 0.1) << index;
    EXPECT_NEAR(y[0], exact, tolerance[index]) << index;
    EXPECT_EQ(idid, index < 3 ? kIdidReachedTout : 12345) << index;
    EXPECT_EQ(info[0], index < 3 ? 1 : 0) << index;
  }
  for (int index : {-1, 5, 42}) {
    Probe probe;
    DepacWork work;
    DepacInfo info{};
    double t = 0.0;
    double y[2] = {1.0, 1.0};
    int idid = 7;
    IntegrateStep(index, &Decay, 2, t, y, 0.1, info, 1e-9, 1e-9, idid, work, &probe);
    EXPECT_EQ(t, 0.0);
    EXPECT_EQ(y[0], 1.0);
    EXPECT_EQ(idid, 7);
    EXPECT_EQ(probe.calls, 0);
  }
}

}  // namespace
}  // namespace plumora
