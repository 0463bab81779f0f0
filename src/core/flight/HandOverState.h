// The state handed from one phase to the next during a run. Each phase starts from it and, when
// it ends normally, writes its final state back. Angles in degrees, rates in degrees per second.
#pragma once

#include "core/mission/Records.h"

namespace plumora {

struct CHandOverState {
  double payloadRateX = 0.0;        // °/s, body axes
  double payloadRateY = 0.0;        // °/s
  double payloadRateZ = 0.0;        // °/s
  double height = 0.0;              // m
  double payloadPathAngle = 0.0;    // °, negative when descending
  double payloadSpeed = 0.0;        // m/s
  double payloadPitch = 0.0;        // °
  double payloadRoll = 0.0;         // °
  double payloadYaw = 0.0;          // °
  double parachuteRateX = 0.0;      // °/s
  double parachuteRateY = 0.0;      // °/s
  double parachuteRateZ = 0.0;      // °/s
  double parachutePathAngle = 0.0;  // °
  double parachuteSpeed = 0.0;      // m/s
  double parachuteOffsetX = 0.0;    // m, payload body axes
  double parachuteOffsetY = 0.0;    // m
  double parachuteOffsetZ = 0.0;    // m
  double parachuteRoll = 0.0;       // °, relative to the payload
  double parachutePitch = 0.0;      // °
  double parachuteYaw = 0.0;        // °
  double latitude = 0.0;            // °
  double longitude = 0.0;           // °
  double heading = 0.0;             // °, from north towards east

  // The record a run starts from.
  static CHandOverState FromInitialState(const InitialState& s);
};

inline CHandOverState CHandOverState::FromInitialState(const InitialState& s) {
  CHandOverState r;
  r.payloadRateX = s.payloadRateX;
  r.payloadRateY = s.payloadRateY;
  r.payloadRateZ = s.payloadRateZ;
  r.height = s.height;
  r.payloadPathAngle = s.payloadPathAngle;
  r.payloadSpeed = s.payloadVelocity;
  r.payloadPitch = s.payloadPitch;
  r.payloadRoll = s.payloadRoll;
  r.payloadYaw = s.payloadYaw;
  r.parachuteRateX = s.parachuteRateX;
  r.parachuteRateY = s.parachuteRateY;
  r.parachuteRateZ = s.parachuteRateZ;
  r.parachutePathAngle = s.parachutePathAngle;
  r.parachuteSpeed = s.parachuteVelocity;
  r.parachuteOffsetX = s.parachuteOffsetX;
  r.parachuteOffsetY = s.parachuteOffsetY;
  r.parachuteOffsetZ = s.parachuteOffsetZ;
  r.parachuteRoll = s.parachuteRoll;
  r.parachutePitch = s.parachutePitch;
  r.parachuteYaw = s.parachuteYaw;
  r.latitude = s.latitude;
  r.longitude = s.longitude;
  r.heading = s.heading;
  return r;
}

}  // namespace plumora
