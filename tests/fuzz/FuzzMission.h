// The mission readers: whatever a reader accepts must be stored again and read back the same.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzSupport.h"
#include "core/app/MissionFiles.h"

namespace plumora::fuzz {

inline void FuzzMissionFile(std::string_view name, const std::uint8_t* data, std::size_t size) {
  const auto path = WriteInput(name, data, size);
  const Result<MissionRead> read = ReadMissionFile(path);
  if (!read) return;
  // A mission that was read can be stored, and the stored form reads back as the same mission.
  const Mission& mission = read->mission;
  const auto copy = Scratch() / (std::string("copy-") + std::string(name));
  if (!SaveMission(mission, copy)) return;  // refused by the writer, saying why: fine
  const Result<MissionRead> again = ReadMissionFile(copy);
  if (!again || !(again->mission == mission)) std::abort();
}

}  // namespace plumora::fuzz
