// The texts of the mission plan bar: the mission's name and one line per phase.
#pragma once

#include <string>
#include <vector>

namespace plumora {
class CPlumoraDoc;
class CMissionPhase;
}  // namespace plumora

namespace plumora::gui {

// The phase type's code: "BR", "DP", "IN", "FD" (empty for a type outside 0 to 3).
const char* PhaseTypeCode(int type);

// "k\ty\tNAME\tBR": the 1-based entry number, "y" or "n" for the active flag, the first 8
// characters of the name exactly as stored, the type code; tab-separated, as Windows-1252 bytes.
std::string PhaseListLine(int entryNumber, const CMissionPhase& phase);

// The bar's contents for a document, or for none (name "None", no lines).
struct MissionPlanText {
  std::string missionName;         // Windows-1252 bytes
  std::vector<std::string> lines;  // Windows-1252 bytes
};
MissionPlanText MissionPlanFor(const CPlumoraDoc* doc);

}  // namespace plumora::gui
