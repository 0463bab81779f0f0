// Small missions for tests: a base folder with an atmosphere and an aerodynamic file, and a
// document set up to fly a payload through them.
#pragma once

#include <string>

#include "core/app/PlumoraDoc.h"
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
// (a sphere of drag coefficient kFixtureDragCoefficient),
// with one payload and, when asked, one ballistic phase flying it.
class FlightFixture {
 public:
  FlightFixture();
  CPlumoraDoc doc;
  RecordingPrompter prompter;
  TempDir base;
  CPayload& payload() { return *doc.payloads.front(); }
  CBallisticEntryPhase& AddBallisticPhase();
};

}  // namespace plumora::test
