// Mission file names on the command line: the extension says the form, so only ".psd" and
// ".json" are taken.
#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <string>
#include <vector>

namespace plumora {
class CPlumoraDoc;
}

namespace plumora::cli {

// Refuses names that end neither in ".psd" nor in ".json" (any case).
CLI::Validator MissionFileName();

// Reads the mission as the desktop program opens it; a file of another format version opens as
// a new mission, as there, but with a warning on stderr (the command goes on). False when the
// file cannot be read (reported through the document's prompter).
bool LoadMissionOrWarn(CPlumoraDoc& doc, const std::string& path);

// The files a run of mission under base reads: the mission and every table of the base.
std::vector<std::filesystem::path> RunInputs(const std::string& mission,
                                             const std::filesystem::path& base);

}  // namespace plumora::cli
