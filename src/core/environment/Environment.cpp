#include "core/environment/Environment.h"

#include <algorithm>

#include "core/common/Messages.h"
#include "core/environment/Aerodynamics.h"
#include "core/environment/DataFolders.h"

namespace plumora {

namespace {

std::shared_ptr<const AtmosphereTable> EmptyAtmosphere() {
  // One empty table for every environment that has none; never written.
  static const auto empty = std::make_shared<const AtmosphereTable>();
  return empty;
}

// Why no atmosphere file could be listed, after the message that says so: the folder looked in
// and what stands there.
std::string AtmFolderNotFoundMessage(const std::filesystem::path& base) {
  const std::filesystem::path folder = AtmosphereFolder(base);
  std::error_code ec;
  const auto status = std::filesystem::status(folder, ec);
  std::string why = " holds no .atm file\n";
  if (!std::filesystem::exists(status)) {
    why = " does not exist\n";
  } else if (!std::filesystem::is_directory(status)) {
    why = " is not a folder\n";
  } else if (std::filesystem::directory_iterator(folder, ec); ec) {
    why = " could not be listed\n";
  }
  return std::string(kMsgAtmFolderNotFound) + folder.string() + why;
}

}  // namespace

Result<LoadedAtmosphere> LoadAtmosphere(const std::filesystem::path& base,
                                        const EnvironmentChoice& choice) {
  const AtmosphereListing listing = ListPlanetAtmospheres(base, choice.planet, choice.atmosphere);
  if (!listing.folderListed) {
    return Fail(ErrorCode::kCannotOpen, AtmFolderNotFoundMessage(base));
  }
  if (listing.unreadable) {
    return Fail(ErrorCode::kCannotOpen, std::string(kMsgAtmFileNotOpenedDuringList));
  }
  if (listing.files.empty()) {
    return Fail(ErrorCode::kCannotOpen, NoAtmosphereFileMessage(base, choice.planet));
  }
  auto table = std::make_shared<AtmosphereTable>();
  LoadedAtmosphere loaded;
  if (auto read =
          ReadAtmosphereFile(listing.files.back().path, choice.wind != 0, *table, loaded.constants);
      !read) {
    return std::move(read).error();
  }
  loaded.table = std::move(table);
  return loaded;
}

Environment::Environment() : atmosphere_(EmptyAtmosphere()) {}

Environment::Environment(LoadedAtmosphere atmosphere)
    : atmosphere_(atmosphere.table ? std::move(atmosphere.table) : EmptyAtmosphere()),
      planet_(atmosphere.constants) {}

Result<Environment> Environment::Load(const std::filesystem::path& base,
                                      const EnvironmentChoice& choice,
                                      const std::vector<std::string>& aeroNames) {
  Result<LoadedAtmosphere> atmosphere = LoadAtmosphere(base, choice);
  if (!atmosphere) return std::move(atmosphere).error();
  Environment environment(std::move(atmosphere).value());
  for (const std::string& name : aeroNames) {
    const auto known = std::find_if(environment.aero_.begin(), environment.aero_.end(),
                                    [&](const AeroEntry& e) { return e.name == name; });
    if (known != environment.aero_.end()) continue;
    auto table = std::make_shared<AeroDatabase>();
    AeroEntry entry{name, nullptr, {}};
    if (auto read = ReadAeroFile(AeroFilePath(base, name), name, *table); read) {
      entry.table = std::move(table);
    } else {
      entry.error = std::move(read).error();
    }
    environment.aero_.push_back(std::move(entry));
  }
  return environment;
}

Result<const AeroDatabase*> Environment::AeroTable(std::string_view name) const {
  for (const AeroEntry& entry : aero_) {
    if (entry.name != name) continue;
    if (!entry.table) return entry.error;
    return entry.table.get();
  }
  return Fail(ErrorCode::kInvalid, std::string(kMsgAeroTableNotLoaded));
}

}  // namespace plumora
