#include "core/mission/Records.h"

#include <algorithm>
#include <cmath>

namespace plumora {

void CPayload::DeriveLegPoints() {
  // The table has room for kMaxLegs legs; a larger count never writes past it.
  const int legs = std::min<int>(legCount, kMaxLegs);
  for (int i = 0; i < legs; ++i) {
    const double angle = i * kTwoPi / legCount;  // rad, around the body x axis
    legPoints[i] = {cogDistance, legRadius * std::cos(angle), legRadius * std::sin(angle)};
  }
}

const std::array<double InitialState::*, 23> InitialState::kFieldOrder = {
    &InitialState::payloadRateX,
    &InitialState::parachuteRateX,
    &InitialState::payloadRateY,
    &InitialState::parachuteRateY,
    &InitialState::payloadRateZ,
    &InitialState::parachuteRateZ,
    &InitialState::height,
    &InitialState::payloadPathAngle,
    &InitialState::parachutePathAngle,
    &InitialState::payloadPitch,
    &InitialState::payloadRoll,
    &InitialState::payloadVelocity,
    &InitialState::parachuteVelocity,
    &InitialState::payloadYaw,
    &InitialState::latitude,
    &InitialState::longitude,
    &InitialState::heading,
    &InitialState::parachuteOffsetX,
    &InitialState::parachuteOffsetY,
    &InitialState::parachuteOffsetZ,
    &InitialState::parachuteRoll,
    &InitialState::parachutePitch,
    &InitialState::parachuteYaw,
};

CMissionPhase::CMissionPhase(std::int32_t phaseType) {
  SetType(phaseType);
}

CMissionPhase::CMissionPhase(const CMissionPhase& other)
    : name(other.name), active(other.active), comments(other.comments), type_(other.type_) {
  if (other.ballistic_) ballistic_ = std::make_unique<CBallisticEntryPhase>(*other.ballistic_);
  if (other.parachute_) parachute_ = std::make_unique<CParachutePhase>(*other.parachute_);
}

CMissionPhase& CMissionPhase::operator=(const CMissionPhase& other) {
  if (this != &other) *this = CMissionPhase(other);
  return *this;
}

void CMissionPhase::SetType(std::int32_t phaseType) {
  type_ = phaseType;
  ballistic_.reset();
  parachute_.reset();
  if (phaseType == kPhaseBallisticEntry) ballistic_ = std::make_unique<CBallisticEntryPhase>();
  if (phaseType == kPhaseFinalDescent) parachute_ = std::make_unique<CParachutePhase>();
}

}  // namespace plumora
