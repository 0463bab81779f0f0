// The mission as JSON, for scripts and version control: every stored field under a readable key
// (docs/mission-json.md), texts in UTF-8, every double exactly as stored.
#pragma once

#include <string>
#include <string_view>

#include "core/common/Result.h"
#include "core/mission/Mission.h"

namespace plumora {

// Value of the "format" key that marks a mission, and the version of this JSON form.
inline constexpr std::string_view kMissionJsonFormat = "plumora-mission";
inline constexpr int kMissionJsonVersion = 1;

// JSON text of the mission, indented by two spaces and ending in a line feed; a kInvalid error
// when the mission cannot be stored.
Result<std::string> WriteMissionJson(const Mission& mission);

// The mission in JSON text; keys left out keep the values of a new mission. A kMalformed error
// ("is not valid JSON (line L, column C)", "does not hold a valid mission (WHERE WHAT)") when
// the text is refused, to be completed into a message naming the file.
Result<Mission> ReadMissionJson(std::string_view text);

}  // namespace plumora
