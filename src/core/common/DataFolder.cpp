#include "core/common/DataFolder.h"

#ifndef PLUMORA_DATA_FROM_BINARY
// The installed data relative to the folder of the installed programs.
#define PLUMORA_DATA_FROM_BINARY "../share/plumora"
#endif

namespace plumora {

namespace fs = std::filesystem;

namespace {

bool HoldsData(const fs::path& folder) {
  std::error_code error;
  return !folder.empty() && fs::is_directory(folder / "atm", error);
}

}  // namespace

fs::path InstalledDataFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error || program.empty()) return {};
  return (program.parent_path() / PLUMORA_DATA_FROM_BINARY).lexically_normal();
}

fs::path ChooseDataFolder(const fs::path& working, const fs::path& installed) {
  if (HoldsData(working) || !HoldsData(installed)) return working;
  return installed;
}

fs::path DefaultDataFolder() {
  std::error_code error;
  fs::path working = fs::current_path(error);
  if (error) working = ".";
  // The installed folder is looked for only when the working folder lacks the data.
  if (HoldsData(working)) return working;
  return ChooseDataFolder(working, InstalledDataFolder());
}

}  // namespace plumora
