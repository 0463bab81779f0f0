// The Run command: every computed phase of the mission in turn, each starting from the state the
// previous one ended in. FlyMission runs any mission through a loaded environment with a state of
// its own and shows nothing; RunMission is the document's Run: it reads the environment, flies
// the document's mission into its results and shows what went wrong.
#pragma once

#include <cstddef>
#include <vector>

#include "core/common/Result.h"
#include "core/environment/Atmosphere.h"
#include "core/environment/Environment.h"
#include "core/flight/FlightContext.h"
#include "core/flight/RunState.h"
#include "core/mission/Mission.h"

namespace plumora {

class CPlumoraDoc;

// The phase modules a run calls. The engine's own serve every run; tests put doubles in their
// place.
class PhaseModules {
 public:
  virtual ~PhaseModules() = default;
  virtual Result<PhaseEnd> FlyBallisticEntry(FlightContext& flight, const CMissionPhase& phase,
                                             CHandOverState& r) = 0;
  virtual Result<PhaseEnd> FlyFinalDescent(FlightContext& flight, const CMissionPhase& phase,
                                           CHandOverState& r) = 0;
};

// The engine's own modules.
class EngineModules final : public PhaseModules {
 public:
  Result<PhaseEnd> FlyBallisticEntry(FlightContext& flight, const CMissionPhase& phase,
                                     CHandOverState& r) override;
  Result<PhaseEnd> FlyFinalDescent(FlightContext& flight, const CMissionPhase& phase,
                                   CHandOverState& r) override;
};

// How far a run got before its phases flew.
enum class RunStart {
  kNothingToRun,      // no computed phase: nothing changed, not even the results
  kRecordRefused,     // a record a phase would fly cannot fly; nothing changed
  kAtmosphereUnread,  // the atmosphere could not be read; the results are empty
  kRan,               // the phases ran; each ended as its outcome says
};

// How a whole run ended: as its last phase did, or before any phase flew.
enum class FlightEnd {
  kNotFlown,       // no computed phase
  kLanded,         // every phase ended normally, the last on the ground
  kStopCondition,  // every phase ended normally, the last by its own time or height stop
  kDeclined,       // every phase ended normally, the last where the user declined to fly on
                   // after a parachute flip
  kStoppedByUser,  // the user stopped a phase
  kFailed,         // refused before flying, or a phase failed: the error says why
};

// How one computed phase ended, and which samples it stored.
struct PhaseOutcome {
  std::size_t phase = 0;  // its place in the mission's phase list
  Result<PhaseEnd> end;   // a normal end, or why the mission stopped there
  int firstSample = 0;    // index of its first sample
  int lastSample = -1;    // index of its last; below firstSample when it stored none
};

struct RunOutcome {
  RunStart start = RunStart::kNothingToRun;
  Result<> refusal;                  // why nothing flew (kRecordRefused, kAtmosphereUnread)
  std::vector<PhaseOutcome> phases;  // the phases that ran, in order

  FlightEnd End() const;
  // Why the run ended early: the refusal or the error of the phase that stopped the mission;
  // null when every phase ended normally (or none was to run).
  const Error* Failure() const;
};

// Flies the mission through the environment, the run's air scaled by `air`, into state (whose
// hand-over record starts from the mission's initial state), showing nothing:
//  1. without a computed phase (type 0 or 3) nothing happens, not even to the results;
//  2. every payload and parachute a computed phase would fly is checked (CheckFlownRecords); the
//     first that cannot fly refuses the run and nothing else happens;
//  3. the results are cleared;
//  4. every phase in list order, whatever its "active" flag: type 0 the ballistic module, type 3
//     the final descent module, other types skipped; a phase that fails or is stopped ends the
//     run there;
//  5. the result ranges are computed over the samples stored (after a stop too).
// Messages the phases show while they go on reach state's front end and its notices; the error
// that ends the run is the outcome's, for the caller to show.
RunOutcome FlyMission(const Mission& mission, const Environment& environment,
                      const AtmosphereFactors& air, RunState& state, PhaseModules& modules);
RunOutcome FlyMission(const Mission& mission, const Environment& environment,
                      const AtmosphereFactors& air, RunState& state);

// The environment a run of the mission needs: its atmosphere and the aerodynamic tables its
// computed phases fly with, read under base.
Result<Environment> LoadRunEnvironment(const std::filesystem::path& base, const Mission& mission);

// The document's Run:
//  1. observers drop their chart zoom;
//  2. without a computed phase nothing else happens, not even to the results;
//  3. a record a phase would fly that cannot fly is named in a message and nothing else happens;
//  4. the results are cleared;
//  5. the environment is read (LoadRunEnvironment) and kept by the document; when its atmosphere
//     cannot be read the message is shown and the run ends here, results empty, nothing more
//     notified;
//  6. FlyMission with the document's prompter and progress sink as the front end; the error that
//     ended it, if any, is shown; the phases' flip memory is kept for the next run;
//  7. observers rebind their animation control to the new results and update their views.
RunOutcome RunMission(CPlumoraDoc& doc, PhaseModules& modules);
RunOutcome RunMission(CPlumoraDoc& doc);

}  // namespace plumora
