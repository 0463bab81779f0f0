// Equations of motion of the payload and its parachute in the descent frame (see DescentModel.h
// for the frame and the state vector), the parachute's aerodynamics and the initial state.
#pragma once

#include "core/parachute/DescentModel.h"

namespace plumora {

struct CHandOverState;

// A velocity along a path angle (°, positive upwards) in the descent frame: (V·cos γ, 0, V·sin γ).
Vec3 PathVelocity(double pathAngleDegrees, double speed);

// The atmosphere's wind (west-to-east and south-to-north components, m/s) in the descent frame
// whose x axis points along the heading (rad, from north towards east) and y axis to its left.
Vec3 DescentWind(double heading, double windWE, double windSN);

// Axial and normal force coefficients of the canopy at angle of attack alpha (rad). The Mach
// number is accepted for a later model and not used.
struct ParachuteCoefficients {
  double axial = 0.0;
  double normal = 0.0;
};
ParachuteCoefficients ParachuteAeroCoefficients(double mach, double alpha);

struct ParachuteAeroLoads {
  double axial = 0.0;   // N, acts along the parachute's −x axis
  double normal = 0.0;  // N, acts at the centre of pressure against crossFlow
  // Lateral air velocity at the centre of pressure (y and z components, parachute body axes,
  // m/s; x is 0): the normal force points against it.
  Vec3 crossFlow;
  bool flipped = false;  // the air meets the canopy from behind; no force then
};
// Forces on the canopy from its velocity relative to the air (parachute body axes, m/s), its
// pitch and yaw rates q and r (rad/s), the air's density (kg/m³) and temperature (K), and
// gammaR = ratio of specific heats × gas constant.
ParachuteAeroLoads ParachuteAeroForces(const CParachute& parachute, const Vec3& airVelocity,
                                       double q, double r, double density, double temperature,
                                       double gammaR);

// The three stages of the right-hand side after the line loads, each writing its block of ẏ;
// the frames must be those of y.
void PayloadDerivatives(DescentModel& model, const double* y, double* yp);
void ParachuteDerivatives(DescentModel& model, const double* y, double* yp);
void ConfluenceDerivatives(const DescentModel& model, const double* y, double* yp);

// The integrators' callback: ẏ from y for the DescentModel passed as context; t is not used.
// Frames of both bodies, line loads (unless the model has aborted), then the bodies' equations
// and, with a mass point, the confluence point's.
void EvaluateTwoBodyDerivatives(double t, const double* y, double* yp, void* context);

// Whether the air meets the canopy from behind in state y (ParachuteAeroForces' flip). Updates
// the model's parachute frame to y.
bool ParachuteFlipped(DescentModel& model, const double* y);

// The attitude of a second body, given against a first body's axes, read against the descent
// frame (kAbsolute); or the attitude of a second body given against the descent frame read
// against the first body's axes (kPayloadRelative). Angles in rad; the roll that comes out lies
// in [0, π].
enum class AttitudeMode { kAbsolute, kPayloadRelative };
Vec3 RelativeAttitude(const Vec3& first, const Vec3& second, AttitudeMode mode);

// The state at the start of the phase from the hand-over record (degrees there), with the
// model's frames, heading and working quantities; y holds 24 values, or 30 with a mass point.
// The line loads are cleared, the abort flag too, and the confluence point starts at the
// payload's bridle plane on its x axis ("COG distance").
void InitialiseTwoBodyState(DescentModel& model, const CHandOverState& r, double* y);

}  // namespace plumora
