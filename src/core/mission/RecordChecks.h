// Whether a payload or a parachute can be flown. Files may hold any numbers (and keep them when
// loaded and saved again), but a body without mass or inertia, or a line without stiffness,
// has no motion to integrate: such records are named before a run instead of stalling it.
#pragma once

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

}  // namespace plumora
