// Numeric constants and capacities shared by the whole engine. Every conversion factor and table
// size lives here so that the models, the readers and the front ends agree on them.
#pragma once

namespace plumora {

// Angle conversions, with the digits the stored missions were computed with.
inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130823;
// 2π as the bridle-leg geometry writes it.
inline constexpr double kTwoPi = 6.28318530717958;
inline constexpr double kHalfPi = 1.570796326794895;
inline constexpr double kPi = 3.14159265358979;

// Capacities of the fixed tables.
inline constexpr int kMaxAtmospherePoints = 600;
inline constexpr int kMaxMachValues = 15;
inline constexpr int kMaxAngles = 100;
inline constexpr int kMaxLegs = 50;
// A phase stops with an error once the results store's last index reaches this value.
inline constexpr int kMaxSampleIndex = 32000;

// Cubic splines: an end slope above this value asks for a natural end (zero curvature).
inline constexpr double kNaturalSplineSlope = 9.9e29;
inline constexpr double kOneSixth = 0.16666666666666666;

// The variable-step integrators give up a call after this many internal steps.
inline constexpr int kDepacMaxStepsPerCall = 500;

// Text data files are read line by line with a bounded read of this many characters.
inline constexpr int kLineReadLimit = 99;

// Winds weaker than this are reported as calm (m/s).
inline constexpr double kCalmWind = 0.001;

}  // namespace plumora
