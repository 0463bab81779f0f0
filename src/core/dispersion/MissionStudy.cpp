#include "core/dispersion/MissionStudy.h"

#include "core/app/RunMission.h"

namespace plumora {

Result<DispersionSetup> PrepareMissionStudy(const Mission& mission, const DispersionStudy& study,
                                            const std::filesystem::path& baseFolder) {
  Result<DispersionSetup> setup = PrepareDispersion(mission, study.variations, study.seed);
  if (!setup) return setup;
  Result<Environment> environment = LoadRunEnvironment(baseFolder, mission);
  if (!environment) return environment.error();
  setup->environment = std::move(environment).value();
  return setup;
}

RunRecord FlyNominal(const DispersionSetup& setup) {
  DispersionSetup unscattered;
  unscattered.mission = setup.mission;
  unscattered.environment = setup.environment;
  unscattered.seed = setup.seed;
  return FlyScatteredRun(unscattered, 0);
}

}  // namespace plumora
