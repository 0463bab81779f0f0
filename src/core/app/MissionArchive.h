// The binary mission file (".psd"): little-endian int32 and IEEE doubles, strings as a length
// prefix and single-byte characters, the records in the order of MissionLayout.h.
#pragma once

#include <string>
#include <string_view>

#include "core/common/Result.h"
#include "core/mission/Mission.h"

namespace plumora {

// The bytes of the mission file; a kInvalid error when the mission cannot be stored.
Result<std::string> WriteMissionArchive(const Mission& mission);

// The mission in the bytes of a whole mission file. A file of another format version gives a
// kUnsupported error naming the version ("is of format version 5, not 6"), a damaged one a
// kMalformed error ("WHAT (byte N)"); either is to be completed into a message naming the file.
// Nothing is read past the bytes given and no length from the file is trusted before it is
// checked against them.
Result<Mission> ReadMissionArchive(std::string_view bytes);

}  // namespace plumora
