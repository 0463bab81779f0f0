// Where the run-time data lives under the base folder, and how its folders are listed.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace plumora {

std::filesystem::path AtmosphereFolder(const std::filesystem::path& base);  // <base>/atm
std::filesystem::path AeroFolder(const std::filesystem::path& base);        // <base>/adf

// The regular files of folder whose names end in "." + extension (letter case ignored, as the
// data files often come from systems that ignore it), sorted in byte order of their names so
// that every machine lists them alike. Empty when the folder cannot be listed or holds none.
std::vector<std::filesystem::path> ListDataFiles(const std::filesystem::path& folder,
                                                 std::string_view extension);

// Every table a run under base may read: the .atm files of <base>/atm and the .adf files of
// <base>/adf. No output of a run may go over one of them.
std::vector<std::filesystem::path> ListRunTables(const std::filesystem::path& base);

}  // namespace plumora
