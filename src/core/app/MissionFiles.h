// Opening and saving missions by file name: the binary ".psd" form, or JSON for names ending in
// ".json". This is what the desktop program's Open and Save and the command line use.
#pragma once

#include <filesystem>
#include <string>

#include "core/common/Result.h"
#include "core/mission/Mission.h"

namespace plumora {

class CPlumoraDoc;

enum class MissionFormat { kBinary, kJson };

// JSON for names ending in ".json" (any case), the binary form for every other name.
MissionFormat MissionFormatFor(const std::filesystem::path& path);

// The mission in the file. A binary file of another format version reads as a new mission, with
// a note saying so in a sentence naming the file (for front ends that warn). A file that cannot
// be opened, is damaged or is not a valid mission gives an error whose message names the file:
// "The mission file PATH WHAT (DETAIL)\n".
struct MissionRead {
  Mission mission;
  std::string note;  // empty when the file was read as it stands
};
Result<MissionRead> ReadMissionFile(const std::filesystem::path& path);

// Reads the mission in path into doc (AdoptMission); on failure doc stays as it was and the
// error says why. A binary file of another format version opens as a new mission, without a word.
Result<> LoadMission(CPlumoraDoc& doc, const std::filesystem::path& path);

// Writes the mission to path, replacing an existing file only once the new one is complete and
// on the disk; a device or FIFO is written in place, and a folder, block device or read-only
// file is refused. On failure any previous file is untouched and the error's message names the
// file: "The mission file PATH could not be saved (REASON)\n".
Result<> SaveMission(const Mission& mission, const std::filesystem::path& path);

}  // namespace plumora
