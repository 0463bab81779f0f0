#include "CapsuleAero.h"

#include <cmath>
#include <numbers>

namespace plumora::tools {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadPerDeg = kPi / 180.0;
// Simpson intervals per profile segment.
constexpr int kIntervals = 200;

// Base pressure of a coasting body: C_D,base = 0.12 + 0.13 M² below Mach 1, 0.25/M above.
constexpr double kBaseDragLow = 0.12, kBaseDragLowSlope = 0.13, kBaseDragHigh = 0.25;

double SegmentLength(const ProfileSegment& s) {
  return s.arc ? s.radius * std::fabs(s.eta1 - s.eta0) : s.length;
}

SurfacePoint EndOf(const ProfileSegment& s) {
  return PointOnSegment(s, 1.0);
}

ProfileSegment Arc(double cx, double cr, double radius, double eta0, double eta1) {
  return {true, cx, cr, radius, eta0, eta1, 0.0};
}

ProfileSegment Line(const SurfacePoint& from, double eta, double length) {
  return {false, from.x, from.r, 0.0, eta, eta, length};
}

}  // namespace

SurfacePoint PointOnSegment(const ProfileSegment& s, double u) {
  if (s.arc) {
    const double eta = s.eta0 + u * (s.eta1 - s.eta0);
    return {s.x0 + s.radius * std::cos(eta), s.r0 + s.radius * std::sin(eta), eta};
  }
  const double along = u * s.length;
  return {s.x0 - along * std::sin(s.eta0), s.r0 + along * std::cos(s.eta0), s.eta0};
}

std::vector<ProfileSegment> CapsuleProfile(const CapsuleShape& shape) {
  const double baseRadius = shape.diameter / 2;
  const double coneEta = (90.0 - shape.coneHalfAngle) * kRadPerDeg;
  const double backEta = (90.0 + shape.backshellHalfAngle) * kRadPerDeg;
  std::vector<ProfileSegment> profile;
  // Spherical nose, centred on the axis one nose radius behind the nose.
  profile.push_back(Arc(-shape.noseRadius, 0.0, shape.noseRadius, 0.0, coneEta));
  const SurfacePoint tangent = EndOf(profile.back());
  // Cone out to the shoulder, whose outermost point lies at the maximum radius.
  const double shoulderCentreR = baseRadius - shape.shoulderRadius;
  const double coneEndR = shoulderCentreR + shape.shoulderRadius * std::sin(coneEta);
  profile.push_back(Line(tangent, coneEta, (coneEndR - tangent.r) / std::cos(coneEta)));
  const SurfacePoint coneEnd = EndOf(profile.back());
  profile.push_back(Arc(coneEnd.x - shape.shoulderRadius * std::cos(coneEta), shoulderCentreR,
                        shape.shoulderRadius, coneEta, backEta));
  // Backshell cone in to the base, then the flat base to the axis.
  const SurfacePoint backStart = EndOf(profile.back());
  profile.push_back(Line(backStart, backEta, (shape.baseRadius - backStart.r) / std::cos(backEta)));
  profile.push_back(Line(EndOf(profile.back()), kPi, shape.baseRadius));
  return profile;
}

double ProfileLength(const std::vector<ProfileSegment>& profile) {
  return -EndOf(profile.back()).x;
}

RingIntegrals IntegrateRing(double a, double b) {
  constexpr double kTwoPi = 2.0 * kPi;
  if (a >= b) return {kTwoPi * (a * a + b * b / 2), kTwoPi * a * b};  // all windward
  if (a <= -b) return {0.0, 0.0};                                     // all leeward
  // Windward for |ψ| < ψ0, where a + b·cos ψ0 = 0.
  const double psi0 = std::acos(-a / b);
  const double s = std::sin(psi0);
  const double sc = psi0 + s * std::cos(psi0);  // ∫cos²ψ over the windward arc
  return {2 * a * a * psi0 + 4 * a * b * s + b * b * sc,
          2 * a * a * s + 2 * a * b * sc + 2 * b * b * (s - s * s * s / 3)};
}

AxisCoefficients IntegrateNewtonianPressure(const std::vector<ProfileSegment>& profile, double cgX,
                                            const AeroReference& reference, double alpha) {
  // The air-relative velocity is (cos α, 0, sin α) in body axes; a surface element of normal
  // (cos η, sin η sin ψ, sin η cos ψ) at (x, r sin ψ, r cos ψ) faces it at
  // cos δ = cos α cos η + sin α sin η cos ψ and feels the force -Cp·q·n·dA.
  const double ca = std::cos(alpha), sa = std::sin(alpha);
  AxisCoefficients sum{};
  for (const ProfileSegment& segment : profile) {
    const double ds = SegmentLength(segment) / kIntervals;
    for (int k = 0; k <= kIntervals; ++k) {
      const double simpson = (k == 0 || k == kIntervals) ? 1.0 : (k % 2 ? 4.0 : 2.0);
      const SurfacePoint p = PointOnSegment(segment, static_cast<double>(k) / kIntervals);
      const double ce = std::cos(p.eta), se = std::sin(p.eta);
      const RingIntegrals ring = IntegrateRing(ca * ce, sa * se);
      // Axial force -∫r cos η cos²δ, normal force -∫r sin η cos²δ cos ψ, pitching moment about
      // the centre of gravity ∫r (r cos η - (x - x_cg) sin η) cos²δ cos ψ.
      const double w = simpson * ds / 3.0 * p.r;
      const double arm = p.r * ce - (p.x - cgX) * se;
      sum.cx -= w * ce * ring.cos2;
      sum.cz -= w * se * ring.cos2CosPsi;
      sum.cm += w * arm * ring.cos2CosPsi;
    }
  }
  return {sum.cx / reference.area, sum.cz / reference.area,
          sum.cm / (reference.area * reference.length)};
}

double StagnationPressureCoefficient(double mach, double gamma) {
  if (mach <= 0.0) return 1.0;  // incompressible limit
  const double m2 = mach * mach;
  const double exponent = gamma / (gamma - 1);
  double stagnationRatio;  // stagnation pressure over free-stream pressure
  if (mach <= 1.0) {
    stagnationRatio = std::pow(1 + (gamma - 1) / 2 * m2, exponent);
  } else {
    stagnationRatio =
        std::pow((gamma + 1) * (gamma + 1) * m2 / (4 * gamma * m2 - 2 * (gamma - 1)), exponent) *
        (1 - gamma + 2 * gamma * m2) / (gamma + 1);
  }
  return 2 / (gamma * m2) * (stagnationRatio - 1);
}

double BasePressureCoefficient(double mach) {
  const double baseDrag =
      mach < 1.0 ? kBaseDragLow + kBaseDragLowSlope * mach * mach : kBaseDragHigh / mach;
  return -baseDrag;
}

AxisCoefficients CapsuleCoefficients(const CapsuleShape& shape, const AeroReference& reference,
                                     double mach, double alphaDeg) {
  const AxisCoefficients unit = IntegrateNewtonianPressure(CapsuleProfile(shape), -shape.cgFromNose,
                                                           reference, alphaDeg * kRadPerDeg);
  // Pressure rise from the wake to the stagnation point.
  const double rise =
      StagnationPressureCoefficient(mach, kStagnationGamma) - BasePressureCoefficient(mach);
  // Adding 0 turns a negative zero into a positive one, so that α = 0 prints as 0.
  return {rise * unit.cx + 0.0, rise * unit.cz + 0.0, rise * unit.cm + 0.0};
}

}  // namespace plumora::tools
