// Where the user manual is read from: beside the data folder the program uses, as the install
// rules and the source tree lay it out, or beside the installed data.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plumora::gui {

// The manual's first page, in every folder that holds the manual.
inline constexpr const char* kManualIndexPage = "index.md";

// The folders that may hold the manual, in the order they are tried: the installed
// documentation beside dataFolder (share/doc/plumora/manual beside share/plumora), docs/manual
// beside it (the source tree, whose data/ sits beside docs/), then the installed documentation
// beside installedData (the program's own installation, when dataFolder is elsewhere). Empty
// folders are left out; a folder is listed once.
std::vector<std::filesystem::path> ManualFolderCandidates(
    const std::filesystem::path& dataFolder, const std::filesystem::path& installedData);

// The first of folders that holds the manual's first page; nothing when none does.
std::optional<std::filesystem::path> FindManualFolder(
    const std::vector<std::filesystem::path>& folders);

// What the user reads when no folder holds the manual: every folder looked in, one a line.
std::string ManualNotFoundText(const std::vector<std::filesystem::path>& folders);

}  // namespace plumora::gui
