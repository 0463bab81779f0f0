#include "core/parachute/ConnectionLines.h"

#include <algorithm>
#include <cmath>

#include "core/mission/Records.h"

namespace plumora {

namespace {

// The massless confluence point balances when no component of the net line force exceeds this.
constexpr double kBalanceTolerance = 0.01;  // N
// Relaxation step X' = X + λ·F with λ = kRelaxationGain/k to start with; each restart shrinks λ
// by kRelaxationShrink and allows kStepLimitIncrement more steps, up to kLastStepLimit.
constexpr double kRelaxationGain = 0.8;
constexpr double kRelaxationShrink = 0.9;
constexpr int kFirstStepLimit = 100;
constexpr int kStepLimitIncrement = 100;
constexpr int kLastStepLimit = 2100;
// Slopes and intercepts of the secant correction smaller than this count as 0.
constexpr double kSecantFloor = 1e-10;
// Newton's rescue: at most this many steps, each halved at most this many times.
constexpr int kNewtonSteps = 50;
constexpr int kNewtonHalvings = 40;

// A rest length below 0 means a line that is never slack: it counts as 0.
double RestLength(double length) {
  return std::max(length, 0.0);
}

// Pull of a line stretched along d (from the point pulled towards the line's other end).
Vec3 LinePull(const Vec3& d, double restLength, double stiffness) {
  const double length = Norm(d);
  if (!(length > restLength)) return {};
  return stiffness * (length - restLength) / length * d;
}

// The same with a damper: relativeVelocity is the pulled point's velocity less that of the
// line's other end. A line cannot push, so the tension stops at 0 when the line shortens fast.
Vec3 DampedLinePull(const Vec3& d, const Vec3& relativeVelocity, double restLength,
                    double stiffness, double damping) {
  const double length = Norm(d);
  if (!(length > restLength)) return {};
  const double tension =
      stiffness * (length - restLength) - damping * Dot(relativeVelocity, d) / length;
  return std::max(tension, 0.0) / length * d;
}

// The riser's end on the parachute, descent frame.
Vec3 RiserEnd(const DescentModel& model, const double* y) {
  return StateVec(y, kParachuteBlock + kPositionOffset) +
         model.frames.ToInertialAxes(kParachuteBody, model.parachute->link);
}

// The payload's point at body-axis position r, descent frame.
Vec3 PayloadPoint(const DescentModel& model, const double* y, const Vec3& r) {
  return StateVec(y, kPayloadBlock + kPositionOffset) +
         model.frames.ToInertialAxes(kPayloadBody, r);
}

// The riser's pull on the confluence point passed back to the parachute as its line load.
void LoadParachute(DescentModel& model, const Vec3& riserPull) {
  model.lines.parachuteForce = model.frames.ToBodyAxes(kParachuteBody, -riserPull);
  model.lines.parachuteMoment = Cross(model.parachute->link, model.lines.parachuteForce);
}

// The legs' pulls on the confluence point passed back to the payload, leg by leg and in total.
void LoadPayload(DescentModel& model, const std::array<Vec3, kMaxLegs>& legPull, int legs) {
  LineLoads& lines = model.lines;
  lines.payloadForce = {};
  lines.payloadMoment = {};
  for (int i = 0; i < legs; ++i) {
    lines.legForce[i] = model.frames.ToBodyAxes(kPayloadBody, -legPull[i]);
    lines.legMoment[i] = Cross(model.payload->legPoints[i], lines.legForce[i]);
    lines.payloadForce += lines.legForce[i];
    lines.payloadMoment += lines.legMoment[i];
  }
}

// Elastic energy of a line stretched along d (J): the pulls are its gradient with respect to
// the pulled point, negated.
double LineEnergy(const Vec3& d, double restLength, double stiffness) {
  const double stretch = Norm(d) - restLength;
  return stretch > 0.0 ? 0.5 * stiffness * stretch * stretch : 0.0;
}

// How the pull of a taut line changes as its pulled point moves: −K with
// K = k·(I − (L₀/L)·(I − n·nᵀ)), n = d/L; added into the symmetric 3×3 k.
void AddLineStiffness(const Vec3& d, double restLength, double stiffness, Mat3& k) {
  const double length = Norm(d);
  if (!(length > restLength)) return;
  const Vec3 n = d / length;
  const double slack = restLength / length;
  const double nn[3][3] = {{n.x * n.x, n.x * n.y, n.x * n.z},
                           {n.y * n.x, n.y * n.y, n.y * n.z},
                           {n.z * n.x, n.z * n.y, n.z * n.z}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      k.m[i][j] += stiffness * ((i == j ? 1.0 : 0.0) - slack * ((i == j ? 1.0 : 0.0) - nn[i][j]));
    }
  }
}

// x solving k·x = b for a symmetric positive definite k (Cholesky); false when k is not.
bool SolveSymmetric(const Mat3& k, const Vec3& b, Vec3& x) {
  const auto& a = k.m;
  const double l00 = a[0][0];
  if (!(l00 > 0.0)) return false;
  const double r0 = std::sqrt(l00);
  const double l10 = a[1][0] / r0, l20 = a[2][0] / r0;
  const double d1 = a[1][1] - l10 * l10;
  if (!(d1 > 0.0)) return false;
  const double r1 = std::sqrt(d1);
  const double l21 = (a[2][1] - l20 * l10) / r1;
  const double d2 = a[2][2] - l20 * l20 - l21 * l21;
  if (!(d2 > 0.0)) return false;
  const double r2 = std::sqrt(d2);
  const double z0 = b.x / r0;
  const double z1 = (b.y - l10 * z0) / r1;
  const double z2 = (b.z - l20 * z0 - l21 * z1) / r2;
  x.z = z2 / r2;
  x.y = (z1 - l21 * x.z) / r1;
  x.x = (z0 - l10 * x.y - l20 * x.z) / r0;
  return true;
}

// The lines that meet at a massless confluence point, in the descent frame.
struct Bridle {
  Vec3 riserEnd;
  std::array<Vec3, kMaxLegs> legEnds{};
  int legs = 0;
  double riserRest = 0.0;  // m
  double legRest = 0.0;    // m
  double stiffness = 0.0;  // N/m

