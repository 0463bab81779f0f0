// What the mission editor's phase list, the two record managers and the phase dialogs' record
// choices show: one line per entry, whole names (the lists' columns widen to them), texts as
// stored (Windows-1252 bytes), and the names of the phase and mission types.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plumora {
class CPlumoraDoc;
class CMissionPhase;
}  // namespace plumora

namespace plumora::gui {

// Tab stops of the lists, dialog units; a column is wider where its texts need it.
inline constexpr std::array<int, 3> kPhaseListTabStops = {40, 80, 180};
inline constexpr std::array<int, 2> kManagerTabStops = {80, 180};

// The choices of the mission editor, by index.
inline constexpr std::array<const char*, 2> kMissionTypeNames = {"Other", "Booster recovery"};
inline constexpr std::array<const char*, 4> kPhaseTypeNames = {"Ballistic-reentry", "Deployment",
                                                               "Inflation", "Final descent"};

// Questions and refusals of the editors.
inline constexpr std::string_view kMsgDataWillBeLost = "Are you sure? Data will be lost.";
inline constexpr std::string_view kCaptionDataWillBeLost = "Warning!";
inline constexpr std::string_view kMsgPhaseTypeNotImplemented = "Phase type not implemented.";
inline constexpr std::string_view kCaptionNotImplemented = "Sorry";

// "Ballistic-reentry" for 0 ... "Final descent" for 3; empty for any other type.
std::string PhaseTypeName(std::int32_t type);

// "  1\tyes\tNAME\tBallistic-reentry": two spaces, the 1-based entry number, "yes" or "no ", the
// name as stored, the type's name.
std::string PhaseEditorLine(int entryNumber, const CMissionPhase& phase);
std::vector<std::string> PhaseEditorLines(const CPlumoraDoc& doc);

// "  1\tNAME\tTYPE": two spaces, the 1-based position in the list (not the record's number), the
// name, the payload's type keyword or the parachute's type text.
std::string ManagerLine(int position, std::string_view name, std::string_view type);
std::vector<std::string> PayloadManagerLines(const CPlumoraDoc& doc);
std::vector<std::string> ParachuteManagerLines(const CPlumoraDoc& doc);

}  // namespace plumora::gui
