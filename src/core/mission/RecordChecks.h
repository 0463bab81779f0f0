// Whether a payload or a parachute can be flown. Files may hold any numbers (and keep them when
// loaded and saved again), but a body without mass or inertia, or a line without stiffness,
// has no motion to integrate: such records are named before a run instead of stalling it.
#pragma once

#include <string>
#include <vector>

#include "core/common/Result.h"
#include "core/mission/Mission.h"

namespace plumora {

// A kInvalid error naming the record and its first bad field
// ("Payload 3 \"capsule\": mass must be positive\n") when it cannot fly. Mass, moments of
// inertia, reference area and stiffness must be positive finite numbers, and so must the
// confluence point's mass when the phase flies it as a mass point; products of inertia must be
// finite.
Result<> CheckPayloadCanFly(const CPayload& payload);
Result<> CheckParachuteCanFly(const CParachute& parachute, bool massPointAtConfluence);

// The first record a computed phase of the mission would fly that cannot fly, in phase order.
// Records that do not exist are left to the phases, which say so in their own words when they
// start; records no phase flies are not looked at.
Result<> CheckFlownRecords(const Mission& mission);

// What a look over a whole mission found, each line naming the record and the field
// ("Initial state: latitude must be from -90 to 90 degrees\n").
struct MissionFindings {
  std::vector<std::string> errors;    // the mission cannot be flown as it stands
  std::vector<std::string> warnings;  // legal, but not what such a body or setting is like
  bool HasErrors() const { return !errors.empty(); }
  // Every error (or warning) line, one after the other.
  std::string ErrorText() const;
  std::string WarningText() const;
};

// The one check of a mission before it flies: the records its computed phases fly (as
// CheckFlownRecords, and every other number they use finite and in its domain), the phases' stop
// settings, the initial state and the solver settings. Records no phase flies are not looked at.
MissionFindings CheckMission(const Mission& mission);

// The warnings of one parachute record alone (a data dialog asks before it stores them).
std::vector<std::string> ParachuteWarnings(const CParachute& parachute);

// The inertia (kg·m²) of a thin hemispherical shell of the canopy's mass whose opening has the
// canopy's reference area: what a canopy of that size and mass turns with at the least.
double CanopyShellInertia(double mass, double referenceArea);

}  // namespace plumora
