// The attitude frames of a rigid body with Euler angles roll, pitch, yaw in the 3-2-1 sequence
// (yaw about z, pitch about the new y, roll about the final x) relative to a reference frame.
#pragma once

#include <array>

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

}  // namespace plumora
