#include "gl/SceneTransforms.h"

#include <algorithm>
#include <cmath>

#include "core/ballistic/PlanetFrames.h"
#include "core/common/Constants.h"
#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"
#include "core/parachute/ConnectionLines.h"

namespace plumora {

namespace {

// Equatorial radii the planet models are made for, m.
constexpr double kEarthModelRadius = 6378165.0;
constexpr double kMarsModelRadius = 3389900.0;
constexpr double kTitanModelRadius = 2575000.0;
constexpr double kPlanetModelSize = 2.0;  // model units, the models' radius

// Without a parachute record the riser runs between these points.
constexpr Vec3 kDefaultPayloadEnd{-1.0, 0.0, 0.0};

// Where the triad stands: across to the right, up from the bottom edge, at the overlay
// distance; its arrows are a tenth of the view's width there, its tips a little beyond.
constexpr double kGizmoAcross = 0.39;
constexpr double kGizmoUp = 1.0 / 9.0;
constexpr double kGizmoArrow = 0.1;

double& At(GlMatrix& m, int row, int column) {
  return m[static_cast<std::size_t>(4 * column + row)];
}
double At(const GlMatrix& m, int row, int column) {
  return m[static_cast<std::size_t>(4 * column + row)];
}

// A pixel coordinate from a computed one: its integer part, and 0 for what a view with no extent
// yet gives (not a number, or infinite).
int PixelOf(double x) {
  constexpr double kFar = 1e6;  // pixels, well outside any view
  if (!std::isfinite(x)) return 0;
  return static_cast<int>(std::clamp(x, -kFar, kFar));
}

// The vehicle scenes' view of a body's axes (x to the left, y towards the eye, z up), turned by
// the view: turn (deg) about the body's z axis, tilt (deg) about its x axis. The scenes' camera
// and the axis triad turn alike.
GlMatrix TurnedToView(const GlMatrix& m, double tiltDeg, double turnDeg) {
  GlMatrix r = Rotated(m, 180.0, kAxisZ);
  r = Rotated(r, 90.0, kAxisX);
  r = Rotated(r, turnDeg, kAxisZ);
  return Rotated(r, -tiltDeg, kAxisX);
}

}  // namespace

GlMatrix IdentityMatrix() {
  GlMatrix m{};
  m[0] = m[5] = m[10] = m[15] = 1.0;
  return m;
}

GlMatrix Multiply(const GlMatrix& a, const GlMatrix& b) {
  GlMatrix c{};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += At(a, row, k) * At(b, k, column);
      At(c, row, column) = sum;
    }
  }
  return c;
}

GlMatrix Translated(const GlMatrix& m, const Vec3& v) {
  GlMatrix t = IdentityMatrix();
  At(t, 0, 3) = v.x;
  At(t, 1, 3) = v.y;
  At(t, 2, 3) = v.z;
  return Multiply(m, t);
}

GlMatrix Rotated(const GlMatrix& m, double angleDeg, const Vec3& axis) {
  const double length = Norm(axis);
  if (length == 0.0) return m;
  const Vec3 u = axis / length;
  const double c = std::cos(angleDeg * kDegToRad);
  const double s = std::sin(angleDeg * kDegToRad);
  const double k = 1.0 - c;
  // Rodrigues' rotation about the unit axis u, as glRotate builds it.
  GlMatrix r = IdentityMatrix();
  At(r, 0, 0) = u.x * u.x * k + c;
  At(r, 0, 1) = u.x * u.y * k - u.z * s;
  At(r, 0, 2) = u.x * u.z * k + u.y * s;
  At(r, 1, 0) = u.y * u.x * k + u.z * s;
  At(r, 1, 1) = u.y * u.y * k + c;
  At(r, 1, 2) = u.y * u.z * k - u.x * s;
  At(r, 2, 0) = u.z * u.x * k - u.y * s;
  At(r, 2, 1) = u.z * u.y * k + u.x * s;
  At(r, 2, 2) = u.z * u.z * k + c;
  return Multiply(m, r);
}

GlMatrix Scaled(const GlMatrix& m, double s) {
  GlMatrix t = IdentityMatrix();
  At(t, 0, 0) = At(t, 1, 1) = At(t, 2, 2) = s;
  return Multiply(m, t);
}

