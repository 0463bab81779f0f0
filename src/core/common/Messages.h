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

}  // namespace plumora
