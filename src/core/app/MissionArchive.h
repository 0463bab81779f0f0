// The binary mission file (".psd"): little-endian int32 and IEEE doubles, strings as a length
// prefix and single-byte characters, the records in the order of MissionLayout.h.
#pragma once

#include <string>
#include <string_view>

#include "core/app/MissionLayout.h"
#include "core/app/PlumoraDoc.h"

namespace plumora {

// The bytes of the mission file. False, with problem set, when the mission cannot be stored.
bool WriteMissionArchive(const CPlumoraDoc& doc, std::string& bytes, std::string& problem);

// Reads the bytes of a whole mission file into doc, which must be a new document: on any result
// but kRead it may hold part of the file and is to be thrown away. Nothing is read past the
// bytes given and no length from the file is trusted before it is checked against them.
MissionReadResult ReadMissionArchive(std::string_view bytes, CPlumoraDoc& doc);

}  // namespace plumora
