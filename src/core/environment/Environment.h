// The planet a mission flies at, loaded once: the atmosphere table with its planet constants and
// the aerodynamic tables the mission's payloads fly with. An Environment never changes once
// loaded; its tables are shared by every copy, so any number of runs, on any number of threads,
// fly through one of them at once. What a run changes of the air (its density and wind factors)
// it applies as it queries (AtmosphereScaling), never to the tables.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Result.h"
#include "core/environment/AeroDatabase.h"
#include "core/environment/Atmosphere.h"

namespace plumora {

// Which air a mission flies through, as its settings choose it.
struct EnvironmentChoice {
  std::int32_t planet = kEarth;  // kEarth, kMars, kTitan
  std::int32_t atmosphere = 0;   // which atmosphere file of the planet, in listing order
  std::int32_t wind = 0;         // 1: winds from the file; 0: calm air

  bool operator==(const EnvironmentChoice&) const = default;
};

// One atmosphere file as read: its table (never changed again) and the planet constants.
struct LoadedAtmosphere {
  std::shared_ptr<const AtmosphereTable> table;
  PlanetConstants constants;
};

// Reads the atmosphere file the choice selects among <base>/atm/*.atm: the files whose line 2
// begins with the planet's keyword, counted in listing order; when there are fewer than the
// index asks for, the planet's last file. Another planet's air is never used. Fails with the
// listing's or the reader's message when no file can be listed, a listed file cannot be opened,
// the planet has no file, or the chosen file cannot be read.
Result<LoadedAtmosphere> LoadAtmosphere(const std::filesystem::path& base,
                                        const EnvironmentChoice& choice);

class Environment {
 public:
  // No tables yet: the air is empty and no aerodynamic table is known.
  Environment();
  // The atmosphere alone.
  explicit Environment(LoadedAtmosphere atmosphere);

  // The atmosphere of the choice and the aerodynamic tables named (an empty name is the default
  // file), each read once. An atmosphere that cannot be read fails the load. An aerodynamic table
  // that cannot be read is kept as its error: the phase that would fly it reports it when it
  // starts, as it always has, and a mission whose phases never get there flies on.
  static Result<Environment> Load(const std::filesystem::path& base,
                                  const EnvironmentChoice& choice,
                                  const std::vector<std::string>& aeroNames);

  const AtmosphereTable& atmosphere() const { return *atmosphere_; }
  const PlanetConstants& planet() const { return planet_; }
  bool HasAtmosphere() const { return atmosphere_->pointCount > 0; }

  // The aerodynamic table of that name, or why it could not be read (or that it was never
  // asked for).
  Result<const AeroDatabase*> AeroTable(std::string_view name) const;

 private:
  struct AeroEntry {
    std::string name;
    std::shared_ptr<const AeroDatabase> table;  // null when it could not be read
    Error error;                                // why, then
  };

  std::shared_ptr<const AtmosphereTable> atmosphere_;
  PlanetConstants planet_;
  std::vector<AeroEntry> aero_;
};

}  // namespace plumora
