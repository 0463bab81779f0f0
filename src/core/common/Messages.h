// Texts and captions of the messages the engine shows to the user. Each text is defined once
// here and used from here, byte for byte (including the trailing line feeds).
#pragma once

#include <string_view>

namespace plumora {

// Captions.
inline constexpr std::string_view kCaptionError = "error";
inline constexpr std::string_view kCaptionWarning = "warning";

// Atmosphere files.
inline constexpr std::string_view kMsgAtmFolderNotFound =
    "atm folder not found in readatmosphere\n";
inline constexpr std::string_view kMsgAtmFileNotOpenedDuringList =
    "Atmospheric file not opened during readatmosphere\n";
inline constexpr std::string_view kMsgAtmFileNotOpened = "The atmospheric file was not opened\n";
// printf format, formatted with the table capacity.
inline constexpr const char* kFmtTooManyAtmPoints = "Too much atmospheric data point (MAX=%d)\n";

// Aerodynamic files. The file name stands between the two parts of the first message (nothing
// for the default file) and after the next two.
inline constexpr std::string_view kMsgAeroFileNotOpenedBefore = "The ";
inline constexpr std::string_view kMsgAeroFileNotOpenedAfter =
    " aerodynamic data file was not opened\n";
inline constexpr std::string_view kMsgTooManyMachPoints = "Too much mach points in ";
inline constexpr std::string_view kMsgTooManyAnglePoints = "Too much angles points in ";
inline constexpr std::string_view kMsgNonAxisymmetric =
    "Sorry, no support for non-axisymmetric bodies yet";

// What is wrong with a refused data file (see DataFileMessage).
inline constexpr std::string_view kMsgFileEndsEarly =
    "ends early or holds something other than a number where a number must stand";

// Mission files. Every message about one reads "The mission file PATH WHAT (DETAIL)\n", put
// together from the pieces below (core/app/MissionFiles.cpp).
inline constexpr std::string_view kMissionFileFilter = "Plumora File (*.psd)";
inline constexpr std::string_view kMsgMissionFile = "The mission file ";
inline constexpr std::string_view kMsgMissionNotOpened = "could not be opened";
inline constexpr std::string_view kMsgMissionNotSaved = "could not be saved";
inline constexpr std::string_view kMsgMissionEndsEarly = "ends early";
inline constexpr std::string_view kMsgMissionNegativeCount = "holds a negative count";
inline constexpr std::string_view kMsgMissionLegCount =
    "holds a payload with bridle legs whose leg count is outside 0 to 50";
inline constexpr std::string_view kMsgMissionStringForm =
    "holds a string length of a form this program does not write";
inline constexpr std::string_view kMsgMissionNotJson = "is not valid JSON";
inline constexpr std::string_view kMsgMissionJsonInvalid = "does not hold a valid mission";
// Why a mission cannot be stored; the payload's number follows.
inline constexpr std::string_view kMsgUnstorableLegCount =
    "bridle leg count outside 0 to 50 in payload number ";

}  // namespace plumora
