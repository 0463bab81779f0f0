#include "gl/SceneFraming.h"

#include <algorithm>
#include <cmath>

#include "core/common/Constants.h"
#include "gl/ViewProjection.h"

namespace plumora {

namespace {

// tan of half the vertical field of view.
double HalfFieldSlope() {
  return std::tan(0.5 * kFieldOfView * kDegToRad);
}

}  // namespace

double StreakLength(double speed, double distance) {
  const double share =
      speed >= 0.0 ? std::clamp(kStreakSharePerMps * speed, kStreakShareMin, kStreakShareMax)
                   : kStreakShareMin;
  return share * 2.0 * distance * HalfFieldSlope();
}

}  // namespace plumora
