// The Run command: every computed phase of the mission in turn, each starting from the state the
// previous one ended in.
#pragma once

#include <vector>

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

// How a computed phase ended, and where the results stood when it did.
struct PhaseOutcome {
  const CMissionPhase* phase;
  int result;      // 1 ended normally, 0 ended with an error or was stopped
  int lastSample;  // index of the results' last sample when the phase ended, −1 when none
};

// The engine's own modules, noting every phase's outcome in order.
class RecordingModules final : public PhaseModules {
 public:
  int RunBallisticEntry(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) override;
  int RunParachutePhase(FlightContext& flight, CMissionPhase& phase, CHandOverState& r) override;

  std::vector<PhaseOutcome> outcomes;

 private:
  int Note(const FlightContext& flight, const CMissionPhase& phase, int result);
};

// Runs the mission:
//  1. observers drop their chart zoom;
//  2. without a computed phase (type 0 or 3), nothing else happens, not even to the results;
//  3. the results are cleared;
//  4. the hand-over record is set from the initial state;
//  5. the atmosphere is read; on failure (message shown) the run ends here, results empty,
//     nothing more notified; the table read is scaled by the run's atmosphere factors;
//  6. every phase in list order, whatever its "active" flag: type 0 runs the ballistic module,
//     type 3 the final descent module, other types are skipped; a module returning 0 ends the
//     loop;
//  7. the result ranges are computed over the samples stored (after a stop too);
//  8. observers rebind their animation control to the new results;
//  9. observers update their views.
void RunMission(CPlumoraDoc& doc, PhaseModules& modules, const AtmosphereFactors& air = {});

// What a computed phase of the document sees while it flies (the phase gives its place among
// the computed phases).
FlightContext FlightContextFor(CPlumoraDoc& doc, const CMissionPhase& phase);
void RunMission(CPlumoraDoc& doc);

}  // namespace plumora
