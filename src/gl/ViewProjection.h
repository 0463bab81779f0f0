// The perspective every 3D view uses (15° vertical field of view, near plane 8, far plane 400
// model units) and the view extents the scenes place their overlays with. Each view keeps its
// own: projections are state of a context, not of the shared display lists.
#pragma once

#include <array>

#include "gl/GlFunctions.h"

namespace plumora {

// A 4 × 4 matrix in OpenGL's column-major order.
using GlMatrix = std::array<double, 16>;

inline constexpr double kFieldOfView = 15.0;      // deg, vertical
inline constexpr double kNearPlane = 8.0;         // model units
inline constexpr double kFarPlane = 400.0;        // model units
inline constexpr double kOverlayDistance = 28.0;  // model units, where the axis triad stands

// The perspective projection of a symmetric frustum: vertical field of view fovy (deg), aspect
// width / height, near and far planes (positive distances in front of the eye).
GlMatrix PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar);

class ViewProjection {
 public:
  // Sets the projection matrix and the viewport for a view of width × height device pixels,
  // unless they are what they were last set for; true when it set them. The view's context must
  // be current. A height below 1 is taken as 1 for the aspect ratio.
  bool Update(const GlFunctions& gl, int width, int height);
  // Forgets the size, so the next Update sets everything (a new context starts without state).
  void Invalidate() { width_ = height_ = 0; }

  int width() const { return width_; }
  int height() const { return height_; }
  // Full height and width of the visible field on the near plane (Hn, Wn) and at the triad's
  // distance (H28, W28), in model units.
  double Hn() const { return hn_; }
  double Wn() const { return wn_; }
  double H28() const { return h28_; }
  double W28() const { return w28_; }

 private:
  int width_ = 0;   // device pixels
  int height_ = 0;  // device pixels
  double hn_ = 0.0, wn_ = 0.0, h28_ = 0.0, w28_ = 0.0;
};

}  // namespace plumora
