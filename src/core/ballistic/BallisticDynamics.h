// The payload flying alone as a rigid body around a spherical planet that turns about its polar
// axis. State vector (12 values):
//   y[0..2]   velocity u, v, w relative to the planet frame, in body axes   m/s
//   y[3..5]   position x, y, z in the planet frame                          m
//   y[6..8]   angular velocity p, q, r, body axes                            rad/s
//   y[9..11]  roll, pitch, yaw relative to the planet frame                  rad
#pragma once

#include "core/ballistic/PayloadAerodynamics.h"
#include "core/common/BodyFrames.h"
#include "core/common/BodyState.h"
#include "core/common/Vec3.h"
#include "core/environment/Atmosphere.h"

namespace plumora {

class CPayload;
class RunState;
struct AeroDatabase;

// One body block: kVelocityOffset … kAttitudeOffset of BodyState.h.
inline constexpr int kBallisticStateSize = kBodyStateSize;

// What the right-hand side reads and keeps while a ballistic phase runs; the integrator hands it
// back to EvaluateBallisticDerivatives as its context.
struct BallisticModel {
  const CPayload* payload = nullptr;
  const AeroDatabase* aeroTable = nullptr;  // the payload's coefficient tables
  const AtmosphereTable* atmosphere = nullptr;
  AtmosphereScaling airScaling;  // the run's factors on the atmosphere's density and winds
  const PlanetConstants* planet = nullptr;
  RunState* run = nullptr;  // hears the singular-matrix message, shown once per run
  BodyFrames frames;        // rebuilt from the state at every evaluation
  AeroLoads aero;           // of the last evaluation
  int atmosphereHint = 0;   // where the last evaluation found its height in the table
  bool singularReported = false;
};

// Gravity of a point mass: −GM·r/|r|³ (m/s²).
Vec3 Gravity(const Vec3& r, double gm);
// Apparent accelerations in the frame turning with the planet (Ω along +z, rad/s):
// Coriolis −2Ω × V and centrifugal −Ω × (Ω × r), which points away from the polar axis.
Vec3 Coriolis(const Vec3& velocity, double omega);
Vec3 Centrifugal(const Vec3& r, double omega);

// Euler's equations of the payload with its full inertia tensor (products of inertia included):
// ω̇ from I·ω̇ = M − ω × (I·ω), M the moment about the centre of gravity in body axes (N·m),
// ω the body rates (rad/s). With every product of inertia exactly 0 the principal-axis form is
// used as it stands.
Vec3 PayloadAngularAcceleration(const CPayload& payload, const Vec3& moment, const Vec3& w);

// The integrators' callback: ẏ from y for the BallisticModel passed as context; t is not used.
void EvaluateBallisticDerivatives(double t, const double* y, double* yp, void* context);

// Attitude angles (roll, pitch, yaw in rad) relative to the heading frame H(φ, λ, χ) turned into
// angles relative to the planet frame, and back. The roll that comes out lies in [0, π]: the
// sign of a roll angle does not survive the conversion.
Vec3 AttitudeToPlanet(const Vec3& attitude, double latitude, double longitude, double heading);
Vec3 AttitudeToHeading(const Vec3& attitude, double latitude, double longitude, double heading);

}  // namespace plumora
