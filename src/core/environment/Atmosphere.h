// The planet's atmosphere: density, temperature and horizontal winds tabulated against height
// with cubic splines through them, and the planet constants stored in the same file.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/Constants.h"
#include "core/common/Result.h"

namespace plumora {

// Planets by index.
inline constexpr std::int32_t kEarth = 0;
inline constexpr std::int32_t kMars = 1;
inline constexpr std::int32_t kTitan = 2;

struct AtmosphereTable {
  using Column = std::array<double, kMaxAtmospherePoints>;

  std::int32_t pointCount = 0;  // 1 to 600 once read; 0 before
  Column height{};              // m, strictly ascending
  Column lnDensity{};           // ln(kg/m³)
  Column temperature{};         // K
  Column windWE{};              // m/s, west-to-east component (towards east)
  Column windSN{};              // m/s, south-to-north component (towards north)
  // Spline second derivatives against height of the four columns above.
  Column lnDensityCurvature{};
  Column temperatureCurvature{};
  Column windWECurvature{};
  Column windSNCurvature{};
};

struct PlanetConstants {
  double c1 = 0.0;      // J/(kg·K), specific gas constant (only c1·c2 is used)
  double c2 = 0.0;      // ratio of specific heats
  double g0 = 0.0;      // m/s², surface gravity
  double radius = 0.0;  // m
  double omega = 0.0;   // rad/s, rotation about the polar axis
  double gm = 0.0;      // m³/s², radius² · g0
};

struct AtmosphereSample {
  double density = 0.0;      // kg/m³
  double temperature = 0.0;  // K
  double windWE = 0.0;       // m/s towards east
  double windSN = 0.0;       // m/s towards north
};

// Run-time factors on the air a run flies through: the density and both wind components are
// multiplied by them. A run applies them to the shared table as it queries it; they are never
// stored anywhere else.
struct AtmosphereFactors {
  double density = 1.0;  // on the density
  double wind = 1.0;     // on both wind components
};

// The factors as a query applies them: every tabulated ln density has the logarithm of the
// density factor added, every tabulated wind and wind curvature is multiplied by the wind factor,
// before the spline combines them. The results are those of a table scaled so, to the bit.
struct AtmosphereScaling {
  double lnDensity = 0.0;  // ln of the density factor
  double wind = 1.0;       // factor on both wind components

  static AtmosphereScaling Of(const AtmosphereFactors& factors);
};

// Density, temperature and winds at height h (m). Above the table the air is gone (density 0,
// top temperature, no wind); below it the first row holds. Winds below kCalmWind read as 0.
AtmosphereSample QueryAtmosphere(const AtmosphereTable& table, double h);
// The same, with the interval search starting where the last query of this caller found its
// height (see FindSplineInterval); each body an integrator flies keeps its own hint.
AtmosphereSample QueryAtmosphere(const AtmosphereTable& table, double h, int& hint);
// The air of one run: the table as its factors scale it.
AtmosphereSample QueryAtmosphere(const AtmosphereTable& table, double h, int& hint,
                                 const AtmosphereScaling& scaling);

// Planet keywords by planet index (0 EARTH, 1 MARS, 2 TITAN); empty for other indices.
std::string_view PlanetKeyword(int planet);

// One atmosphere file of a planet.
struct AtmosphereFileEntry {
  std::filesystem::path path;
  std::string description;  // line 6 as a bounded line read gives it, trailing blanks removed
};

// The atmosphere files of one planet, in the order the environment's atmosphere index counts
// them: the sorted listing of <base>/atm whose line 2 begins with the planet's keyword.
struct AtmosphereListing {
  bool folderListed = false;  // false: no .atm file could be listed at all
  bool unreadable = false;    // a listed file could not be opened: the listing ended there
  std::vector<AtmosphereFileEntry> files;
};
// With stopAfter >= 0 the listing ends once it holds the planet's file of that index.
AtmosphereListing ListPlanetAtmospheres(const std::filesystem::path& base, int planet,
                                        int stopAfter = -1);
// "There is no MARS atmosphere file in <base>/atm\n"
std::string NoAtmosphereFileMessage(const std::filesystem::path& base, int planet);

// Reads a whole atmosphere file into table and constants, winds zeroed unless withWind. On
// failure returns why (the file cannot be opened, holds too many points or is malformed) and
// leaves table and constants exactly as they were.
Result<> ReadAtmosphereFile(const std::filesystem::path& path, bool withWind,
                            AtmosphereTable& table, PlanetConstants& constants);

}  // namespace plumora
