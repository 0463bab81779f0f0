// The Run command: every computed phase of the mission in turn, each starting from the state the
// previous one ended in.
#pragma once

#include "core/flight/FlightContext.h"

namespace plumora {

class CPlumoraDoc;
class CMissionPhase;
struct CHandOverState;

// The phase modules a run calls, each returning 1 to go on or 0 to stop the mission. The engine's
// own modules serve the plain RunMission; tests put doubles in their place.
class PhaseModules {
 public:
  virtual ~PhaseModules() = default;
  virtual int RunBallisticEntry(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) = 0;
  virtual int RunParachutePhase(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) = 0;
};

// The engine's own modules, counting the phases run and those that did not end normally.
class CountingModules final : public PhaseModules {
 public:
  int RunBallisticEntry(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) override;
  int RunParachutePhase(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) override;

  int phases = 0;
  int failures = 0;

 private:
  int Count(int result);
};

// How far a run got before its phases flew.
enum class RunStart {
  kNothingToRun,      // no computed phase: nothing changed, not even the results
  kRecordRefused,     // a record a phase would fly cannot fly (message shown); nothing changed
  kAtmosphereUnread,  // the atmosphere could not be read (message shown); the results are empty
  kRan,               // the phases ran; each module reported its own end
};

// Runs the mission:
//  1. observers drop their chart zoom;
//  2. without a computed phase (type 0 or 3), nothing else happens, not even to the results;
//  3. every payload and parachute a computed phase would fly is checked (PayloadFlightProblem,
//     ParachuteFlightProblem); the first that cannot fly is named in a message and nothing else
//     happens;
//  4. the results are cleared;
//  5. the hand-over record is set from the initial state;
//  6. the atmosphere is read; on failure (message shown) the run ends here, results empty,
//     nothing more notified; the table read is scaled by the run's atmosphere factors;
//  7. every phase in list order, whatever its "active" flag: type 0 runs the ballistic module,
//     type 3 the final descent module, other types are skipped; a module returning 0 ends the
//     loop;
//  8. the result ranges are computed over the samples stored (after a stop too);
//  9. observers rebind their animation control to the new results;
// 10. observers update their views.
RunStart RunMission(CPlumoraDoc& doc, PhaseModules& modules, const AtmosphereFactors& air = {});

// What a computed phase of the document sees while it flies (the phase gives its place among
// the computed phases).
FlightContext FlightContextFor(CPlumoraDoc& doc, const CMissionPhase& phase);
RunStart RunMission(CPlumoraDoc& doc);

}  // namespace plumora
