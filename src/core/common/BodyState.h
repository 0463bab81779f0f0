// A rigid body's twelve state values as both phase modules lay them out: velocity, position,
// angular velocity and attitude angles, three each. The ballistic state is one such block; the
// descent state holds one for each body.
#pragma once

#include "core/common/Vec3.h"

namespace plumora {

inline constexpr int kBodyStateSize = 12;
// Offsets inside a body's block.
inline constexpr int kVelocityOffset = 0;  // u, v, w, body axes                m/s
inline constexpr int kPositionOffset = 3;  // x, y, z                          m
inline constexpr int kRateOffset = 6;      // p, q, r, body axes                rad/s
inline constexpr int kAttitudeOffset = 9;  // roll, pitch, yaw                  rad

// Three consecutive state values as a vector.
inline Vec3 StateVec(const double* y, int index) {
  return {y[index], y[index + 1], y[index + 2]};
}
inline void SetStateVec(double* y, int index, const Vec3& v) {
  y[index] = v.x;
  y[index + 1] = v.y;
  y[index + 2] = v.z;
}

}  // namespace plumora
