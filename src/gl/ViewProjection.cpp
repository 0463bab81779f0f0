#include "gl/ViewProjection.h"

#include <algorithm>
#include <cmath>

#include "core/common/Constants.h"

namespace plumora {

GlMatrix PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar) {
  const double f = 1.0 / std::tan(0.5 * fovy * kDegToRad);  // cotangent of the half angle
  GlMatrix m{};
  m[0] = f / aspect;
  m[5] = f;
  m[10] = (zFar + zNear) / (zNear - zFar);
  m[11] = -1.0;
  m[14] = 2.0 * zFar * zNear / (zNear - zFar);
  return m;
}

bool ViewProjection::Update(const GlFunctions& gl, int width, int height) {
  if (width == width_ && height == height_) return false;
  const double aspect = static_cast<double>(width) / std::max(height, 1);
  const GlMatrix projection = PerspectiveMatrix(kFieldOfView, aspect, kNearPlane, kFarPlane);
  gl.MatrixMode(kGlProjection);
  gl.LoadMatrixd(projection.data());
  gl.MatrixMode(kGlModelview);
  gl.Viewport(0, 0, width, height);
  width_ = width;
  height_ = height;
  // The visible height at a distance d is 2 d tan(fovy / 2).
  const double slope = 2.0 * std::tan(0.5 * kFieldOfView * kDegToRad);
  hn_ = slope * kNearPlane;
  wn_ = hn_ * aspect;
  h28_ = slope * kOverlayDistance;
  w28_ = h28_ * aspect;
  return true;
}

}  // namespace plumora