  Vec3 LegPull(int i, const Vec3& x) const { return LinePull(legEnds[i] - x, legRest, stiffness); }
  Vec3 RiserPull(const Vec3& x) const { return LinePull(riserEnd - x, riserRest, stiffness); }
  Vec3 NetPull(const Vec3& x) const {
    Vec3 net = RiserPull(x);
    for (int i = 0; i < legs; ++i) net += LegPull(i, x);
    return net;
  }
  double Energy(const Vec3& x) const {
    double e = LineEnergy(riserEnd - x, riserRest, stiffness);
    for (int i = 0; i < legs; ++i) e += LineEnergy(legEnds[i] - x, legRest, stiffness);
    return e;
  }
  Mat3 Stiffness(const Vec3& x) const {
    Mat3 k;
    AddLineStiffness(riserEnd - x, riserRest, stiffness, k);
    for (int i = 0; i < legs; ++i) AddLineStiffness(legEnds[i] - x, legRest, stiffness, k);
    return k;
  }
};

bool Balanced(const Vec3& f) {
  return std::fabs(f.x) <= kBalanceTolerance && std::fabs(f.y) <= kBalanceTolerance &&
         std::fabs(f.z) <= kBalanceTolerance;
}

// One axis of the secant correction: the root of the line through (x, f) and (xr, fr), or xr
// when the line is flat or the step did not move along this axis.
double SecantRoot(double x, double f, double xr, double fr) {
  if (xr == x) return xr;
  double slope = (fr - f) / (xr - x);
  if (std::fabs(slope) < kSecantFloor) return xr;
  double intercept = f - slope * x;
  if (std::fabs(intercept) < kSecantFloor) intercept = 0.0;
  return -intercept / slope;
}

// Relaxes x (the centroid of the leg ends on entry) towards the balance and corrects each axis
// by the secant through the two forces; when that does not settle, starts again from the
// centroid with a shorter step and more patience. False when the last attempt has failed.
bool RelaxToBalance(const Bridle& bridle, Vec3& x) {
  const Vec3 start = x;
  double lambda = kRelaxationGain / bridle.stiffness;
  int stepLimit = kFirstStepLimit;
  int steps = 0;
  for (;;) {
    const Vec3 f = bridle.NetPull(x);
    if (Balanced(f)) return true;
    const Vec3 xr = x + lambda * f;
    const Vec3 fr = bridle.NetPull(xr);
    Vec3 next{SecantRoot(x.x, f.x, xr.x, fr.x), SecantRoot(x.y, f.y, xr.y, fr.y),
              SecantRoot(x.z, f.z, xr.z, fr.z)};
    if (++steps > stepLimit) {
      lambda *= kRelaxationShrink;
      next = start;
      steps = 0;
      stepLimit += kStepLimitIncrement;
      if (stepLimit > kLastStepLimit) return false;
    }
    x = next;
  }
}

// Newton's method on the lines' elastic energy, which is convex and least where the pulls
// balance: each step solves K·Δx = F with the lines' stiffness K and is halved until the energy
// drops. It finds the balance where the secant correction, axis by axis, only creeps towards
// it: when a line has barely gone taut and pulls across the others.
bool BalanceByNewton(const Bridle& bridle, Vec3& x) {
  for (int step = 0; step < kNewtonSteps; ++step) {
    const Vec3 f = bridle.NetPull(x);
    if (Balanced(f)) return true;
    Vec3 dx;
    if (!SolveSymmetric(bridle.Stiffness(x), f, dx)) return false;
    const double energy = bridle.Energy(x);
    Vec3 next = x + dx;
    for (int halving = 0; halving < kNewtonHalvings && bridle.Energy(next) > energy; ++halving) {
      dx = 0.5 * dx;
      next = x + dx;
    }
    if (next == x || !(bridle.Energy(next) <= energy)) return false;
    x = next;
  }
  return Balanced(bridle.NetPull(x));
}

}  // namespace

int UsableLegCount(const CPayload& payload) {
  return std::clamp<int>(payload.legCount, 0, kMaxLegs);
}

