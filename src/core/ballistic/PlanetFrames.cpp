#include "core/ballistic/PlanetFrames.h"

#include <cmath>

#include "core/common/Constants.h"

namespace plumora {

namespace {
constexpr double kSingularDeterminant = 1e-34;
}  // namespace

Vec3 PositionFromLatLon(double latitude, double longitude, double height, double planetRadius) {
  const double r = planetRadius + height;
  return {r * std::cos(latitude) * std::cos(longitude),
          r * std::cos(latitude) * std::sin(longitude), r * std::sin(latitude)};
}

Mat3 HeadingMatrix(double latitude, double longitude, double heading) {
  // Built from the colatitude and the supplement of the heading.
  const double colatitude = kHalfPi - latitude;
  const double c = kPi - heading;
  const double ca = std::cos(colatitude), sa = std::sin(colatitude);
  const double cb = std::cos(longitude), sb = std::sin(longitude);
  const double cc = std::cos(c), sc = std::sin(c);
  Mat3 t;
  t.m = {{{cc * cb * ca - sc * sb, sb * cc * ca + sc * cb, -sa * cc},
          {-sc * cb * ca - sb * cc, cc * cb - sc * sb * ca, sc * sa},
          {cb * sa, sb * sa, ca}}};
  return t;
}

Vec3 ConvertI2H(const Vec3& v, double latitude, double longitude, double heading) {
  return HeadingMatrix(latitude, longitude, heading) * v;
}

bool ConvertH2I(const Vec3& v, double latitude, double longitude, double heading, Vec3& out) {
  const auto& t = HeadingMatrix(latitude, longitude, heading).m;
  // Cofactors of the first row give the determinant.
  const double c00 = t[1][1] * t[2][2] - t[1][2] * t[2][1];
  const double c01 = t[1][2] * t[2][0] - t[1][0] * t[2][2];
  const double c02 = t[1][0] * t[2][1] - t[1][1] * t[2][0];
  const double det = t[0][0] * c00 + t[0][1] * c01 + t[0][2] * c02;
  if (!(std::fabs(det) > kSingularDeterminant)) return false;
  Mat3 inverse;  // adjugate / determinant
  inverse.m = {{{c00 / det, (t[0][2] * t[2][1] - t[0][1] * t[2][2]) / det,
                 (t[0][1] * t[1][2] - t[0][2] * t[1][1]) / det},
                {c01 / det, (t[0][0] * t[2][2] - t[0][2] * t[2][0]) / det,
                 (t[0][2] * t[1][0] - t[0][0] * t[1][2]) / det},
                {c02 / det, (t[0][1] * t[2][0] - t[0][0] * t[2][1]) / det,
                 (t[0][0] * t[1][1] - t[0][1] * t[1][0]) / det}}};
  out = inverse * v;
  return true;
}

}  // namespace plumora
