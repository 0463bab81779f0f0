// Cost of one integrator call as the phase drivers make it: a running integration advanced by
// one time step of 0.1 s, over a 12-equation problem (the size of the ballistic state).
#include <benchmark/benchmark.h>

#include <cmath>

#include "core/solvers/Depac.h"

namespace {

using plumora::DepacInfo;
using plumora::DepacWork;

constexpr int kEquations = 12;
constexpr double kTimeStep = 0.1;  // s

// Six undamped oscillators of different frequencies: the solution never dies away, so every call
// in a long benchmark run does the same kind of work.
void Oscillators(double, const double* y, double* yp, void*) {
  for (int k = 0; k < kEquations / 2; ++k) {
    const double omega = 0.5 + 0.3 * k;
    yp[2 * k] = y[2 * k + 1];
    yp[2 * k + 1] = -omega * omega * y[2 * k];
  }
}

template <auto Routine>
void BM_ContinuationCall(benchmark::State& state) {
  DepacWork work;
  DepacInfo info{};
  double y[kEquations];
  for (int i = 0; i < kEquations; ++i) y[i] = (i % 2 == 0) ? 1.0 : 0.0;
  double t = 0.0;
  double tout = kTimeStep;
  int idid = 0;
  Routine(&Oscillators, kEquations, t, y, tout, info, 1e-5, 1e-5, idid, work, nullptr);
  const long evaluationsBefore = work.Evaluations();
  for (auto _ : state) {
    tout += kTimeStep;
    Routine(&Oscillators, kEquations, t, y, tout, info, 1e-5, 1e-5, idid, work, nullptr);
    benchmark::DoNotOptimize(y[0]);
  }
  if (idid != plumora::kIdidReachedTout) state.SkipWithError("integration interrupted");
  state.counters["F/call"] =
      static_cast<double>(work.Evaluations() - evaluationsBefore) / state.iterations();
}

// A new problem on a work that already holds a solver: what each phase start costs.
template <auto Routine>
void BM_NewProblemCall(benchmark::State& state) {
  DepacWork work;
  for (auto _ : state) {
    DepacInfo info{};
    double y[kEquations];
    for (int i = 0; i < kEquations; ++i) y[i] = (i % 2 == 0) ? 1.0 : 0.0;
    double t = 0.0;
    int idid = 0;
    Routine(&Oscillators, kEquations, t, y, kTimeStep, info, 1e-5, 1e-5, idid, work, nullptr);
    benchmark::DoNotOptimize(y[0]);
  }
}

void BM_HeunStep(benchmark::State& state) {
  double y[kEquations] = {1.0};
  double t = 0.0;
  for (auto _ : state) {
    plumora::HeunStep(&Oscillators, kEquations, t, t + kTimeStep, y, nullptr);
    benchmark::DoNotOptimize(y[0]);
  }
}

BENCHMARK(BM_ContinuationCall<plumora::DDERKF>)->Name("DDERKF/continuation");
BENCHMARK(BM_ContinuationCall<plumora::DDEABM>)->Name("DDEABM/continuation");
BENCHMARK(BM_ContinuationCall<plumora::DDEBDF>)->Name("DDEBDF/continuation");
BENCHMARK(BM_NewProblemCall<plumora::DDERKF>)->Name("DDERKF/new_problem");
BENCHMARK(BM_NewProblemCall<plumora::DDEABM>)->Name("DDEABM/new_problem");
BENCHMARK(BM_NewProblemCall<plumora::DDEBDF>)->Name("DDEBDF/new_problem");
BENCHMARK(BM_HeunStep)->Name("HeunStep");

}  // namespace

BENCHMARK_MAIN();
