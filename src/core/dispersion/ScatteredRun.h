// One flight of a dispersion study: the mission copied afresh, its scattered inputs drawn from
// the run's own random stream, flown whole through the study's environment, and measured.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Result.h"
#include "core/dispersion/FlightOutputs.h"
#include "core/dispersion/Variation.h"
#include "core/environment/Environment.h"
#include "core/mission/Mission.h"

namespace plumora {

class CTrajectoryStore;

// How a run ended.
enum class RunEnd {
  kLanded,  // every computed phase ended normally, the payload at or below the ground
  kAloft,   // every computed phase ended normally, the last one by its own stop above the ground
  kFailed,  // a phase ended with an error, or a drawn input made no sense
};
// "landed", "aloft", "failed": the words of the CSV's end column.
std::string_view RunEndName(RunEnd end);

// What every run of a study starts from. The runs read it and never change it, so any number of
// threads may fly runs of one setup at once.
struct DispersionSetup {
  Mission mission;          // as every run copies it, with no flip remembered
  Environment environment;  // read once for the whole study (LoadRunEnvironment)
  std::uint64_t seed = 0;
  std::vector<Variation> variations;
};

// Checks the mission (it has a computed phase) and the variations against it (each input scattered
// once, every payload and parachute named there present); a kInvalid error saying what is wrong
// otherwise. The setup's environment is left empty, for the caller to load once.
Result<DispersionSetup> PrepareDispersion(const Mission& mission, std::vector<Variation> variations,
                                          std::uint64_t seed);

// One run's flight as the study draws it from the run's own stream: a copy of the study's mission
// with the run's inputs, and its factors on the air.
struct ScatteredFlight {
  Mission mission;
  AtmosphereFactors air;
  std::vector<double> inputs;  // the value flown for each variation, in their order
  Result<> flyable;            // a kInvalid error when a drawn value makes no sense
};
ScatteredFlight DrawScatteredFlight(const DispersionSetup& setup, std::int64_t run);

struct RunRecord {
  std::int64_t run = 0;
  std::vector<double> inputs;  // the value flown for each variation, in their order
  RunEnd end = RunEnd::kFailed;
  FlightOutputs outputs;
  std::string message;  // the first message the run showed, on one line; empty when none
};

// Flies run `run` of the study. Nothing is shown; questions (a parachute flip) are answered by
// going on, and the record keeps the first message the run would have shown. A store given as
// scratch lends the run its samples' memory and gets it back afterwards, so that a thread flying
// run after run does not grow a new store every time.
RunRecord FlyScatteredRun(const DispersionSetup& setup, std::int64_t run,
                          CTrajectoryStore* scratch = nullptr);

}  // namespace plumora
