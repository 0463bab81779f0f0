#include "gui/logic/viewers/ManualFolder.h"

#include <algorithm>
#include <system_error>

#ifndef PLUMORA_MANUAL_FROM_DATA
// The installed manual relative to the installed data folder.
#define PLUMORA_MANUAL_FROM_DATA "../doc/plumora/manual"
#endif

namespace plumora::gui {

namespace fs = std::filesystem;

std::vector<fs::path> ManualFolderCandidates(const fs::path& dataFolder,
                                             const fs::path& installedData) {
  std::vector<fs::path> folders;
  const auto add = [&folders](const fs::path& folder) {
    const fs::path normal = folder.lexically_normal();
    if (std::find(folders.begin(), folders.end(), normal) == folders.end()) {
      folders.push_back(normal);
    }
  };
  if (!dataFolder.empty()) {
    std::error_code error;
    const fs::path data = fs::absolute(dataFolder, error);
    const fs::path& from = error ? dataFolder : data;
    add(from / PLUMORA_MANUAL_FROM_DATA);
    add(from / ".." / "docs" / "manual");
  }
  if (!installedData.empty()) add(installedData / PLUMORA_MANUAL_FROM_DATA);
  return folders;
}

std::optional<fs::path> FindManualFolder(const std::vector<fs::path>& folders) {
  for (const fs::path& folder : folders) {
    std::error_code error;
    if (fs::is_regular_file(folder / kManualIndexPage, error)) return folder;
  }
  return std::nullopt;
}

std::string ManualNotFoundText(const std::vector<fs::path>& folders) {
  std::string text = "The user manual was not found. It was looked for in:";
  for (const fs::path& folder : folders) text += "\n" + folder.string();
  return text;
}

}  // namespace plumora::gui
