#include "core/parachute/ConnectionLines.h"

#include <algorithm>
#include <cmath>

#include "core/app/Records.h"
#include "core/common/Messages.h"
#include "core/common/Prompter.h"

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

  // Relax towards the balance and correct each axis by the secant through the two forces; when
  // that does not settle, start again from the centroid with a shorter step and more patience.
  double lambda = kRelaxationGain / bridle.stiffness;
  int stepLimit = kFirstStepLimit;
  int steps = 0;
  Vec3 x = centroid;
  for (;;) {
    const Vec3 f = bridle.NetPull(x);
    if (Balanced(f)) break;
    const Vec3 xr = x + lambda * f;
    const Vec3 fr = bridle.NetPull(xr);
    Vec3 next{SecantRoot(x.x, f.x, xr.x, fr.x), SecantRoot(x.y, f.y, xr.y, fr.y),
              SecantRoot(x.z, f.z, xr.z, fr.z)};
    if (++steps > stepLimit) {
      lambda *= kRelaxationShrink;
      next = centroid;
      steps = 0;
      stepLimit += kStepLimitIncrement;
      if (stepLimit > kLastStepLimit) return false;
    }
    x = next;
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
  if (model.prompter) model.prompter->Message(kMsgConfluenceSteps, kCaptionWarning);
}

}  // namespace plumora
