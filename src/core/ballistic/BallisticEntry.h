// The ballistic re-entry module: flies the payload of a type-0 phase from the hand-over state to
// its stop condition, storing samples in the mission's results.
#pragma once

namespace plumora {

class CMissionPhase;
struct CHandOverState;
struct FlightContext;

// Runs the phase's CBallisticEntryPhase from `r`; on a normal end writes the final state back
// into `r`. 1: the mission goes on; 0: it stops (the module has shown its message, if any).
int RunBallisticEntry(FlightContext& flight, CMissionPhase& phase, CHandOverState& r);

}  // namespace plumora
