// Opening and saving missions by file name: the binary ".psd" form, or JSON for names ending in
// ".json". This is what the desktop program's Open and Save and the command line use.
#pragma once

#include <filesystem>
#include <string>

#include "core/app/PlumoraDoc.h"

namespace plumora {

enum class MissionFormat { kBinary, kJson };

// JSON for names ending in ".json" (any case), the binary form for every other name.
MissionFormat MissionFormatFor(const std::filesystem::path& path);

// Reads the mission in path into doc. The file is read into a new document first and handed
// over only when all of it was read; a file that cannot be opened, is damaged or is not a valid
// mission is reported through doc's prompter (caption "error") and leaves doc as it was. A
// binary file of another format version opens as a new mission, without a message.
bool LoadMission(CPlumoraDoc& doc, const std::filesystem::path& path);

// LoadMission, telling also whether the file was of another format version and opened as a new
// mission; `note` then says so in a sentence naming the file (for front ends that warn).
enum class MissionOpened { kRead, kAsNewMission, kFailed };
MissionOpened OpenMission(CPlumoraDoc& doc, const std::filesystem::path& path, std::string& note);

// Writes doc's mission to path, replacing an existing file only once the new one is complete
// and on the disk; a device or FIFO is written in place, and a folder, block device or read-only
// file is refused. A failure is reported through doc's prompter (caption "error") and leaves any
// previous file untouched.
bool SaveMission(const CPlumoraDoc& doc, const std::filesystem::path& path);

}  // namespace plumora
