#include "core/dispersion/FlightOutputs.h"

#include <algorithm>
#include <cmath>

#include "core/common/Constants.h"
#include "core/environment/Atmosphere.h"
#include "core/flight/DerivedQuantities.h"
#include "core/flight/TrajectoryStore.h"

namespace plumora {

namespace {

// ½ρV² with V the payload's velocity relative to the air at the sample's height.
double DynamicPressure(const CTrajectorySample& s, const AtmosphereTable& air,
                       const AtmosphereScaling& scaling, int& hint) {
  const AtmosphereSample at = QueryAtmosphere(air, s.payloadHeight, hint, scaling);
  return 0.5 * at.density * PayloadAirVelocity(s, at).SpeedSquared();
}

}  // namespace

FlightOutputs MeasureFlight(const CTrajectoryStore& results, const AtmosphereTable& air,
                            const AtmosphereScaling& scaling, double planetRadius) {
  FlightOutputs out;
  out.planetRadius = planetRadius;
  const std::vector<CTrajectorySample>& samples = results.Samples();
  if (samples.empty()) return out;
  const CTrajectorySample& last = samples.back();
  out.landingTime = last.time;
  out.landingLatitude = last.latitude;
  out.landingLongitude = last.longitude;
  out.landingSpeed = last.payloadSpeed;
  out.peakDeceleration = 0.0;
  out.peakDynamicPressure = 0.0;
  out.maxConnectionForce = 0.0;
  int hint = 0;  // consecutive samples lie in the same interval of the table or the next
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const CTrajectorySample& s = samples[i];
    out.peakDynamicPressure =
        std::max(out.peakDynamicPressure, DynamicPressure(s, air, scaling, hint));
    out.maxConnectionForce = std::max(out.maxConnectionForce, s.connectionForce);
    if (i == 0) continue;
    const double dt = s.time - samples[i - 1].time;
    if (dt > 0.0) {
      out.peakDeceleration =
          std::max(out.peakDeceleration, (samples[i - 1].payloadSpeed - s.payloadSpeed) / dt);
    }
  }
  return out;
}

}  // namespace plumora
