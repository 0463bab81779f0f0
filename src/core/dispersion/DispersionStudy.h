// A dispersion study as a file of its own, kept beside its mission (NAME.dispersions.json beside
// NAME.psd): what scatters and how, how many runs, the seed and the threads. The command line
// flies it as it stands (dispersions --study FILE) and the desktop program sets it up, so a study
// prepared at a desk runs unchanged on a cluster.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Result.h"
#include "core/dispersion/Variation.h"

namespace plumora {

inline constexpr std::string_view kDispersionStudyFormat = "plumora-dispersions-study";
inline constexpr int kDispersionStudyVersion = 1;
// What a mission's study file adds to the mission's name without its extension.
inline constexpr std::string_view kDispersionStudySuffix = ".dispersions.json";
// The most threads a study asks for, as --threads allows.
inline constexpr int kMaxStudyThreads = 4096;
// A study file is a few hundred bytes; anything far beyond that is not one.
inline constexpr std::uintmax_t kMaxStudyFileBytes = 1 << 20;

struct DispersionStudy {
  std::vector<Variation> variations;  // in the order of the CSV's columns
  std::int64_t runs = 1;              // 1 to 2⁶³ − 1
  std::uint64_t seed = 0;
  int threads = 0;  // runs flown at once; 0 for one per core
};

// The study file of a mission: "dir/mars-entry.psd" gives "dir/mars-entry.dispersions.json".
std::filesystem::path DispersionStudyPath(const std::filesystem::path& mission);

// The study as JSON: keys in a fixed order, numbers with full precision, indented by two spaces
// and ending in a line feed.
std::string DispersionStudyJson(const DispersionStudy& study);

// The study in JSON text. A kMalformed error saying where and what ("/vary/2/sigma must be a
// number of at least 0") when the text is not a study: unknown keys, a missing "runs", a field
// scattered twice and a distribution that cannot be drawn from are all refused.
Result<DispersionStudy> ReadDispersionStudy(std::string_view text);

// The study in a file; errors name the file ("The file F is not a dispersion study (…)").
Result<DispersionStudy> LoadDispersionStudy(const std::filesystem::path& path);

// Writes the study to path as every output is written (WriteOutputFile); a kCannotWrite error
// naming the file when it cannot be.
Result<> SaveDispersionStudy(const std::filesystem::path& path, const DispersionStudy& study);

}  // namespace plumora