void SingleStropeForces(DescentModel& model, const double* y) {
  const CParachute& chute = *model.parachute;
  const Vec3& link = model.payload->stropeLink;
  const Vec3 p = PayloadPoint(model, y, link);
  const Vec3 pull = LinePull(RiserEnd(model, y) - p, RestLength(chute.lineLength), chute.stiffness);
  LineLoads& lines = model.lines;
  lines.payloadForce = model.frames.ToBodyAxes(kPayloadBody, pull);
  lines.payloadMoment = Cross(link, lines.payloadForce);
  lines.parachuteForce = model.frames.ToBodyAxes(kParachuteBody, -pull);
  lines.parachuteMoment = Cross(chute.link, lines.parachuteForce);
  // No line reaches a confluence point: with a mass there, it coasts.
  lines.confluenceForce = {};
  lines.confluencePosition = p;
}

bool SolveMasslessConfluence(DescentModel& model, const double* y) {
  const CPayload& payload = *model.payload;
  const CParachute& chute = *model.parachute;
  Bridle bridle;
  bridle.legs = UsableLegCount(payload);
  if (bridle.legs == 0) {
    LineLoads& lines = model.lines;
    lines.payloadForce = lines.payloadMoment = lines.parachuteForce = lines.parachuteMoment = {};
    return true;
  }
  bridle.riserEnd = RiserEnd(model, y);
  bridle.riserRest = RestLength(chute.lineLength);
  bridle.legRest = RestLength(payload.legLength);
  bridle.stiffness = chute.stiffness;
  Vec3 centroid;
  for (int i = 0; i < bridle.legs; ++i) {
    bridle.legEnds[i] = PayloadPoint(model, y, payload.legPoints[i]);
    centroid += bridle.legEnds[i];
  }
  centroid = centroid / bridle.legs;

  // The relaxation settles almost every case; the rare one it only creeps towards is left to
  // Newton's method before the point is given up.
  Vec3 x = centroid;
  if (!RelaxToBalance(bridle, x)) {
    x = centroid;
    if (!BalanceByNewton(bridle, x)) return false;
  }

  std::array<Vec3, kMaxLegs> legPull;
  for (int i = 0; i < bridle.legs; ++i) legPull[i] = bridle.LegPull(i, x);
  LoadParachute(model, bridle.RiserPull(x));
  LoadPayload(model, legPull, bridle.legs);
  model.lines.confluencePosition = x;
  return true;
}

void MassPointConfluenceForces(DescentModel& model, const double* y) {
  const CPayload& payload = *model.payload;
  const CParachute& chute = *model.parachute;
  const TwoBodyFrames& frames = model.frames;
  const Vec3 x = StateVec(y, kConfluenceBlock + kPositionOffset);
  const Vec3 vx = StateVec(y, kConfluenceBlock + kVelocityOffset);

  // The riser, from the confluence point to the parachute's link moving with the canopy.
  const Vec3 chuteVelocity = StateVec(y, kParachuteBlock + kVelocityOffset);
  const Vec3 chuteRates = StateVec(y, kParachuteBlock + kRateOffset);
  const Vec3 riserEndVelocity =
      frames.ToInertialAxes(kParachuteBody, chuteVelocity + Cross(chuteRates, chute.link));
  const Vec3 riserPull =
      DampedLinePull(RiserEnd(model, y) - x, vx - riserEndVelocity, RestLength(chute.lineLength),
                     chute.stiffness, chute.damping);

  // The legs, each to its point on the payload.
  const Vec3 velocity = StateVec(y, kPayloadBlock + kVelocityOffset);
  const Vec3 rates = StateVec(y, kPayloadBlock + kRateOffset);
  const double legRest = RestLength(payload.legLength);
  const int legs = UsableLegCount(payload);
  std::array<Vec3, kMaxLegs> legPull;
  Vec3 net = riserPull;
  for (int i = 0; i < legs; ++i) {
    const Vec3& r = payload.legPoints[i];
    const Vec3 legEndVelocity = frames.ToInertialAxes(kPayloadBody, velocity + Cross(rates, r));
    legPull[i] = DampedLinePull(PayloadPoint(model, y, r) - x, vx - legEndVelocity, legRest,
                                chute.stiffness, chute.damping);
    net += legPull[i];
  }

  model.lines.confluenceForce = net;
  LoadParachute(model, riserPull);
  LoadPayload(model, legPull, legs);
  model.lines.confluencePosition = x;
}

bool ComputeLineLoads(DescentModel& model, const double* y) {
  if (model.payload->connectionKind == kSingleStrope) {
    SingleStropeForces(model, y);
    return true;
  }
  if (model.massPoint) {
    MassPointConfluenceForces(model, y);
    return true;
  }
  return SolveMasslessConfluence(model, y);
}

void ConnectionForces(DescentModel& model, const double* y) {
  if (model.aborted) return;
  if (ComputeLineLoads(model, y)) return;
  model.aborted = true;
  model.lines.payloadForce = model.lines.payloadMoment = {};
  model.lines.parachuteForce = model.lines.parachuteMoment = {};
}

}  // namespace plumora
