// The airflow streaks around a vehicle: short line segments scattered in a cube about the
// vehicle that drift with the air past it, so that the eye sees which way the air moves and how
// the vehicle turns in it. Each frame moves every streak along the wind by the length the scene
// asks for and draws it from where it was to where it is; a streak that leaves the cube comes
// back in on the opposite face.
#pragma once

#include <cstdint>
#include <vector>

#include "core/common/Vec3.h"
#include "gl/GlFunctions.h"

namespace plumora {

inline constexpr int kMaxStreaks = 2000;
// The field the 3D views share: 0.001 streaks per cubic unit in a cube of half-size 25.
inline constexpr double kStreakDensity = 0.001;
inline constexpr double kStreakHalfSize = 25.0;

struct AirStreak {
  Vec3 start;  // model units
  Vec3 end;    // model units
};

// One wrap of a coordinate that left [-L, L]: it re-enters from the opposite face, as far
// inside as it had gone out (25.5 with L = 25 becomes -24.5). Coordinates inside stay.
double WrapStreakCoordinate(double value, double halfSize);

class CAirStreaks {
 public:
  // Scatters int(density · (2 halfSize)³) streaks, at most kMaxStreaks, evenly over the cube
  // [-halfSize, halfSize]³, from a fixed seed so the same field comes back every time. Does
  // nothing unless halfSize > 0.
  void Reset(double density, double halfSize, std::uint32_t seed = 1);

  // The air moved towards wind: every streak's end is its start moved `length` model units along
  // the wind's direction, and a streak whose end left the cube is carried back in as a whole. No
  // wind leaves the streaks where they are.
  void Advance(const Vec3& wind, double length);
  // Draws each streak as a black line from start to end in the current frame, then starts the
  // next one where this one ended.
  void Draw(const GlFunctions& gl);

  const std::vector<AirStreak>& streaks() const { return streaks_; }
  double halfSize() const { return halfSize_; }

 private:
  std::vector<AirStreak> streaks_;
  double halfSize_ = 0.0;  // model units
};

}  // namespace plumora
