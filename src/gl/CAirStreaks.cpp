#include "gl/CAirStreaks.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace plumora {

namespace {
constexpr int kRandomRange = 32768;  // scatter draws whole numbers 0 to 32767
}  // namespace

double WrapStreakCoordinate(double value, double halfSize) {
  if (std::fabs(value) <= halfSize) return value;
  const double side = value > 0.0 ? 1.0 : -1.0;
  return side * (std::fmod(std::fabs(value) - halfSize, 2.0 * halfSize) - halfSize);
}

void CAirStreaks::Reset(double density, double halfSize, std::uint32_t seed) {
  if (!(halfSize > 0.0)) return;
  const double volume = 8.0 * halfSize * halfSize * halfSize;
  const double wanted = std::clamp(density * volume, 0.0, static_cast<double>(kMaxStreaks));
  std::minstd_rand random(seed);
  const auto coordinate = [&] {
    const auto r = static_cast<double>(random() % kRandomRange);
    return (r * 2.0 / (kRandomRange - 1) - 1.0) * halfSize;
  };
  streaks_.assign(static_cast<std::size_t>(wanted), {});
  for (AirStreak& streak : streaks_) {
    const double x = coordinate();
    const double y = coordinate();
    const double z = coordinate();
    streak.start = streak.end = {x, y, z};
  }
  halfSize_ = halfSize;
}

void CAirStreaks::Advance(const Vec3& wind, double length) {
  const double speed = Norm(wind);
  if (speed == 0.0 || !std::isfinite(speed) || !std::isfinite(length)) return;
  const Vec3 step = wind * (length / speed);
  for (AirStreak& streak : streaks_) {
    streak.end = streak.start + step;
    // A streak that left the cube comes back in whole: both ends move by what the end moved,
    // so it never stretches across the cube.
    for (double Vec3::*axis : {&Vec3::x, &Vec3::y, &Vec3::z}) {
      const double wrapped = WrapStreakCoordinate(streak.end.*axis, halfSize_);
      streak.start.*axis += wrapped - streak.end.*axis;
      streak.end.*axis = wrapped;
    }
  }
}

void CAirStreaks::Draw(const GlFunctions& gl) {
  // Unlit, so they are black whatever the body before them left as the material.
  gl.Disable(kGlLighting);
  gl.PointSize(2.0f);
  gl.LineWidth(1.0f);
  gl.Color3f(0.0f, 0.0f, 0.0f);
  gl.Begin(kGlLines);
  for (AirStreak& streak : streaks_) {
    gl.Vertex3d(streak.start.x, streak.start.y, streak.start.z);
    gl.Vertex3d(streak.end.x, streak.end.y, streak.end.z);
    streak.start = streak.end;
  }
  gl.End();
}

}  // namespace plumora
