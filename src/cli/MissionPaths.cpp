#include "cli/MissionPaths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

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

}  // namespace plumora::cli
