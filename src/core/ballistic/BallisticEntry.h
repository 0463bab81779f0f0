// The ballistic re-entry module: flies the payload of a type-0 phase from the hand-over state to
// its stop condition, storing samples in the run's results.
#pragma once

#include "core/common/Result.h"
#include "core/flight/RunState.h"

namespace plumora {

class CMissionPhase;
struct CHandOverState;
struct FlightContext;

// Flies the phase's CBallisticEntryPhase from `r`. On a normal end (the ground or the stop
// condition) writes the final state back into `r` and says how the phase ended; otherwise `r` is
// left alone and the error says why the mission stops there: no such payload, its aerodynamic
// table could not be read, or the integration failed or was stopped.
Result<PhaseEnd> FlyBallisticEntry(FlightContext& flight, const CMissionPhase& phase,
                                   CHandOverState& r);

// The same as the phase modules' 1/0: 1, the mission goes on; 0, it stops, the error having been
// shown through the run's front end.
int RunBallisticEntry(FlightContext& flight, const CMissionPhase& phase, CHandOverState& r);

}  // namespace plumora
