#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/solvers/Depac.h"

namespace plumora {
namespace {

// A bank of undamped oscillators x'' = -ω²x, stored as (x, v) pairs; pair k has ω = 1 + k/4
// when spread, all have ω = 1 otherwise. x(0) = 1, v(0) = 0.
struct Bank {
  int pairs = 1;
  bool spread = true;
  double Omega(int k) const { return spread ? 1.0 + 0.25 * k : 1.0; }
};

void Oscillators(double, const double* y, double* yp, void* context) {
  const Bank& bank = *static_cast<const Bank*>(context);
  for (int k = 0; k < bank.pairs; ++k) {
    const double omega = bank.Omega(k);
    yp[2 * k] = y[2 * k + 1];
    yp[2 * k + 1] = -omega * omega * y[2 * k];
  }
}

struct Outcome {
  std::vector<double> y;
  double worstError = 0.0;  // largest |x − cos ωt| at the end
  long evaluations = 0;
  long steps = 0;
  int idid = 0;
};

// DDERKF over [0, tEnd] in calls of `call` seconds, as the phase drivers call it.
Outcome Integrate(const Bank& bank, double tolerance, double tEnd, double call) {
  const int neq = 2 * bank.pairs;
  Outcome out;
  out.y.assign(static_cast<std::size_t>(neq), 0.0);
  for (int k = 0; k < bank.pairs; ++k) out.y[2 * k] = 1.0;
  DepacWork work;
  DepacInfo info{};
  double t = 0.0;
  const int calls = static_cast<int>(std::lround(tEnd / call));
  for (int c = 1; c <= calls && out.idid >= 0; ++c) {
    DDERKF(&Oscillators, neq, t, out.y.data(), c * call, info, tolerance, tolerance, out.idid, work,
           const_cast<Bank*>(&bank));
  }
  for (int k = 0; k < bank.pairs; ++k) {
    out.worstError =
        std::max(out.worstError, std::fabs(out.y[2 * k] - std::cos(bank.Omega(k) * t)));
  }
  out.evaluations = work.Evaluations();
  out.steps = work.Steps();
  return out;
}

// The states the drivers integrate (12, 24 and 30 values) live in arrays of their own size, any
// other size in vectors: each meets the tolerance.
TEST(Dderkf, EveryStateSizeMeetsItsTolerance) {
  for (int pairs : {1, 6, 12, 15, 20}) {
    const Outcome out = Integrate(Bank{pairs, true}, 1e-9, 10.0, 0.1);
    EXPECT_EQ(out.idid, kIdidReachedTout) << 2 * pairs;
    EXPECT_LT(out.worstError, 1e-7) << 2 * pairs;
  }
}

// Copies of one oscillator have the same error norm whatever their number, so the array and
// the vector stores must take the very same steps.
TEST(Dderkf, ArraysAndVectorsStepAlike) {
  const Outcome one = Integrate(Bank{1, false}, 1e-7, 10.0, 0.5);
  for (int pairs : {6, 12, 15, 20}) {
    const Outcome many = Integrate(Bank{pairs, false}, 1e-7, 10.0, 0.5);
    EXPECT_EQ(many.steps, one.steps) << 2 * pairs;
    EXPECT_EQ(many.evaluations, one.evaluations) << 2 * pairs;
    for (int i = 0; i < 2 * pairs; ++i) {
      EXPECT_NEAR(many.y[static_cast<std::size_t>(i)], one.y[i % 2], 1e-14)
          << 2 * pairs << " " << i;
    }
  }
}

// The error control works: the global error falls with the tolerance, at about the rate a
// fifth-order method gives, and stays within a modest multiple of it (2 to 3 times here).
TEST(Dderkf, TheGlobalErrorFollowsTheTolerance) {
  double previous = 1.0;
  long previousSteps = 0;
  for (double tolerance : {1e-4, 1e-6, 1e-8, 1e-10}) {
    const Outcome out = Integrate(Bank{6, true}, tolerance, 10.0, 1.0);
    ASSERT_EQ(out.idid, kIdidReachedTout) << tolerance;
    EXPECT_LT(out.worstError, 100.0 * tolerance) << tolerance;
    EXPECT_LT(out.worstError, previous / 10.0) << tolerance;
    // 100 times tighter costs about 100^(1/5) = 2.5 times the steps.
    if (previousSteps > 0) {
      EXPECT_GT(out.steps, 18 * previousSteps / 10) << tolerance;
      EXPECT_LT(out.steps, 4 * previousSteps) << tolerance;
    }
    previous = out.worstError;
    previousSteps = out.steps;
  }
}

}  // namespace
}  // namespace plumora
