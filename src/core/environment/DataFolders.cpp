#include "core/environment/DataFolders.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace plumora {

std::filesystem::path AtmosphereFolder(const std::filesystem::path& base) {
  return base / "atm";
}

std::filesystem::path AeroFolder(const std::filesystem::path& base) {
  return base / "adf";
}

namespace {

bool HasExtension(const std::string& name, std::string_view extension) {
  if (name.size() < extension.size() + 1) return false;
  const std::size_t dot = name.size() - extension.size() - 1;
  if (name[dot] != '.') return false;
  for (std::size_t i = 0; i < extension.size(); ++i) {
    const auto a = static_cast<unsigned char>(name[dot + 1 + i]);
    const auto b = static_cast<unsigned char>(extension[i]);
    if (std::tolower(a) != std::tolower(b)) return false;
  }
  return true;
}

}  // namespace

std::vector<std::filesystem::path> ListDataFiles(const std::filesystem::path& folder,
                                                 std::string_view extension) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return files;
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    if (HasExtension(it->path().filename().string(), extension)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
    return a.filename().string() < b.filename().string();
  });
  return files;
}

std::vector<std::filesystem::path> ListRunTables(const std::filesystem::path& base) {
  std::vector<std::filesystem::path> tables = ListDataFiles(AtmosphereFolder(base), "atm");
  for (auto& aero : ListDataFiles(AeroFolder(base), "adf")) tables.push_back(std::move(aero));
  return tables;
}

}  // namespace plumora
