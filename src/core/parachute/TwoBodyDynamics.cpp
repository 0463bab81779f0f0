#include "core/parachute/TwoBodyDynamics.h"

#include <cmath>

#include "core/ballistic/BallisticDynamics.h"
#include "core/environment/Atmosphere.h"
#include "core/flight/HandOverState.h"
#include "core/mission/Records.h"
#include "core/parachute/ConnectionLines.h"

namespace plumora {

namespace {

// Axial force coefficient of the canopy, and its normal force slope per radian.
constexpr double kCanopyAxialCoefficient = 0.75;
constexpr double kCanopyNormalSlope = 0.75;
// The lateral flow at the centre of pressure is floored at this before it divides.
constexpr double kCrossFlowFloor = 1e-20;  // m/s

// DescentWind with the cosine and sine of the heading.
Vec3 WindAlong(double c, double s, double windWE, double windSN) {
  return {c * windSN + s * windWE, s * windSN - c * windWE, 0.0};
}

// The body's velocity relative to the air, body axes, with the air at the body's height.
struct LocalAir {
  AtmosphereSample air;
  Vec3 airVelocity;  // m/s, body axes
};
LocalAir AirAround(DescentModel& model, int body, const Vec3& velocity, double height) {
  LocalAir local;
  local.air =
      QueryAtmosphere(*model.atmosphere, height,
                      model.atmosphereHint[static_cast<std::size_t>(body)], model.airScaling);
  if (!(model.windHeading == model.heading)) {  // the heading is fixed for a run
    model.windHeading = model.heading;
    model.headingCos = std::cos(model.heading);
    model.headingSin = std::sin(model.heading);
  }
  const Vec3 wind =
      WindAlong(model.headingCos, model.headingSin, local.air.windWE, local.air.windSN);
  local.airVelocity = velocity - model.frames.ToBodyAxes(body, wind);
  return local;
}

// What each body's equations start from: its velocity and rates, with its position and attitude
// rates written into ẏ, and the air around it.
struct BodyKinematics {
  Vec3 velocity;  // m/s, body axes
  Vec3 w;         // rad/s, body axes
  LocalAir local;
};
BodyKinematics Kinematics(DescentModel& model, int body, const double* y, double* yp) {
  const int b = BodyBlock(body);
  BodyKinematics k;
  k.velocity = StateVec(y, b + kVelocityOffset);
  k.w = StateVec(y, b + kRateOffset);
  SetStateVec(yp, b + kPositionOffset, model.frames.ToInertialAxes(body, k.velocity));
  SetStateVec(yp, b + kAttitudeOffset, model.frames.ToEulerRates(body, k.w));
  k.local = AirAround(model, body, k.velocity, y[b + kPositionOffset + 2]);
  return k;
}

double GammaR(const PlanetConstants& planet) {
  return planet.c1 * planet.c2;
}

// Translation in body axes: −ω × V, gravity along the descent frame's −z, and the specific
// force (N/kg) of lines and air.
Vec3 TranslationRates(const BodyFrames& frames, const Vec3& w, const Vec3& velocity, double g,
                      const Vec3& specificForce) {
  return Cross(velocity, w) + frames.ToBodyAxes({0.0, 0.0, -g}) + specificForce;
}

Vec3 Radians(double a, double b, double c) {
  return {a * kDegToRad, b * kDegToRad, c * kDegToRad};
}

}  // namespace

Vec3 PathVelocity(double pathAngleDegrees, double speed) {
  const double gamma = pathAngleDegrees * kDegToRad;
  return {speed * std::cos(gamma), 0.0, speed * std::sin(gamma)};
}

Vec3 DescentWind(double heading, double windWE, double windSN) {
  return WindAlong(std::cos(heading), std::sin(heading), windWE, windSN);
}

ParachuteCoefficients ParachuteAeroCoefficients(double /*mach*/, double alpha) {
  return {kCanopyAxialCoefficient, kCanopyNormalSlope * alpha};
}

ParachuteAeroLoads ParachuteAeroForces(const CParachute& parachute, const Vec3& va, double q,
                                       double r, double density, double temperature,
                                       double gammaR) {
  ParachuteAeroLoads loads;
  // The centre of pressure lies c_p behind the centre of gravity, on the −x axis.
  const double cp = parachute.centreOfPressure;
  loads.crossFlow = {0.0, va.y - r * cp, va.z + q * cp};
  const double speed = std::sqrt(va.x * va.x + Dot(loads.crossFlow, loads.crossFlow));
  if (speed == 0.0) return loads;
  if (!(va.x > 0.0)) {
    loads.flipped = true;
    return loads;
  }
  const double alpha = std::atan2(Norm(loads.crossFlow), va.x);
  const double mach = speed / std::sqrt(gammaR * temperature);
  const ParachuteCoefficients c = ParachuteAeroCoefficients(mach, alpha);
  const double dynamicPressure = 0.5 * density * speed * speed;
  loads.axial = c.axial * dynamicPressure * parachute.referenceArea;
  loads.normal = c.normal * dynamicPressure * parachute.referenceArea;
  return loads;
}

void PayloadDerivatives(DescentModel& model, const double* y, double* yp) {
  constexpr int b = kPayloadBlock;
  const CPayload& payload = *model.payload;
  const TwoBodyFrames& frames = model.frames;
  const auto [velocity, w, local] = Kinematics(model, kPayloadBody, y, yp);
  PayloadAerodynamics(payload, *model.aeroTable, local.airVelocity, local.air.density,
                      local.air.temperature, GammaR(*model.planet), model.payloadAero);

  SetStateVec(
      yp, b + kVelocityOffset,
      TranslationRates(frames.body[kPayloadBody], w, velocity, model.planet->g0,
                       (model.lines.payloadForce + model.payloadAero.force) / payload.mass));

  SetStateVec(
      yp, b + kRateOffset,
      PayloadAngularAcceleration(payload, model.lines.payloadMoment + model.payloadAero.moment, w));
}

void ParachuteDerivatives(DescentModel& model, const double* y, double* yp) {
  constexpr int b = kParachuteBlock;
  const CParachute& chute = *model.parachute;
  const TwoBodyFrames& frames = model.frames;
  const auto [velocity, w, local] = Kinematics(model, kParachuteBody, y, yp);
  const ParachuteAeroLoads aero =
      ParachuteAeroForces(chute, local.airVelocity, w.y, w.z, local.air.density,
                          local.air.temperature, GammaR(*model.planet));
  model.parachuteAxial = aero.axial;
  model.parachuteNormal = aero.normal;

  // The normal force opposes the cross flow at the centre of pressure, the air's own, so that a
  // crosswind pushes the canopy along with it.
  const double crossSpeed = std::fmax(Norm(aero.crossFlow), kCrossFlowFloor);
  const double normalY = aero.crossFlow.y * aero.normal / crossSpeed;
  const double normalZ = aero.crossFlow.z * aero.normal / crossSpeed;

  const Vec3 airForce{-aero.axial, -normalY, -normalZ};
  SetStateVec(yp, b + kVelocityOffset,
              TranslationRates(frames.body[kParachuteBody], w, velocity, model.planet->g0,
                               (model.lines.parachuteForce + airForce) / chute.mass));

  // Principal axes only; the normal force acts at (−c_p, 0, 0).
  const Vec3& lineMoment = model.lines.parachuteMoment;
  const double cp = chute.centreOfPressure;
  const double p = w.x, q = w.y, r = w.z;
  yp[b + kRateOffset + 0] = ((chute.iyy - chute.izz) * q * r + lineMoment.x) / chute.ixx;
  yp[b + kRateOffset + 1] =
      ((chute.izz - chute.ixx) * r * p - cp * normalZ + lineMoment.y) / chute.iyy;
  yp[b + kRateOffset + 2] =
      ((chute.ixx - chute.iyy) * p * q + cp * normalY + lineMoment.z) / chute.izz;
}

void ConfluenceDerivatives(const DescentModel& model, const double* y, double* yp) {
  // Only the lines act on the confluence point: no gravity, no air.
  SetStateVec(yp, kConfluenceBlock + kVelocityOffset,
              model.lines.confluenceForce / model.parachute->confluenceMass);
  SetStateVec(yp, kConfluenceBlock + kPositionOffset,
              StateVec(y, kConfluenceBlock + kVelocityOffset));
}

bool ParachuteFlipped(DescentModel& model, const double* y) {
  constexpr int b = kParachuteBlock;
  model.frames.UpdateFrames(kParachuteBody, StateVec(y, b + kAttitudeOffset));
  const LocalAir local = AirAround(model, kParachuteBody, StateVec(y, b + kVelocityOffset),
                                   y[b + kPositionOffset + 2]);
  const Vec3 w = StateVec(y, b + kRateOffset);
  return ParachuteAeroForces(*model.parachute, local.airVelocity, w.y, w.z, local.air.density,
                             local.air.temperature, GammaR(*model.planet))
      .flipped;
}

void EvaluateTwoBodyDerivatives(double /*t*/, const double* y, double* yp, void* context) {
  DescentModel& model = *static_cast<DescentModel*>(context);
  model.frames.UpdateFrames(kPayloadBody, StateVec(y, kPayloadBlock + kAttitudeOffset));
  model.frames.UpdateFrames(kParachuteBody, StateVec(y, kParachuteBlock + kAttitudeOffset));
  ConnectionForces(model, y);
  PayloadDerivatives(model, y, yp);
  ParachuteDerivatives(model, y, yp);
  if (model.massPoint) ConfluenceDerivatives(model, y, yp);
}

Vec3 RelativeAttitude(const Vec3& first, const Vec3& second, AttitudeMode mode) {
  BodyFrames reference;
  reference.Update(first.x, first.y, first.z);
  if (mode == AttitudeMode::kAbsolute) {
    return ReadAttitudeIn(second, [&](const Vec3& v) { return reference.ToInertialAxes(v); });
  }
  return ReadAttitudeIn(second, [&](const Vec3& v) { return reference.ToBodyAxes(v); });
}

void InitialiseTwoBodyState(DescentModel& model, const CHandOverState& r, double* y) {
  model.heading = r.heading * kDegToRad;
  model.aborted = false;
  model.lines = {};
  model.payloadAero = {};
  model.parachuteAxial = model.parachuteNormal = 0.0;
  TwoBodyFrames& frames = model.frames;
  const Vec3 up{0.0, 0.0, r.height};

  // The payload, at the origin of the descent frame at the hand-over height.
  const Vec3 attitude = Radians(r.payloadRoll, r.payloadPitch, r.payloadYaw);
  frames.UpdateFrames(kPayloadBody, attitude);
  SetStateVec(y, kPayloadBlock + kVelocityOffset,
              frames.ToBodyAxes(kPayloadBody, PathVelocity(r.payloadPathAngle, r.payloadSpeed)));
  SetStateVec(y, kPayloadBlock + kPositionOffset, up);
  SetStateVec(y, kPayloadBlock + kRateOffset,
              Radians(r.payloadRateX, r.payloadRateY, r.payloadRateZ));
  SetStateVec(y, kPayloadBlock + kAttitudeOffset, attitude);

  // The parachute, placed and turned relative to the payload.
  const Vec3 offset{r.parachuteOffsetX, r.parachuteOffsetY, r.parachuteOffsetZ};
  const Vec3 chuteAttitude =
      RelativeAttitude(attitude, Radians(r.parachuteRoll, r.parachutePitch, r.parachuteYaw),
                       AttitudeMode::kAbsolute);
  frames.UpdateFrames(kParachuteBody, chuteAttitude);
  const Vec3 chuteVelocity = PathVelocity(r.parachutePathAngle, r.parachuteSpeed);
  SetStateVec(y, kParachuteBlock + kVelocityOffset,
              frames.ToBodyAxes(kParachuteBody, chuteVelocity));
  SetStateVec(y, kParachuteBlock + kPositionOffset,
              frames.ToInertialAxes(kPayloadBody, offset) + up);
  SetStateVec(y, kParachuteBlock + kRateOffset,
              Radians(r.parachuteRateX, r.parachuteRateY, r.parachuteRateZ));
  SetStateVec(y, kParachuteBlock + kAttitudeOffset, chuteAttitude);

  // The confluence point starts on the payload's axis in the plane of the leg points.
  const Vec3 confluence =
      frames.ToInertialAxes(kPayloadBody, {model.payload->cogDistance, 0.0, 0.0}) + up;
  model.lines.confluencePosition = confluence;
  if (model.massPoint) {
    SetStateVec(y, kConfluenceBlock + kVelocityOffset, chuteVelocity);
    SetStateVec(y, kConfluenceBlock + kPositionOffset, confluence);
  }
}

}  // namespace plumora
