#include "gl/SceneFraming.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/common/Constants.h"
#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"
#include "gl/SceneTransforms.h"

namespace plumora {

namespace {

// A canopy is drawn between a thousandth and a thousand times its model's size: an area typed
// by mistake neither vanishes nor overflows the view's arithmetic.
constexpr double kMinCanopySize = 1e-3;
constexpr double kMaxCanopySize = 1e3;

bool IsFinite(const Vec3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// tan of half the vertical field of view.
double HalfFieldSlope() {
  return std::tan(0.5 * kFieldOfView * kDegToRad);
}

// The rest length from the payload's attachment to the parachute's link, m.
double RestLength(const CPayload& payload, const CParachute& parachute) {
  double attachment = Norm(payload.stropeLink);
  if (HasBridleLegs(payload)) {
    attachment = 0.0;
    const int legs = BridleLegCount(payload);
    for (int k = 0; k < legs; ++k) {
      attachment = std::max(attachment, Norm(payload.legPoints[static_cast<std::size_t>(k)]));
    }
    attachment += payload.legLength;
  }
  return attachment + parachute.lineLength + Norm(parachute.link);
}

}  // namespace

double FramingScale(const ViewProjection& projection, double distance, double reach, double zoom) {
  if (!(reach > 0.0) || !std::isfinite(reach)) return zoom;
  const double aspect = projection.H28() > 0.0 ? projection.W28() / projection.H28() : 1.0;
  // The narrower half-angle a of the view; a sphere of radius r at distance d fills it when
  // r = d sin a.
  const double slope = HalfFieldSlope() * std::min(1.0, aspect);
  const double sine = slope / std::sqrt(1.0 + slope * slope);
  return zoom * kFrameFill * distance * sine / reach;
}

double PayloadScale(const ViewProjection& projection, double reach, double zoom) {
  return zoom * std::min(1.0, FramingScale(projection, kVehicleDistance, reach, 1.0));
}

double MetresPerModelUnit(std::int32_t selector) {
  return selector == 4 ? kMesh4MetresPerUnit : 1.0;
}

double PayloadReach(const ShapeExtents& extents, std::int32_t selector) {
  const std::int32_t geometry = selector >= 1 && selector <= 4 ? selector : 0;
  return extents.payload[static_cast<std::size_t>(geometry)] * MetresPerModelUnit(geometry);
}

CanopyLayout LayOutCanopy(const ShapeExtents& extents, const CParachute* parachute) {
  CanopyLayout canopy;
  const double skirt = extents.skirtRadius;
  const double area = parachute ? parachute->referenceArea : 0.0;  // m²
  if (skirt > 0.0 && area > 0.0 && std::isfinite(area)) {
    // The mouth's circle has the reference area: radius sqrt(S / pi).
    canopy.size =
        std::clamp(std::sqrt(area / std::numbers::pi) / skirt, kMinCanopySize, kMaxCanopySize);
  }
  canopy.linesMeet = parachute && IsFinite(parachute->link) ? parachute->link : kCanopyLinesMeet;
  for (int k = 0; k < kSuspensionLines; ++k) {
    const double phi = 2.0 * std::numbers::pi * k / kSuspensionLines;  // rad, the gore seams
    canopy.skirt[static_cast<std::size_t>(k)] =
        canopy.size * Vec3{extents.skirtX, skirt * std::cos(phi), skirt * std::sin(phi)};
  }
  // The canopy runs along its axis from the apex to the skirt, the lines on to where they meet.
  double apex = extents.skirtX;
  for (const auto& [x, r] : extents.canopyProfile) apex = std::min(apex, x);
  canopy.centre = 0.5 * (Vec3{canopy.size * apex, 0.0, 0.0} + canopy.linesMeet);
  canopy.reach = Norm(canopy.linesMeet - canopy.centre);
  // Every ring of the canopy is round its axis: its farthest point from the centre lies on the
  // side away from where the centre stands off the axis.
  const double offAxis = std::hypot(canopy.centre.y, canopy.centre.z);
  for (const auto& [x, r] : extents.canopyProfile) {
    canopy.reach = std::max(
        canopy.reach, std::hypot(canopy.size * x - canopy.centre.x, canopy.size * r + offAxis));
  }
  return canopy;
}

double FramedSeparation(const CTrajectorySample& sample) {
  const Vec3 offset{sample.parachuteOffsetX, sample.parachuteOffsetY, sample.parachuteOffsetZ};
  const double actual = IsFinite(offset) ? Norm(offset) : 0.0;
  if (!sample.payload || !sample.parachute) return actual;
  const double rest = RestLength(*sample.payload, *sample.parachute);
  return std::isfinite(rest) ? std::max(actual, kLineStretchAllowance * rest) : actual;
}

double SystemReach(double separation, double payloadReach, const CanopyLayout* canopy) {
  const double half = 0.5 * separation;
  double reach = half + payloadReach;
  if (canopy) reach = std::max(reach, half + Norm(canopy->centre) + canopy->reach);
  return reach;
}

double StreakLength(double speed, double distance) {
  const double share =
      speed >= 0.0 ? std::clamp(kStreakSharePerMps * speed, kStreakShareMin, kStreakShareMax)
                   : kStreakShareMin;
  return share * 2.0 * distance * HalfFieldSlope();
}

}  // namespace plumora