Vec3 TransformPoint(const GlMatrix& m, const Vec3& p) {
  return TransformDirection(m, p) + Vec3{At(m, 0, 3), At(m, 1, 3), At(m, 2, 3)};
}

Vec3 TransformDirection(const GlMatrix& m, const Vec3& d) {
  return {At(m, 0, 0) * d.x + At(m, 0, 1) * d.y + At(m, 0, 2) * d.z,
          At(m, 1, 0) * d.x + At(m, 1, 1) * d.y + At(m, 1, 2) * d.z,
          At(m, 2, 0) * d.x + At(m, 2, 1) * d.y + At(m, 2, 2) * d.z};
}

GlMatrix Attitude(const GlMatrix& m, double yawDeg, double pitchDeg, double rollDeg) {
  return Rotated(Rotated(Rotated(m, yawDeg, kAxisZ), pitchDeg, kAxisY), rollDeg, kAxisX);
}

GlMatrix VehicleCamera(double distance, double tiltDeg, double turnDeg) {
  return TurnedToView(Translated(IdentityMatrix(), {0.0, 0.0, -distance}), tiltDeg, turnDeg);
}

GlMatrix GlobeCamera(double tiltDeg, double turnDeg, double zoom) {
  GlMatrix m = Translated(IdentityMatrix(), {0.0, 0.0, -kGlobeDistance});
  m = Scaled(m, zoom * kGlobeMagnification);
  m = Rotated(m, tiltDeg - 90.0, kAxisX);
  return Rotated(m, -90.0 - turnDeg, kAxisZ);
}

SceneModel PlanetModel(std::int32_t planet) {
  if (planet == 1) return SceneModel::kMars;
  if (planet == 2) return SceneModel::kTitan;
  return SceneModel::kEarth;
}

double PlanetModelRadius(std::int32_t planet) {
  switch (PlanetModel(planet)) {
    case SceneModel::kMars:
      return kMarsModelRadius;
    case SceneModel::kTitan:
      return kTitanModelRadius;
    default:
      return kEarthModelRadius;
  }
}

double PlanetModelScale(std::int32_t planet) {
  return kPlanetModelSize / PlanetModelRadius(planet);
}

Vec3 PlanetCentredPosition(double latitudeDeg, double longitudeDeg, double altitudeM,
                           double radiusM) {
  return PositionFromLatLon(latitudeDeg * kDegToRad, longitudeDeg * kDegToRad, altitudeM, radiusM);
}

LatLon LatitudeLongitude(const Vec3& position) {
  return {std::atan2(position.z, std::hypot(position.x, position.y)) * kRadToDeg,
          std::atan2(position.y, position.x) * kRadToDeg};
}

GlMatrix HeadingFrame(const GlMatrix& m, const Vec3& p, const LatLon& where, double headingDeg) {
  GlMatrix frame = Translated(m, p);
  frame = Rotated(frame, where.longitude, kAxisZ);
  frame = Rotated(frame, -where.latitude - 90.0, kAxisY);
  return Rotated(frame, headingDeg, kAxisZ);
}

double GlobeTrackStep(const ViewProjection& projection, double zoom) {
  constexpr double kFraction = 0.25;  // of a pixel
  const double height = std::max(projection.height(), 1);
  const double magnification = std::max(zoom, 1e-6) * kGlobeMagnification;
  // The near plane's height, carried out to the globe's distance, over the view's pixels.
  const double pixel = projection.Hn() * kGlobeDistance / kNearPlane / height;
  return kFraction * pixel / magnification;
}

