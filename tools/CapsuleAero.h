// Aerodynamic coefficients of a blunt entry capsule, a body of revolution flying heat shield
// first along its +x axis. The leeward (shadowed) surface lies in the wake at the base pressure
// of an engineering correlation; on the windward surface the pressure rises from that base
// pressure at the shadow line to the stagnation pressure of the flight Mach number where the
// flow meets the surface head on, as cos² of the angle between flow and normal (modified
// Newtonian). Integrating the pressures over the closed surface gives the body-axis
// coefficients in the sense the simulator flies them:
//   Cx  axial force along +x (drag of a capsule flying forward makes it negative);
//   Cz  normal force along the lateral air-relative velocity (negative: it opposes it);
//   Cm  pitching moment about the centre of gravity, positive when it turns the nose back
//       towards the air-relative velocity (restoring).
#pragma once

#include <vector>

namespace plumora::tools {

// One piece of the meridian profile, nose to tail, in the (x, r) half-plane: x along the body
// axis (forward positive), r the distance from it. The outward surface normal makes the angle
// eta with +x; along the profile the surface runs in the direction (-sin eta, cos eta).
struct ProfileSegment {
  bool arc;       // circular arc (eta sweeps eta0 to eta1) or straight line (eta = eta0)
  double x0, r0;  // m: the arc's centre, or the line's starting point
  double radius;  // m, arcs only
  double eta0;    // rad
  double eta1;    // rad, arcs only
  double length;  // m, lines only
};

// A point of the profile with its normal angle.
struct SurfacePoint {
  double x, r;  // m
  double eta;   // rad, angle of the outward normal from +x
};
// The point at fraction u (0 to 1) along a segment.
SurfacePoint PointOnSegment(const ProfileSegment& segment, double u);

// A sphere-cone heat shield with a rounded shoulder, a conical backshell and a flat base.
struct CapsuleShape {
  double diameter;            // m, maximum diameter
  double noseRadius;          // m
  double coneHalfAngle;       // deg, of the heat shield cone
  double shoulderRadius;      // m, of the rounded edge between heat shield and backshell
  double backshellHalfAngle;  // deg, of the backshell cone, converging aft
  double baseRadius;          // m, of the flat base closing the backshell
  double cgFromNose;          // m, centre of gravity on the axis behind the nose
};

// The default capsule: 2.8 m across, a 70° sphere-cone heat shield (nose radius half the base
// radius), a 33° backshell, the centre of gravity 0.6 m (0.21 diameters) behind the nose.
inline constexpr CapsuleShape kDefaultCapsule = {2.8, 0.7, 70.0, 0.07, 33.0, 0.4, 0.6};

// Reference quantities of the coefficients (those of the default payload).
struct AeroReference {
  double area;    // m²
  double length;  // m
};
inline constexpr AeroReference kDefaultReference = {6.16, 2.8};

// The capsule's profile with the nose at x = 0 and the body along -x.
std::vector<ProfileSegment> CapsuleProfile(const CapsuleShape& shape);
// Length of the profile from the nose to the base (m).
double ProfileLength(const std::vector<ProfileSegment>& profile);

// The azimuthal integrals of one ring of surface. With the flow direction and the ring's normal
// meeting at cos δ = a + b·cos ψ around the ring (b ≥ 0), the windward part (cos δ > 0) gives
// ∫cos²δ dψ and ∫cos²δ cos ψ dψ.
struct RingIntegrals {
  double cos2, cos2CosPsi;
};
RingIntegrals IntegrateRing(double a, double b);

struct AxisCoefficients {
  double cx, cz, cm;
};

// Coefficients at angle of attack alpha (rad) of the pressure coefficient cos²δ on the windward
// surface and 0 on the leeward one. A uniform pressure on the whole closed surface adds nothing,
// so these, scaled, are the coefficients of any pressure of the form Cp_base + ΔCp·cos²δ.
AxisCoefficients IntegrateNewtonianPressure(const std::vector<ProfileSegment>& profile, double cgX,
                                            const AeroReference& reference, double alpha);

// Ratio of specific heats of the stagnation pressure: one table serves all three planets.
inline constexpr double kStagnationGamma = 1.4;

// Pressure coefficient at the stagnation point: compressible Bernoulli below Mach 1, behind a
// normal shock (Rayleigh pitot formula) above.
double StagnationPressureCoefficient(double mach, double gamma);
// Pressure coefficient of the leeward surface in the wake (negative).
double BasePressureCoefficient(double mach);

// The capsule's coefficients at a Mach number and an angle of attack (deg).
AxisCoefficients CapsuleCoefficients(const CapsuleShape& shape, const AeroReference& reference,
                                     double mach, double alphaDeg);

}  // namespace plumora::tools
