// The attitude frames of a rigid body with Euler angles roll, pitch, yaw in the 3-2-1 sequence
// (yaw about z, pitch about the new y, roll about the final x) relative to a reference frame.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>

#include "core/common/Vec3.h"

namespace plumora {

struct Mat3 {
  std::array<std::array<double, 3>, 3> m{};  // row by row

  constexpr Vec3 operator*(const Vec3& v) const {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
            m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
  }
  constexpr Mat3 Transposed() const {
    Mat3 t;
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) t.m[i][j] = m[j][i];
    }
    return t;
  }
};

struct BodyFrames {
  Mat3 a;  // reference components to body components
  Mat3 b;  // body components to reference components (the transpose of a)
  Mat3 c;  // body rates (p, q, r) to Euler angle rates

  // Rebuilds the three matrices from the angles (rad). Near a pitch of ±90° the rate matrix
  // uses a cosine floored at 1e-10 (keeping its sign); a and b use the true cosine.
  void Update(double roll, double pitch, double yaw);

  Vec3 ToBodyAxes(const Vec3& v) const { return a * v; }
  Vec3 ToInertialAxes(const Vec3& v) const { return b * v; }
  Vec3 ToEulerRates(const Vec3& w) const { return c * w; }
};

// Attitude components smaller than this are read as 0 when angles are read off an axis, so that
// rounding does not turn an axis that lies in a plane into a small angle out of it.
inline constexpr double kAxisComponentFloor = 0.0001;

inline Vec3 DropTinyComponents(Vec3 v) {
  for (double* c : {&v.x, &v.y, &v.z}) {
    if (std::fabs(*c) < kAxisComponentFloor) *c = 0.0;
  }
  return v;
}

// A body's attitude (roll, pitch, yaw in rad) given against one frame, read as angles against
// another: toOther carries a vector's components from the first frame into the second. Yaw and
// pitch come from the body's x axis, roll from the angle between its z axis and the z axis of
// the body turned by yaw and pitch alone, so the roll lies in [0, π]: its sign does not survive.
template <typename ToOther>
Vec3 ReadAttitudeIn(const Vec3& attitude, ToOther toOther) {
  BodyFrames frames;
  frames.Update(attitude.x, attitude.y, attitude.z);
  const Vec3 e1 = DropTinyComponents(toOther(frames.ToInertialAxes({1.0, 0.0, 0.0})));
  const Vec3 e3 = DropTinyComponents(toOther(frames.ToInertialAxes({0.0, 0.0, 1.0})));
  const double yaw = std::atan2(e1.y, e1.x);
  const double pitch = std::atan2(-e1.z, std::sqrt(e1.x * e1.x + e1.y * e1.y));
  frames.Update(0.0, pitch, yaw);
  const Vec3 e3Unrolled = DropTinyComponents(frames.ToInertialAxes({0.0, 0.0, 1.0}));
  const double d = std::clamp(Dot(e3Unrolled, e3), -1.0, 1.0);
  return {std::acos(d), pitch, yaw};
}

}  // namespace plumora
