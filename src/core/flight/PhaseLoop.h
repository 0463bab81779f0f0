// The integration loop both phase modules share: step the chosen integrator from one time step
// to the next, store a sample at every output time, stop on the module's stop test, on the
// sample limit or on the user's Stop, and hand the final state on.
#pragma once

#include <optional>
#include <string>

#include "core/flight/FlightContext.h"
#include "core/solvers/Depac.h"

namespace plumora {

// What a phase module supplies to the loop. Times are phase times (s from the phase's start).
class PhaseIntegration {
 public:
  virtual ~PhaseIntegration() = default;
  // Appends one sample of the current state at phase time tout.
  virtual void RecordSample(double tout) = 0;
  // The stop test, called after TOUT has advanced: true to go on.
  virtual bool ShouldContinue(double tout) = 0;
  // Share of the phase done in percent, or nothing when the stop kind gives none.
  virtual std::optional<double> Progress(double tout) = 0;
  // Writes the final state into the hand-over record.
  virtual void HandOver() = 0;
  // A failure inside the model (it has shown its message) ends the phase with 0; asked right
  // after every integrator call, before anything else looks at the state.
  virtual bool Aborted() const { return false; }
};

// The integration problem: the state the loop advances and its right-hand side.
struct PhaseProblem {
  DepacFunction derivatives = nullptr;
  void* context = nullptr;  // passed to derivatives
  double* state = nullptr;
  int size = 0;
};

// Runs the loop with the mission's solver settings; returns 1 when the phase ended by its stop
// test (state handed over) and 0 when it failed or was stopped (nothing handed over). The
// progress display shows the phase's place among the computed phases ("    k/n").
int RunPhaseLoop(FlightContext& flight, PhaseIntegration& phase, const PhaseProblem& problem);

// Progress as the bar accepts it: within 0 to 100, and 0 when not a number.
double ClampPercentage(double percentage);

}  // namespace plumora
