#include "cli/MissionPaths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

#include "core/app/MissionFiles.h"
#include "core/app/PlumoraDoc.h"
#include "core/common/Messages.h"
#include "core/environment/DataFolders.h"

namespace plumora::cli {

CLI::Validator MissionFileName() {
  return CLI::Validator(
      [](std::string& name) -> std::string {
        std::string extension = std::filesystem::path(name).extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extension == ".psd" || extension == ".json") return {};
        return "a mission file name must end in .psd or .json: " + name;
      },
      "MISSION(.psd|.json)");
}

bool LoadMissionOrWarn(CPlumoraDoc& doc, const std::string& path) {
  Result<MissionRead> read = ReadMissionFile(path);
  if (!read) {
    ShowError(doc.prompter(), read.error());
    return false;
  }
  if (!read->note.empty()) doc.prompter().Message(read->note, kCaptionWarning);
  doc.AdoptMission(std::move(read->mission));
  return true;
}

std::vector<std::filesystem::path> RunInputs(const std::string& mission,
                                             const std::filesystem::path& base) {
  std::vector<std::filesystem::path> inputs = ListRunTables(base);
  inputs.insert(inputs.begin(), mission);
  return inputs;
}

}  // namespace plumora::cli
