// What a dispersion study keeps of each flight: where and how it came down and the worst loads on
// the way, measured from the samples the run stored.
#pragma once

#include <array>
#include <limits>
#include <string_view>

namespace plumora {

class CTrajectoryStore;
struct AtmosphereTable;
struct AtmosphereScaling;

struct FlightOutputs {
  static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

  double landingTime = kNone;          // s, time of the last sample
  double landingLatitude = kNone;      // °, of the last sample
  double landingLongitude = kNone;     // °, of the last sample
  double landingSpeed = kNone;         // m/s, payload speed of the last sample
  double peakDeceleration = kNone;     // m/s², fastest loss of payload speed between two samples
  double peakDynamicPressure = kNone;  // Pa, largest ½ρV² of the payload's speed through the air
  double maxConnectionForce = kNone;   // N, largest line force on the parachute
  double planetRadius = kNone;         // m, the planet the landing points lie on
};

// The outputs by name, in the order of the CSV columns and the summary.
struct FlightOutputField {
  std::string_view name;
  std::string_view unit;
  double FlightOutputs::*member;
};
inline constexpr std::array<FlightOutputField, 8> kFlightOutputFields = {{
    {"landing_time", "s", &FlightOutputs::landingTime},
    {"landing_latitude", "deg", &FlightOutputs::landingLatitude},
    {"landing_longitude", "deg", &FlightOutputs::landingLongitude},
    {"landing_speed", "m/s", &FlightOutputs::landingSpeed},
    {"peak_deceleration", "m/s2", &FlightOutputs::peakDeceleration},
    {"peak_dynamic_pressure", "Pa", &FlightOutputs::peakDynamicPressure},
    {"max_connection_force", "N", &FlightOutputs::maxConnectionForce},
    {"planet_radius", "m", &FlightOutputs::planetRadius},
}};

// Measures a flight from its samples. The air is the table the run flew through as its factors
// scaled it; the speed through the air takes the table's winds (north and east) off the
// payload's velocity over the ground, rebuilt from its speed, path angle and heading. The
// deceleration is the loss of speed between consecutive samples over the time between them, so
// it is an average over one output step. An empty store gives no outputs but the radius.
FlightOutputs MeasureFlight(const CTrajectoryStore& results, const AtmosphereTable& air,
                            const AtmosphereScaling& scaling, double planetRadius);

}  // namespace plumora
