#include "core/ballistic/BallisticDynamics.h"

#include <cmath>

#include "core/ballistic/PlanetFrames.h"
#include "core/common/Messages.h"
#include "core/environment/Atmosphere.h"
#include "core/flight/RunState.h"
#include "core/mission/Records.h"

namespace plumora {

Vec3 Gravity(const Vec3& r, double gm) {
  const double distance = Norm(r);
  return -gm / (distance * distance * distance) * r;
}

Vec3 Coriolis(const Vec3& v, double omega) {
  return {2.0 * omega * v.y, -2.0 * omega * v.x, 0.0};
}

Vec3 Centrifugal(const Vec3& r, double omega) {
  return {omega * omega * r.x, omega * omega * r.y, 0.0};
}

namespace {

// H-frame vector to planet axes; on a singular frame the message is shown once per run and the
// vector stays as given.
Vec3 HeadingToPlanet(BallisticModel& model, const Vec3& v, double latitude, double longitude) {
  Vec3 out = v;
  if (!ConvertH2I(v, latitude, longitude, 0.0, out) && !model.singularReported) {
    model.singularReported = true;
    std::string text(kMsgSingularMatrix);
    if (!std::isfinite(latitude) || !std::isfinite(longitude)) text += kMsgPositionNotFinite;
    if (model.run) model.run->Notify(text, kCaptionConvertH2I);
  }
  return out;
}

}  // namespace

Vec3 PayloadAngularAcceleration(const CPayload& p, const Vec3& moment, const Vec3& w) {
  const double pr = w.x, q = w.y, r = w.z;
  if (p.ixy == 0.0 && p.ixz == 0.0 && p.iyz == 0.0) {
    return {(moment.x - (p.izz - p.iyy) * q * r) / p.ixx,
            (moment.y - (p.ixx - p.izz) * r * pr) / p.iyy,
            (moment.z - (p.iyy - p.ixx) * pr * q) / p.izz};
  }
  const Vec3 rhs{moment.x - (p.izz - p.iyy) * q * r + p.ixz * pr * q - p.ixy * pr * r -
                     p.iyz * (r * r - q * q),
                 moment.y - (p.ixx - p.izz) * r * pr + p.ixy * q * r - p.iyz * pr * q -
                     p.ixz * (pr * pr - r * r),
                 moment.z - (p.iyy - p.ixx) * pr * q + p.iyz * pr * r - p.ixz * q * r -
                     p.ixy * (q * q - pr * pr)};
  // Symmetric tensor ((Ixx, −Ixy, −Ixz), (−Ixy, Iyy, −Iyz), (−Ixz, −Iyz, Izz)): Cramer's rule.
  const double a = p.ixx, b = -p.ixy, c = -p.ixz, d = p.iyy, e = -p.iyz, f = p.izz;
  const double cofA = d * f - e * e, cofB = c * e - b * f, cofC = b * e - c * d;
  const double det = a * cofA + b * cofB + c * cofC;
  return {(cofA * rhs.x + cofB * rhs.y + cofC * rhs.z) / det,
          (cofB * rhs.x + (a * f - c * c) * rhs.y + (b * c - a * e) * rhs.z) / det,
          (cofC * rhs.x + (b * c - a * e) * rhs.y + (a * d - b * b) * rhs.z) / det};
}

void EvaluateBallisticDerivatives(double /*t*/, const double* y, double* yp, void* context) {
  BallisticModel& model = *static_cast<BallisticModel*>(context);
  const CPayload& payload = *model.payload;
  const PlanetConstants& planet = *model.planet;
  const Vec3 velocity = StateVec(y, kVelocityOffset);  // body axes
  const Vec3 r = StateVec(y, kPositionOffset);
  const Vec3 w = StateVec(y, kRateOffset);
  const Vec3 attitude = StateVec(y, kAttitudeOffset);

  // 1. Frames, planet-frame velocity, gravity, height, Euler rates.
  model.frames.Update(attitude.x, attitude.y, attitude.z);
  const Vec3 planetVelocity = model.frames.ToInertialAxes(velocity);
  const Vec3 gravity = model.frames.ToBodyAxes(Gravity(r, planet.gm));
  const double height = Norm(r) - planet.radius;
  const Vec3 eulerRates = model.frames.ToEulerRates(w);

  // 2. The air at this height.
  const AtmosphereSample air =
      QueryAtmosphere(*model.atmosphere, height, model.atmosphereHint, model.airScaling);

  // 3. Wind: north and west components in the local frame, then body axes.
  const double latitude = std::atan2(r.z, std::sqrt(r.x * r.x + r.y * r.y));
  const double longitude = std::atan2(r.y, r.x);
  const Vec3 windLocal{air.windSN, -air.windWE, 0.0};
  const Vec3 wind = model.frames.ToBodyAxes(HeadingToPlanet(model, windLocal, latitude, longitude));

  // 4. Aerodynamic loads from the velocity relative to the air.
  PayloadAerodynamics(payload, *model.aeroTable, velocity - wind, air.density, air.temperature,
                      planet.c1 * planet.c2, model.aero);

  // 5. Apparent accelerations of the turning frame, in body axes.
  const Vec3 coriolis = model.frames.ToBodyAxes(Coriolis(planetVelocity, planet.omega));
  const Vec3 centrifugal = model.frames.ToBodyAxes(Centrifugal(r, planet.omega));

  // 6. Translation in body axes: −ω × V plus the specific forces.
  const Vec3 acceleration = model.aero.force / payload.mass + centrifugal + coriolis + gravity;
  SetStateVec(yp, kVelocityOffset,
              {w.z * velocity.y - w.y * velocity.z + acceleration.x,
               w.x * velocity.z - w.z * velocity.x + acceleration.y,
               w.y * velocity.x - w.x * velocity.y + acceleration.z});

  // 7. Rotation.
  const Vec3 wDot = PayloadAngularAcceleration(payload, model.aero.moment, w);

  // 8. Assemble ẏ.
  SetStateVec(yp, kPositionOffset, planetVelocity);
  SetStateVec(yp, kRateOffset, wDot);
  SetStateVec(yp, kAttitudeOffset, eulerRates);
}

Vec3 AttitudeToPlanet(const Vec3& attitude, double latitude, double longitude, double heading) {
  return ReadAttitudeIn(attitude, [&](const Vec3& v) {
    Vec3 out = v;
    ConvertH2I(v, latitude, longitude, heading, out);
    return out;
  });
}

Vec3 AttitudeToHeading(const Vec3& attitude, double latitude, double longitude, double heading) {
  return ReadAttitudeIn(attitude,
                        [&](const Vec3& v) { return ConvertI2H(v, latitude, longitude, heading); });
}

}  // namespace plumora
