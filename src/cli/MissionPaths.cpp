#include "cli/MissionPaths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

#include "core/app/MissionFiles.h"
#include "core/common/Messages.h"

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
  std::string note;
  const MissionOpened opened = OpenMission(doc, path, note);
  if (opened == MissionOpened::kAsNewMission) doc.prompter().Message(note, kCaptionWarning);
  return opened != MissionOpened::kFailed;
}

}  // namespace plumora::cli
