// The payload hanging under its parachute: two rigid bodies joined by elastic lines, flown in a
// flat descent frame fixed at the start of the phase (z up, x along the heading of the hand-over
// state, y 90° to its left; no curvature, no rotation, constant surface gravity along −z).
//
// Descent state vector (24 values, 30 with a mass point at the confluence):
//   y[0..2]    payload velocity u, v, w, payload body axes              m/s
//   y[3..5]    payload position x, y, z (z is the height)                m
//   y[6..8]    payload angular velocity p, q, r, payload body axes       rad/s
//   y[9..11]   payload roll, pitch, yaw                                  rad
//   y[12..14]  parachute velocity, parachute body axes                   m/s
//   y[15..17]  parachute position (17 is the parachute height)           m
//   y[18..20]  parachute angular velocity, parachute body axes           rad/s
//   y[21..23]  parachute roll, pitch, yaw                                rad
//   y[24..26]  confluence point velocity, descent frame (mass point)     m/s
//   y[27..29]  confluence point position, descent frame (mass point)     m
#pragma once

#include <array>
#include <limits>

#include "core/ballistic/PayloadAerodynamics.h"
#include "core/common/BodyFrames.h"
#include "core/common/BodyState.h"
#include "core/common/Constants.h"
#include "core/common/Vec3.h"
#include "core/environment/Atmosphere.h"

namespace plumora {

class CPayload;
class CParachute;
struct AeroDatabase;

inline constexpr int kDescentStateSize = 24;
inline constexpr int kMassPointStateSize = 30;

// Where each block of the state starts.
inline constexpr int kPayloadBlock = 0;
inline constexpr int kParachuteBlock = kBodyStateSize;
inline constexpr int kConfluenceBlock = 2 * kBodyStateSize;

// Bodies by number: the payload is always body 0, the parachute body 1.
inline constexpr int kPayloadBody = 0;
inline constexpr int kParachuteBody = 1;

// Where a body's block of twelve starts.
constexpr int BodyBlock(int body) {
  return body == kPayloadBody ? kPayloadBlock : kParachuteBlock;
}

// The attitude frames of both bodies, relative to the descent frame.
struct TwoBodyFrames {
  std::array<BodyFrames, 2> body;

  void UpdateFrames(int b, const Vec3& attitude) {
    body[b].Update(attitude.x, attitude.y, attitude.z);
  }
  Vec3 ToBodyAxes(int b, const Vec3& v) const { return body[b].ToBodyAxes(v); }
  Vec3 ToInertialAxes(int b, const Vec3& v) const { return body[b].ToInertialAxes(v); }
  Vec3 ToEulerRates(int b, const Vec3& w) const { return body[b].ToEulerRates(w); }
};

// What the connection lines do to the bodies at one evaluation.
struct LineLoads {
  Vec3 payloadForce;     // N, payload body axes
  Vec3 payloadMoment;    // N·m, payload body axes, about its centre of gravity
  Vec3 parachuteForce;   // N, parachute body axes
  Vec3 parachuteMoment;  // N·m, parachute body axes, about its centre of gravity
  // Per bridle leg: its force on the payload (payload body axes) and the moment of that force
  // about the payload's centre of gravity.
  std::array<Vec3, kMaxLegs> legForce{};
  std::array<Vec3, kMaxLegs> legMoment{};
  Vec3 confluenceForce;     // N, descent frame: net line force on a confluence point with mass
  Vec3 confluencePosition;  // m, descent frame: where the riser meets the payload's lines
};

// Everything the right-hand side reads and keeps while a final descent runs; the integrator
// hands it back to EvaluateTwoBodyDerivatives as its context. One run, one model: nothing of
// it outlives the phase.
struct DescentModel {
  // What is flown (set before the run, read only).
  const CPayload* payload = nullptr;
  const AeroDatabase* aeroTable = nullptr;  // the payload's coefficient tables
  const CParachute* parachute = nullptr;
  const AtmosphereTable* atmosphere = nullptr;
  AtmosphereScaling airScaling;  // the run's factors on the atmosphere's density and winds
  const PlanetConstants* planet = nullptr;
  bool massPoint = false;  // the confluence point carries mass (30 state values)
  double heading = 0.0;    // rad, orients the winds in the descent frame

  // Working state, rebuilt at every evaluation.
  TwoBodyFrames frames;
  AeroLoads payloadAero;
  double parachuteAxial = 0.0;   // N, along the parachute's −x axis
  double parachuteNormal = 0.0;  // N, against the lateral air flow at the centre of pressure
  LineLoads lines;
  // Per body, where its last evaluation found its height in the atmosphere table.
  std::array<int, 2> atmosphereHint{};
  // cos and sin of the heading they were taken of (not a number until then), for the winds.
  double windHeading = std::numeric_limits<double>::quiet_NaN();
  double headingCos = 1.0;
  double headingSin = 0.0;

  // Set when the massless confluence point could not be placed: no line force is computed any
  // more and the phase ends after the current integrator call, with a warning.
  bool aborted = false;
};

}  // namespace plumora
