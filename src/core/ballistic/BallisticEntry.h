// The ballistic re-entry module: flies the payload of a type-0 phase from the hand-over state to
// its stop condition, storing samples in the document's results.
#pragma once

namespace plumora {

class CPlumoraDoc;
class CMissionPhase;
struct CHandOverState;

// Runs the phase's CBallisticEntryPhase from `r`; on a normal end writes the final state back
// into `r`. 1: the mission goes on; 0: it stops (the module has shown its message, if any).
int RunBallisticEntry(CPlumoraDoc& doc, CMissionPhase& phase, CHandOverState& r);

}  // namespace plumora
