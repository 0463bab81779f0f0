// The quantities an engineer reads off a flight beside the stored ones, worked out from each sample
// and the air the run flew through: never stored in a mission or its results, computed again
// whenever they are shown or written.
#pragma once

#include <array>
#include <limits>
#include <string_view>
#include <vector>

#include "core/environment/Atmosphere.h"

namespace plumora {

class CTrajectoryStore;
struct CTrajectorySample;

// Standard gravity, the "g" decelerations are counted in whatever the planet (m/s²).
inline constexpr double kStandardGravity = 9.80665;

struct DerivedSample {
  static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

  double mach = kNone;             // –, payload's speed through the air over the speed of sound
  double dynamicPressure = kNone;  // Pa, ½ρV² of the payload's speed through the air
  double deceleration = kNone;     // g, payload speed lost per second over the step to the sample
  double descentRate = kNone;      // m/s, positive when the payload goes down
  double lineForce = kNone;        // kN, line force on the parachute; none without a parachute
};

// The derived quantities by name, in the order of their CSV columns and of the lists.
struct DerivedField {
  std::string_view csvName;
  std::string_view label;  // as lists show it
  std::string_view unit;
  double DerivedSample::*member;
};
inline constexpr std::array<DerivedField, 5> kDerivedFields = {{
    {"mach", "Mach number", "-", &DerivedSample::mach},
    {"dynamic_pressure", "Dynamic pressure", "Pa", &DerivedSample::dynamicPressure},
    {"deceleration", "Deceleration", "g", &DerivedSample::deceleration},
    {"descent_rate", "Descent rate", "m/s", &DerivedSample::descentRate},
    {"line_force", "Line force", "kN", &DerivedSample::lineForce},
}};

// The payload's velocity relative to the air at the sample's height (m/s, north, east, up): its
// velocity over the ground, rebuilt from speed, path angle and heading, less the wind.
struct AirVelocity {
  double north = 0.0;
  double east = 0.0;
  double up = 0.0;
  double SpeedSquared() const { return north * north + east * east + up * up; }
};
AirVelocity PayloadAirVelocity(const CTrajectorySample& s, const AtmosphereSample& air);

// One sample's quantities, given the air at its height and the speed lost per second over the
// step that ends at it (m/s², NaN when unknown). gammaR: ratio of specific heats × gas constant
// (J/(kg·K)); the Mach number is none where it or the temperature is not positive.
DerivedSample DeriveSample(const CTrajectorySample& s, const AtmosphereSample& air, double gammaR,
                           double speedLossRate);

// Every sample's quantities. The deceleration of a sample is the speed lost over the step that
// ends at it divided by that step's length, the first sample taking the first step's; steps of no
// length (a phase starting where the last ended) take the previous sample's value.
std::vector<DerivedSample> DeriveQuantities(const CTrajectoryStore& results,
                                            const AtmosphereTable& air,
                                            const PlanetConstants& planet,
                                            const AtmosphereScaling& scaling = {});

}  // namespace plumora
