// The integration loop both phase modules share: step the chosen integrator from one time step
// to the next, store a sample at every output time, stop on the module's stop test, on the
// sample limit or on the user's Stop, and hand the final state on.
#pragma once

#include <optional>
#include <string>

#include "core/common/Result.h"
#include "core/flight/FlightContext.h"
#include "core/solvers/Depac.h"

namespace plumora {

// What a phase module supplies to the loop. Times are phase times (s from the phase's start).
class PhaseIntegration {
 public:
  virtual ~PhaseIntegration() = default;
  // Appends one sample of the current state at phase time tout.
  virtual void RecordSample(double tout) = 0;
  // The stop test, called after TOUT has advanced: how the phase ends here, or nothing to go on.
  virtual std::optional<PhaseEnd> EndsAt(double tout) = 0;
  // Share of the phase done in percent, or nothing when the stop kind gives none.
  virtual std::optional<double> Progress(double tout) = 0;
  // Writes the final state into the hand-over record.
  virtual void HandOver() = 0;
  // A failure inside the model, which ends the phase with that error; asked right after every
  // integrator call, before anything else looks at the state. Null while the model is sound.
  virtual const Error* Failure() const { return nullptr; }
};

// The integration problem: the state the loop advances and its right-hand side.
struct PhaseProblem {
  DepacFunction derivatives = nullptr;
  void* context = nullptr;  // passed to derivatives
  double* state = nullptr;
  int size = 0;
};

// Runs the loop with the mission's solver settings. When the phase ends by its stop test it hands
// its state over and returns how it ended; otherwise nothing is handed over and the error says
// why: a time step that is not positive (kInvalid), a solver that is stuck or a state that is no
// longer finite (kFlightFailed), more samples than the store holds (kOverCapacity), the model's
// own failure, or the user's Stop (kStopped, without a message). The progress display shows the
// phase's place among the computed phases ("    k/n").
Result<PhaseEnd> RunPhaseLoop(FlightContext& flight, PhaseIntegration& phase,
                              const PhaseProblem& problem);

// A phase's result as the phase modules' fixed 1/0: 1 to go on; 0 to stop the mission, the error
// having been shown through the run's front end.
int GoOnOrShow(RunState& run, const Result<PhaseEnd>& result);

// Progress as the bar accepts it: within 0 to 100, and 0 when not a number.
double ClampPercentage(double percentage);

}  // namespace plumora
