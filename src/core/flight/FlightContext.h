// What a computed phase sees while it flies: the mission (its records and solver settings), the
// environment loaded for the run with the run's own factors on its air, the run's state (hand-over
// record, results, flip memory, front end), and which phase it is. The run sequencing fills it for
// each phase.
#pragma once

#include <cstddef>
#include <memory>

#include "core/environment/Atmosphere.h"
#include "core/environment/Environment.h"
#include "core/flight/RunState.h"
#include "core/mission/Mission.h"

namespace plumora {

struct FlightContext {
  const Mission& mission;
  const Environment& environment;
  AtmosphereScaling air;  // the run's factors on the environment's density and winds
  RunState& run;
  std::size_t phaseIndex = 0;  // the phase flown, by its place in the mission's list
  int phasePosition = 0;       // 1-based place of the phase among the computed phases
  int phaseCount = 0;          // computed phases of the mission

  const SolverSettings& solver() const { return mission.solver; }
  const PlanetConstants& planet() const { return environment.planet(); }
  CTrajectoryStore& results() const { return run.results; }
  std::shared_ptr<CPayload> FindPayload(std::int32_t number) const {
    return mission.FindPayload(number);
  }
  std::shared_ptr<CParachute> FindParachute(std::int32_t number) const {
    return mission.FindParachute(number);
  }
};

// The context of phase `phaseIndex` of mission in a run.
FlightContext FlightContextFor(const Mission& mission, const Environment& environment,
                               const AtmosphereScaling& air, RunState& run, std::size_t phaseIndex);

}  // namespace plumora
