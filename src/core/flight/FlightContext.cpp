#include "core/flight/FlightContext.h"

namespace plumora {

FlightContext FlightContextFor(const Mission& mission, const Environment& environment,
                               const AtmosphereScaling& air, RunState& run,
                               std::size_t phaseIndex) {
  return {mission,
          environment,
          air,
          run,
          phaseIndex,
          mission.ModulePosition(*mission.phases.at(phaseIndex)),
          mission.ModuleCount()};
}

}  // namespace plumora
