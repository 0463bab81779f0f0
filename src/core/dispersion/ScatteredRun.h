// One flight of a dispersion study: the mission copied afresh, its scattered inputs drawn from
// the run's own random stream, flown whole, and measured.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/dispersion/FlightOutputs.h"
#include "core/dispersion/Variation.h"

namespace plumora {

class CPlumoraDoc;
class CTrajectoryStore;

// How a run ended.
enum class RunEnd {
  kLanded,  // every computed phase ended normally, the payload at or below the ground
  kAloft,   // every computed phase ended normally, the last one by its own stop above the ground
  kFailed,  // a phase ended with an error, or a drawn input made no sense
};
// "landed", "aloft", "failed": the words of the CSV's end column.
std::string_view RunEndName(RunEnd end);

// What every run of a study starts from.
struct DispersionSetup {
  std::string missionBytes;  // the mission as its file stores it
  std::filesystem::path baseFolder;
  std::uint64_t seed = 0;
  std::vector<Variation> variations;
};

// Checks the mission (it has a computed phase) and the variations against it (each input scattered
// once, every payload and parachute named there present) and fills setup. False with problem set
// otherwise.
bool PrepareDispersion(const CPlumoraDoc& mission, std::vector<Variation> variations,
                       std::uint64_t seed, DispersionSetup& setup, std::string& problem);

struct RunRecord {
  std::int64_t run = 0;
  std::vector<double> inputs;  // the value flown for each variation, in their order
  RunEnd end = RunEnd::kFailed;
  FlightOutputs outputs;
  std::string message;  // the first message the run showed, on one line; empty when none
};

// Flies run `run` of the study. Questions (a parachute flip) are answered by going on. A store
// given as scratch lends the run its samples' memory and gets it back afterwards, so that a
// thread flying run after run does not grow a new store every time.
RunRecord FlyScatteredRun(const DispersionSetup& setup, std::int64_t run,
                          CTrajectoryStore* scratch = nullptr);

}  // namespace plumora
