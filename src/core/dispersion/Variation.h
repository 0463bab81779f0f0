// What a dispersion study scatters: one input of the mission (or a run-time factor on its air)
// and the distribution its value is drawn from, as written on the command line: FIELD=DIST.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/Result.h"

namespace plumora {

// The inputs that can be scattered.
enum class ScatteredInput {
  kHeight,         // initial state, m
  kSpeed,          // initial state, m/s (the payload's and the parachute's alike)
  kPathAngle,      // initial state, ° (the payload's and the parachute's alike)
  kHeading,        // initial state, °
  kLatitude,       // initial state, °
  kLongitude,      // initial state, °
  kRoll,           // initial state, payload roll, °
  kPitch,          // initial state, payload pitch, °
  kYaw,            // initial state, payload yaw, °
  kPayloadMass,    // kg, the payload with the variation's number
  kParachuteMass,  // kg, the parachute with the variation's number
  kParachuteArea,  // m², the parachute with the variation's number
  kDensityFactor,  // run-time factor on the atmosphere's density, stored value 1
  kWindFactor,     // run-time factor on the atmosphere's winds, stored value 1
};

enum class DrawKind {
  kNormal,       // normal(MEAN,SIGMA), added to the stored value
  kUniform,      // uniform(LOW,HIGH), added to the stored value
  kScaleNormal,  // scale-normal(MEAN,SIGMA), multiplying the stored value
};

struct Distribution {
  DrawKind kind = DrawKind::kNormal;
  double first = 0.0;   // the mean, or the low end of a uniform draw
  double second = 0.0;  // the standard deviation (≥ 0), or the high end of a uniform draw
};

struct Variation {
  ScatteredInput input = ScatteredInput::kHeight;
  std::int32_t number = 0;  // the payload's or parachute's number, for the record fields
  std::string name;         // how the field is written: "height", "parachute.0.area", ...
  Distribution distribution;
};

// The fields that can be scattered, as a list for messages and help texts.
std::string_view ScatterableFields();

// The variation of a field named as on the command line ("height", "payload.0.mass"), its
// distribution left at the default; a kInvalid error naming the known fields otherwise.
Result<Variation> VariationOfField(std::string_view field);

// "normal", "uniform", "scale-normal": the distributions' names, and the kind of a name.
std::string_view DrawKindName(DrawKind kind);
bool DrawKindNamed(std::string_view name, DrawKind& kind);

// What makes a distribution impossible to draw from.
enum class DistributionFault {
  kNone,
  kNotFinite,          // a parameter is NaN or infinite
  kNegativeDeviation,  // normal or scale-normal with SIGMA < 0
  kLowAboveHigh,       // uniform with LOW > HIGH
};
DistributionFault FindDistributionFault(const Distribution& distribution);

// Reads FIELD=DIST. A kInvalid error with a sentence naming what is wrong when the field is
// unknown or the distribution is malformed, not finite, has a negative standard deviation or a
// low end above its high end.
Result<Variation> ParseVariation(std::string_view text);

// The value flown: the stored value with the draw added (normal, uniform) or multiplying it
// (scale-normal). standardNormal and unit are the stream's numbers for this input and run: a
// standard normal deviate and a uniform number in (0, 1).
double ScatterValue(double stored, const Distribution& distribution, double standardNormal,
                    double unit);

// The inputs that must stay positive to make sense (masses, area, density factor).
bool MustBePositive(ScatteredInput input);

}  // namespace plumora
