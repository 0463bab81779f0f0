// Small missions for tests: a base folder with an atmosphere and an aerodynamic file, and a
// document set up to fly a payload through them.
#pragma once

#include <string>

#include "core/app/PlumoraDoc.h"
#include "core/flight/HandOverState.h"
#include "support/TestFiles.h"

namespace plumora::test {

// Text of an aerodynamic file in the .adf layout for a sphere: pure drag of the given
// coefficient along the flow at every Mach number and angle (Cx = −Cd·cos α, Cz = −Cd·sin α,
// no moment), tabulated every 5 degrees.
std::string SphereAdfText(double dragCoefficient);
inline constexpr double kFixtureDragCoefficient = 1.5;

// An exponential Earth-like atmosphere (scale height 7 km), 600 points 250 m apart from 0 m.
AtmText ExponentialAtmosphere();

// A document whose base folder holds atm/earth.atm (ExponentialAtmosphere) and adf/ld600.adf
// (a sphere of drag coefficient kFixtureDragCoefficient), with one payload and one parachute
// (every default) and, when asked, phases flying them.
class FlightFixture {
 public:
  FlightFixture();
  CPlumoraDoc doc;
  RecordingPrompter prompter;
  TempDir base;
  CPayload& payload() { return *doc.mission.payloads.front(); }
  CParachute& parachute() { return *doc.mission.parachutes.front(); }
  CBallisticEntryPhase& AddBallisticPhase();
  // A final descent of the payload under the parachute, stopping on the ground.
  CParachutePhase& AddFinalDescentPhase();
  // A system light enough to come down slowly: the payload a 100 kg sphere of 1 m², the canopy
  // 50 m², released at `height` (m) falling at `speed` (m/s) along a path 80° below the
  // horizon, the payload's axis along the path and the canopy 25 m behind it.
  void UseLightDescent(double height, double speed);
};

// One phase of the document flown by its module, outside a whole run: the run's environment is
// read (and kept by the document), the samples go to the document's results, the messages to its
// prompter, the progress to its sink, and the flip memory back to the phase record. 1 or 0 as the
// phase modules return them; 0 too when the environment cannot be read (its message shown).
int FlyBallisticPhase(CPlumoraDoc& doc, const CMissionPhase& phase, CHandOverState& r);
int FlyDescentPhase(CPlumoraDoc& doc, const CMissionPhase& phase, CHandOverState& r);

}  // namespace plumora::test
