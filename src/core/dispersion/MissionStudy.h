// A dispersion study flown for a mission document, as the desktop program and its snapshots fly
// it: the setup built from the mission and its study, the outcome, and the nominal (unscattered)
// flight beside it, whose landing the scatter marks.
#pragma once

#include <filesystem>
#include <optional>

#include "core/common/Result.h"
#include "core/dispersion/DispersionStudy.h"
#include "core/dispersion/ScatteredRun.h"
#include "core/dispersion/StudyRunner.h"

namespace plumora {

struct FlownStudy {
  DispersionStudy study;  // as it was flown
  StudyOutcome outcome;
  std::optional<RunRecord> nominal;  // the flight with nothing scattered, when it was flown
};

// The setup of the study of a mission: the variations checked against the mission
// (PrepareDispersion) and the tables read once from under baseFolder (LoadRunEnvironment). The
// error says what stands in the way.
Result<DispersionSetup> PrepareMissionStudy(const Mission& mission, const DispersionStudy& study,
                                            const std::filesystem::path& baseFolder);

// The mission of the setup flown as it stands, nothing scattered (run 0 of a study without
// variations), through the same tables as the study's runs.
RunRecord FlyNominal(const DispersionSetup& setup);

}  // namespace plumora
