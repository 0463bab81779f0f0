#include "DefaultAero.h"

#include <cstdio>
#include <string>

namespace plumora::tools {

namespace {

constexpr int kAngleStep = 1;   // deg
constexpr int kLastAngle = 90;  // deg: the simulator folds the angle of attack into 0 to 90

std::string Format(const char* format, double a, double b = 0.0, double c = 0.0) {
  char text[128];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

}  // namespace

std::vector<double> Ld600Mach() {
  // Dense through the transonic drag rise, sparse where the coefficients settle down.
  return {0.0, 0.4, 0.6, 0.8, 0.9, 1.0, 1.1, 1.2, 1.5, 2.0, 3.0, 4.0, 6.0, 10.0, 20.0};
}

std::vector<double> Ld600Angles() {
  std::vector<double> angles;
  for (int a = 0; a <= kLastAngle; a += kAngleStep) angles.push_back(a);
  return angles;
}

AdfFile Ld600() {
  const CapsuleShape& s = kDefaultCapsule;
  const AeroReference& ref = kDefaultReference;
  AdfFile file;
  file.comment = "Default capsule: 2.8 m blunt 70 deg sphere-cone, modified Newtonian";
  file.notes = {
      "Written by tools/gen-aero ld600; sources and method in docs/data.md",
      Format("Body of revolution, %.2f m across, heat shield first along +x", s.diameter),
      Format("Heat shield: %g deg sphere-cone, nose radius %.2f m, shoulder radius %.2f m",
             s.coneHalfAngle, s.noseRadius, s.shoulderRadius),
      Format("Backshell: %g deg cone to a flat base of radius %.2f m; length %.2f m",
             s.backshellHalfAngle, s.baseRadius, ProfileLength(CapsuleProfile(s))),
      Format("Reference area %g m2, reference length %g m", ref.area, ref.length),
      Format("Moments about the centre of gravity, on the axis %.2f m behind the nose",
             s.cgFromNose),
      "Body axes: Cx axial force along +x (drag gives Cx < 0),",
      "Cz normal force along the lateral air-relative velocity (Cz < 0 opposes it),",
      "Cm pitching moment, Cm > 0 turns the heat shield back into the wind;",
      "Cy = Cl = Cn = 0 (axisymmetric body, centre of gravity on the axis)",
      "Leeward (wake) surface at the base pressure Cp,b; windward, modified Newtonian:",
      "Cp = Cp,b + (Cp,stag - Cp,b) cos^2(d), d the angle between the flow and the normal",
      Format("Cp,stag: compressible Bernoulli below Mach 1, Rayleigh pitot above (gamma %g)",
             kStagnationGamma),
      "Cp,b = -(0.12 + 0.13 M^2) below Mach 1, -0.25/M above (coasting base drag)",
      "Engineering estimate of the error: 5 % hypersonic, 10 to 15 % subsonic/transonic",
      "Angle of attack 0 to 90 deg by 1 deg; Mach 0 to 20, the last row holds above"};
  file.mach = Ld600Mach();
  file.angles = Ld600Angles();
  for (double mach : file.mach) {
    std::vector<AxisCoefficients> row;
    for (double angle : file.angles) row.push_back(CapsuleCoefficients(s, ref, mach, angle));
    file.coefficients.push_back(row);
  }
  return file;
}

}  // namespace plumora::tools
