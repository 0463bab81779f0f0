// The mission as JSON, for scripts and version control: every stored field under a readable key
// (docs/mission-json.md), texts in UTF-8, every double exactly as stored.
#pragma once

#include <string>
#include <string_view>

#include "core/app/MissionLayout.h"
#include "core/app/PlumoraDoc.h"

namespace plumora {

// Value of the "format" key that marks a mission, and the version of this JSON form.
inline constexpr std::string_view kMissionJsonFormat = "plumora-mission";
inline constexpr int kMissionJsonVersion = 1;

// JSON text of the mission, indented by two spaces and ending in a line feed. False, with
// problem set, when the mission cannot be stored.
bool WriteMissionJson(const CPlumoraDoc& doc, std::string& text, std::string& problem);

// Reads JSON text into doc, which must be a new document: on kRefused it may hold part of the
// text and is to be thrown away. Keys left out keep the values of a new document.
MissionReadResult ReadMissionJson(std::string_view text, CPlumoraDoc& doc);

}  // namespace plumora