AxisGizmoLayout LayOutAxisGizmo(const ViewProjection& projection, double tiltDeg, double turnDeg) {
  AxisGizmoLayout layout;
  const double w28 = projection.W28();
  const double h28 = projection.H28();
  layout.arrowLength = kGizmoArrow * w28;
  const GlMatrix place = Translated(
      IdentityMatrix(), {kGizmoAcross * w28, kGizmoUp * w28 - 0.5 * h28, -kOverlayDistance});
  layout.modelView = TurnedToView(place, tiltDeg, turnDeg);

  const int w = projection.width();
  const int h = projection.height();
  // A point of the triad's frame as the view shows it: perspective division onto the near
  // plane, then near-plane units to pixels from the top left corner.
  const auto pixel = [&](const Vec3& p) {
    const Vec3 eye = TransformPoint(layout.modelView, p);
    const double nearX = eye.x * kNearPlane / -eye.z;
    const double nearY = eye.y * kNearPlane / -eye.z;
    return std::array<double, 2>{nearX * w / projection.Wn() + w / 2,
                                 h / 2 - nearY * h / projection.Hn()};
  };
  const std::array<double, 2> origin = pixel({});
  const double g = layout.arrowLength;
  const std::array<Vec3, 3> tips = {Vec3{g, 0, 0}, Vec3{0, g, 0}, Vec3{0, 0, g}};
  double left = origin[0], right = origin[0], top = origin[1], bottom = origin[1];
  double longest = 0.0;  // pixels, the longest arrow as the view shows it
  for (std::size_t i = 0; i < tips.size(); ++i) {
    const std::array<double, 2> tip = pixel(tips[i]);
    const double dx = tip[0] - origin[0], dy = tip[1] - origin[1];
    const double along = std::hypot(dx, dy);
    longest = std::max(longest, along);
    // Beyond the tip, so the label never sits on its own arrowhead; an arrow seen end on has
    // its label above its tip.
    double x = along > 0.5 ? tip[0] + kTriadLabelGap * dx / along : tip[0];
    double y = along > 0.5 ? tip[1] + kTriadLabelGap * dy / along : tip[1] - kTriadLabelGap;
    // Inside the view, whole: a small view's triad stands close to its bottom edge.
    x = std::clamp(x, kTriadLabelHalf, std::max(kTriadLabelHalf, w - kTriadLabelHalf));
    y = std::clamp(y, kTriadLabelHalf, std::max(kTriadLabelHalf, h - kTriadLabelHalf));
    layout.labelX[i] = PixelOf(x);
    layout.labelY[i] = PixelOf(y);
    layout.behind[i] = std::fabs(TransformPoint(layout.modelView, tips[i]).z) > kOverlayDistance;
    left = std::min({left, tip[0], x - kTriadLabelHalf});
    right = std::max({right, tip[0], x + kTriadLabelHalf});
    top = std::min({top, tip[1], y - kTriadLabelHalf});
    bottom = std::max({bottom, tip[1], y + kTriadLabelHalf});
  }
  // The arrowheads stand out a tenth of an arrow's length on either side.
  const double margin = 0.1 * longest + 2.0;
  layout.box = {std::clamp(PixelOf(std::floor(left - margin)), 0, w),
                std::clamp(PixelOf(std::floor(top - margin)), 0, h),
                std::clamp(PixelOf(std::ceil(right + margin)), 0, w),
                std::clamp(PixelOf(std::ceil(bottom + margin)), 0, h)};
  return layout;
}

const CPayload& PayloadOrDefault(const CPayload* payload) {
  static const CPayload kDefaultPayload;
  return payload ? *payload : kDefaultPayload;
}

std::int32_t SelectorOfPayloadType(std::int32_t typeIndex) {
  return typeIndex >= 1 && typeIndex < kPayloadTypeCount ? typeIndex : 0;
}

RiserEnds SystemRiserEnds(const CTrajectorySample& sample) {
  if (!sample.parachute) return {kDefaultPayloadEnd, kCanopyLinesMeet};
  const CPayload& payload = PayloadOrDefault(sample.payload.get());
  const Vec3 payloadEnd = HasBridleLegs(payload)
                              ? Vec3{sample.confluenceX, sample.confluenceY, sample.confluenceZ}
                              : payload.stropeLink;
  return {payloadEnd, sample.parachute->link};
}

bool HasBridleLegs(const CPayload& payload) {
  // As the descent dynamics read the record: anything but a single strope is bridle legs.
  return payload.connectionKind != kSingleStrope;
}

int BridleLegCount(const CPayload& payload) {
  return UsableLegCount(payload);  // the legs the line models pull with
}

}  // namespace plumora
