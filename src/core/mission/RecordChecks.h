// Whether a payload or a parachute can be flown. Files may hold any numbers (and keep them when
// loaded and saved again), but a body without mass or inertia, or a line without stiffness,
// has no motion to integrate: such records are named before a run instead of stalling it.
#pragma once

#include <string>

#include "core/mission/Records.h"

namespace plumora {

// What keeps the record from flying, naming it and its first bad field
// ("Payload 3 \"capsule\": mass must be positive\n"); empty when it can fly. Mass, moments of
// inertia, reference area and stiffness must be positive finite numbers, and so must the
// confluence point's mass when the phase flies it as a mass point; products of inertia must be
// finite.
std::string PayloadFlightProblem(const CPayload& payload);
std::string ParachuteFlightProblem(const CParachute& parachute, bool massPointAtConfluence);

}  // namespace plumora
