// The final descent module: flies the payload under the parachute of a type-3 phase from the
// hand-over state to its stop condition, storing samples in the run's results.
#pragma once

#include "core/common/Result.h"
#include "core/flight/RunState.h"

namespace plumora {

class CMissionPhase;
struct CHandOverState;
struct FlightContext;

// Flies the phase's CParachutePhase from `r`. On a normal end (the ground, the stop condition, or
// the user's refusal to fly on after a parachute flip) writes the final state back into `r` and
// says how the phase ended; otherwise `r` is left alone and the error says why the mission stops
// there: no such parachute or payload, the payload's aerodynamic table could not be read, the
// confluence point could not be placed (a warning), or the integration failed or was stopped.
Result<PhaseEnd> FlyFinalDescent(FlightContext& flight, const CMissionPhase& phase,
                                 CHandOverState& r);

// The same as the phase modules' 1/0: 1, the mission goes on; 0, it stops, the error having been
// shown through the run's front end.
int RunParachutePhase(FlightContext& flight, const CMissionPhase& phase, CHandOverState& r);

}  // namespace plumora
