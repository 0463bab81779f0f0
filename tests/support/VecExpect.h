// GoogleTest checks on vectors.
#pragma once

#include <gtest/gtest.h>

#include "core/common/Vec3.h"

namespace plumora::test {

// Every component of a within tolerance of b's.
inline void ExpectNear(const Vec3& a, const Vec3& b, double tolerance) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

}  // namespace plumora::test
