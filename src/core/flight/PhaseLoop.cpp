#include "core/flight/PhaseLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/common/CodePage.h"
#include "core/common/Constants.h"
#include "core/common/Messages.h"
#include "core/flight/ProgressMeter.h"

namespace plumora {

namespace {

// Consecutive integrator calls that did not advance the time before the phase gives up.
constexpr int kMaxStuckCalls = 5;
// A call that moves the time by less than this share of the time step has not advanced it: at
// that pace (steps of a trillionth of the time step or less, as a body of almost no inertia
// forces) one time step would take longer than anybody waits.
constexpr double kNoProgressFraction = 1e-9;
// Counts the evaluations of the equations of motion on their way to the phase's own function.
struct CountedEquations {
  DepacFunction derivatives;
  void* context;
  double evaluations = 0.0;
};

void CountedDerivatives(double t, const double* y, double* yp, void* context) {
  auto& counted = *static_cast<CountedEquations*>(context);
  ++counted.evaluations;
  counted.derivatives(t, y, yp, counted.context);
}

// Why a phase was ended for its work: "The phase "NAME" needed more work ... at 12.5 s ...".
Error OverBudget(const FlightContext& flight, double t) {
  const CMissionPhase& phase = *flight.mission.phases[flight.phaseIndex];
  char reached[64];
  std::snprintf(reached, sizeof reached, "%.10g", t);
  return Fail(ErrorCode::kFlightFailed,
              "The phase \"" + Windows1252ToUtf8(phase.name) + "\" was stopped at " + reached +
                  " s: it took more integration work per second of flight than any sound mission "
                  "needs.\n" +
                  std::string(kMsgOverWorkBudgetHint));
}

// Tells the progress display the phase is over, however the loop is left.
class PhaseScope {
 public:
  PhaseScope(ProgressSink& sink, const std::string& text) : sink_(sink) {
    sink_.PhaseStarted(text);
  }
  ~PhaseScope() { sink_.PhaseEnded(); }
  PhaseScope(const PhaseScope&) = delete;
  PhaseScope& operator=(const PhaseScope&) = delete;

 private:
  ProgressSink& sink_;
};

}  // namespace

int GoOnOrShow(RunState& run, const Result<PhaseEnd>& result) {
  if (result) return 1;
  run.Show(result.error());
  return 0;
}

double ClampPercentage(double percentage) {
  if (std::isnan(percentage)) return 0.0;
  return std::clamp(percentage, 0.0, 100.0);
}

Result<PhaseEnd> RunPhaseLoop(FlightContext& flight, PhaseIntegration& phase,
                              const PhaseProblem& problem) {
  const SolverSettings& solver = flight.solver();
  const double dt = solver.timeStep;
  const double dtOut = solver.outputTimeStep;
  ProgressSink& progress = flight.run.progress();
  CTrajectoryStore& results = flight.results();
  // Time must move forward, or the loop would never reach a stop.
  if (!(dt > 0.0) || !(dtOut > 0.0) || !std::isfinite(dt) || !std::isfinite(dtOut)) {
    return Fail(ErrorCode::kInvalid, std::string(kMsgBadTimeStep));
  }
  PhaseScope scope(progress, FormatPhaseText(flight.phasePosition, flight.phaseCount));

  DepacWork work;
  DepacInfo info{};  // INFO(1) = 0: a new problem
  double t = 0.0;
  double tout = dt;
  double nextOutput = dtOut;
  int idid = 0;
  int stuckCalls = 0;
  CountedEquations counted{problem.derivatives, problem.context};

  for (;;) {
    const double tBefore = t;
    IntegrateStep(solver.integrator, CountedDerivatives, problem.size, t, problem.state, tout, info,
                  solver.relativeError, solver.absoluteError, idid, work, &counted);
    if (idid < 0) {
      // Continue the solver from where it got to and try the same target time again.
      info[0] = 1;
      tout -= dt;
    }
    // The model cannot go on; nothing after this call is worth keeping.
    if (const Error* failure = phase.Failure()) return *failure;
    // A solver that keeps failing without moving, or crawls, (or an integrator choice that
    // steps nothing) would otherwise go round for ever.
    stuckCalls = t - tBefore < kNoProgressFraction * dt ? stuckCalls + 1 : 0;
    if (stuckCalls >= kMaxStuckCalls) {
      return Fail(ErrorCode::kFlightFailed, std::string(kMsgSolverStuck));
    }
    // A crawl that still moves: stiff lines, bodies of almost no inertia or a tiny step keep
    // the integrator busy for ever on a moment of flight.
    const WorkBudget& budget = flight.run.workBudget;
    if (counted.evaluations > budget.headStart + budget.perSecond * t) {
      return OverBudget(flight, t);
    }
    // A step too large for its method can blow the state up; nothing sensible follows from it,
    // and no stop test would ever hold again.
    if (!std::all_of(problem.state, problem.state + problem.size,
                     [](double v) { return std::isfinite(v); })) {
      return Fail(ErrorCode::kFlightFailed, std::string(kMsgStateNotFinite));
    }
    if (nextOutput <= tout) {
      nextOutput += dtOut;
      phase.RecordSample(tout);
      if (results.LastIndex() >= kMaxSampleIndex) {
        return Fail(ErrorCode::kOverCapacity, std::string(kMsgTooManySamples));
      }
    }
    tout += dt;
    if (const std::optional<PhaseEnd> end = phase.EndsAt(tout)) {
      phase.HandOver();
      return *end;
    }
    if (const auto percentage = phase.Progress(tout)) {
      progress.ShowProgress(ClampPercentage(*percentage));
    }
    if (progress.StopRequested()) return Fail(ErrorCode::kStopped, {});
  }
}

}  // namespace plumora
