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

}  // namespace plumora
