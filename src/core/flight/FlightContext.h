// What a computed phase sees of its mission while it flies: the records it may fly, the
// environment read for the run, the solver settings, where its samples go, and the front end
// that hears its messages and progress. The run sequencing fills it for each phase.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "core/common/ProgressSink.h"
#include "core/common/Prompter.h"
#include "core/environment/Atmosphere.h"
#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"
#include "core/mission/SolverSettings.h"

namespace plumora {

struct FlightContext {
  const std::vector<std::shared_ptr<CPayload>>& payloads;
  const std::vector<std::shared_ptr<CParachute>>& parachutes;
  const AtmosphereTable& atmosphere;
  const PlanetConstants& planet;
  const std::filesystem::path& baseFolder;  // atm/ and adf/ are looked up under it
  SolverSettings solver;
  CTrajectoryStore& results;
  Prompter& prompter;
  ProgressSink& progress;
  int phasePosition = 0;  // 1-based place of the phase among the computed phases
  int phaseCount = 0;     // computed phases of the mission

  std::shared_ptr<CPayload> FindPayload(std::int32_t number) const {
    return FindByNumber(payloads, number);
  }
  std::shared_ptr<CParachute> FindParachute(std::int32_t number) const {
    return FindByNumber(parachutes, number);
  }
};

}  // namespace plumora
