// The mission readers: whatever a reader accepts must be stored again and read back the same.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzSupport.h"
#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"

namespace plumora::fuzz {

inline void FuzzMissionFile(std::string_view name, const std::uint8_t* data, std::size_t size) {
  const auto path = WriteInput(name, data, size);
  CPlumoraDoc doc;
  if (!LoadMission(doc, path)) return;
  // A mission that was read can be stored, and the stored form reads back.
  const auto copy = Scratch() / (std::string("copy-") + std::string(name));
  if (!SaveMission(doc, copy)) return;  // refused by the writer with a message: fine
  CPlumoraDoc again;
  if (!LoadMission(again, copy)) std::abort();
}

}  // namespace plumora::fuzz
