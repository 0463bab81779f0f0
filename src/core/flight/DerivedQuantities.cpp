#include "core/flight/DerivedQuantities.h"

#include <cmath>

#include "core/common/Constants.h"
#include "core/flight/TrajectoryStore.h"

namespace plumora {

AirVelocity PayloadAirVelocity(const CTrajectorySample& s, const AtmosphereSample& air) {
  const double gamma = s.payloadPathAngle * kDegToRad;
  const double heading = s.heading * kDegToRad;
  const double horizontal = s.payloadSpeed * std::cos(gamma);
  return {horizontal * std::cos(heading) - air.windSN, horizontal * std::sin(heading) - air.windWE,
          s.payloadSpeed * std::sin(gamma)};
}

DerivedSample DeriveSample(const CTrajectorySample& s, const AtmosphereSample& air, double gammaR,
                           double speedLossRate) {
  DerivedSample d;
  const double airSpeedSquared = PayloadAirVelocity(s, air).SpeedSquared();
  const double soundSpeedSquared = gammaR * air.temperature;  // a² = γRT
  if (soundSpeedSquared > 0.0) d.mach = std::sqrt(airSpeedSquared / soundSpeedSquared);
  d.dynamicPressure = 0.5 * air.density * airSpeedSquared;
  d.deceleration = speedLossRate / kStandardGravity;
  d.descentRate = -s.payloadSpeed * std::sin(s.payloadPathAngle * kDegToRad);
  if (s.parachute) d.lineForce = s.connectionForce / 1000.0;
  return d;
}

std::vector<DerivedSample> DeriveQuantities(const CTrajectoryStore& results,
                                            const AtmosphereTable& air,
                                            const PlanetConstants& planet,
                                            const AtmosphereScaling& scaling) {
  const std::vector<CTrajectorySample>& samples = results.Samples();
  std::vector<DerivedSample> derived;
  derived.reserve(samples.size());
  const double gammaR = planet.c1 * planet.c2;
  const auto lossRate = [&](std::size_t i) {  // over the step ending at sample i ≥ 1
    const double dt = samples[i].time - samples[i - 1].time;
    return dt > 0.0 ? (samples[i - 1].payloadSpeed - samples[i].payloadSpeed) / dt : std::nan("");
  };
  int hint = 0;  // consecutive samples lie in the same interval of the table or the next
  double rate = samples.size() > 1 ? lossRate(1) : 0.0;
  if (std::isnan(rate)) rate = 0.0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (i > 0) {
      const double step = lossRate(i);
      if (!std::isnan(step)) rate = step;
    }
    const AtmosphereSample at = QueryAtmosphere(air, samples[i].payloadHeight, hint, scaling);
    derived.push_back(DeriveSample(samples[i], at, gammaR, rate));
  }
  return derived;
}

}  // namespace plumora
