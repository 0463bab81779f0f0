#include "core/dispersion/DispersionStudy.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <system_error>
#include <utility>

#include "core/common/FileIO.h"

namespace plumora {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kFormatKey = "format";
constexpr const char* kVersionKey = "format_version";
constexpr const char* kRunsKey = "runs";
constexpr const char* kSeedKey = "seed";
constexpr const char* kThreadsKey = "threads";
constexpr const char* kVaryKey = "vary";
constexpr const char* kFieldKey = "field";
constexpr const char* kDistributionKey = "distribution";
constexpr const char* kMeanKey = "mean";
constexpr const char* kSigmaKey = "sigma";
constexpr const char* kLowKey = "low";
constexpr const char* kHighKey = "high";

// The keys of a distribution's two parameters.
std::pair<const char*, const char*> ParameterKeys(DrawKind kind) {
  return kind == DrawKind::kUniform ? std::pair{kLowKey, kHighKey} : std::pair{kMeanKey, kSigmaKey};
}

// Why the study was refused: where in the text (a JSON pointer) and what is wrong there.
struct Refusal {
  std::string where;
  std::string what;
};

// A whole number from low to high, written with or without a fraction of zero.
bool WholeNumber(const Json& j, std::uint64_t low, std::uint64_t high, std::uint64_t& value) {
  if (j.is_number_unsigned()) {
    value = j.get<std::uint64_t>();
  } else if (j.is_number_float()) {
    const double v = j.get<double>();
    // 2⁶⁴ itself is the first double beyond the range.
    if (!(v >= 0.0 && v < 18446744073709551616.0) || v != std::trunc(v)) return false;
    value = static_cast<std::uint64_t>(v);
  } else {
    return false;
  }
  return value >= low && value <= high;
}

// Refuses any key of the object outside the known ones.
std::optional<Refusal> UnknownKey(const Json& object, const std::string& where,
                                  std::initializer_list<std::string_view> known) {
  for (const auto& [key, value] : object.items()) {
    if (std::find(known.begin(), known.end(), key) == known.end()) {
      return Refusal{where + "/" + key, "is not a key of a dispersion study"};
    }
  }
  return std::nullopt;
}

std::optional<Refusal> ReadNumber(const Json& entry, const char* key, const std::string& where,
                                  double& value) {
  const auto it = entry.find(key);
  if (it == entry.end()) return Refusal{where + "/" + key, "is missing"};
  if (!it->is_number()) return Refusal{where + "/" + key, "must be a number"};
  value = it->get<double>();
  return std::nullopt;
}

// One entry of "vary": {"field": F, "distribution": D, and its two parameters}.
std::optional<Refusal> ReadVariation(const Json& entry, const std::string& where, Variation& v) {
  if (!entry.is_object()) return Refusal{where, "must be an object"};
  const auto field = entry.find(kFieldKey);
  if (field == entry.end() || !field->is_string()) {
    return Refusal{where + "/" + kFieldKey, "must be the name of a field"};
  }
  Result<Variation> named = VariationOfField(field->get_ref<const std::string&>());
  if (!named) return Refusal{where + "/" + kFieldKey, "names an " + named.message()};
  v = std::move(named).value();
  const auto kind = entry.find(kDistributionKey);
  if (kind == entry.end() || !kind->is_string() ||
      !DrawKindNamed(kind->get_ref<const std::string&>(), v.distribution.kind)) {
    return Refusal{where + "/" + kDistributionKey,
                   "must be \"normal\", \"uniform\" or \"scale-normal\""};
  }
  const auto [firstKey, secondKey] = ParameterKeys(v.distribution.kind);
  if (auto refused = UnknownKey(entry, where, {kFieldKey, kDistributionKey, firstKey, secondKey})) {
    return refused;
  }
  if (auto refused = ReadNumber(entry, firstKey, where, v.distribution.first)) return refused;
  if (auto refused = ReadNumber(entry, secondKey, where, v.distribution.second)) return refused;
  switch (FindDistributionFault(v.distribution)) {
    case DistributionFault::kNone:
      return std::nullopt;
    case DistributionFault::kNotFinite:  // the parser gives no infinities
      return Refusal{where, "must have finite parameters"};
    case DistributionFault::kNegativeDeviation:
      return Refusal{where + "/" + secondKey, "must be a number of at least 0"};
    case DistributionFault::kLowAboveHigh:
      return Refusal{where + "/" + firstKey, "must not lie above \"high\""};
  }
  return std::nullopt;
}

std::optional<Refusal> ReadVariations(const Json& list, std::vector<Variation>& variations) {
  const std::string where = std::string("/") + kVaryKey;
  if (!list.is_array()) return Refusal{where, "must be a list"};
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string at = where + "/" + std::to_string(i);
    Variation v;
    if (auto refused = ReadVariation(list[i], at, v)) return refused;
    const auto same = [&](const Variation& other) { return other.name == v.name; };
    if (std::any_of(variations.begin(), variations.end(), same)) {
      return Refusal{at + "/" + kFieldKey, "scatters " + v.name + " a second time"};
    }
    variations.push_back(std::move(v));
  }
  return std::nullopt;
}

std::optional<Refusal> ReadStudy(const Json& root, DispersionStudy& study) {
  if (!root.is_object()) return Refusal{"", "must be an object"};
  if (auto refused = UnknownKey(
          root, "", {kFormatKey, kVersionKey, kRunsKey, kSeedKey, kThreadsKey, kVaryKey})) {
    return refused;
  }
  const auto format = root.find(kFormatKey);
  if (format != root.end() && *format != kDispersionStudyFormat) {
    return Refusal{std::string("/") + kFormatKey,
                   "must be \"" + std::string(kDispersionStudyFormat) + "\""};
  }
  const auto version = root.find(kVersionKey);
  if (version != root.end() && *version != kDispersionStudyVersion) {
    return Refusal{std::string("/") + kVersionKey,
                   "must be " + std::to_string(kDispersionStudyVersion)};
  }
  constexpr auto kMaxRuns = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  const auto runs = root.find(kRunsKey);
  std::uint64_t whole = 0;
  if (runs == root.end() || !WholeNumber(*runs, 1, kMaxRuns, whole)) {
    return Refusal{std::string("/") + kRunsKey,
                   "must be a whole number from 1 to " + std::to_string(kMaxRuns)};
  }
  study.runs = static_cast<std::int64_t>(whole);
  if (const auto seed = root.find(kSeedKey); seed != root.end()) {
    if (!WholeNumber(*seed, 0, std::numeric_limits<std::uint64_t>::max(), study.seed)) {
      return Refusal{std::string("/") + kSeedKey,
                     "must be a whole number from 0 to 18446744073709551615"};
    }
  }
  if (const auto threads = root.find(kThreadsKey); threads != root.end()) {
    if (!WholeNumber(*threads, 0, kMaxStudyThreads, whole)) {
      return Refusal{
          std::string("/") + kThreadsKey,
          "must be a whole number from 0 (one per core) to " + std::to_string(kMaxStudyThreads)};
    }
    study.threads = static_cast<int>(whole);
  }
  if (const auto vary = root.find(kVaryKey); vary != root.end()) {
    return ReadVariations(*vary, study.variations);
  }
  return std::nullopt;
}

}  // namespace

std::filesystem::path DispersionStudyPath(const std::filesystem::path& mission) {
  std::filesystem::path study = mission;
  study.replace_extension();
  study += kDispersionStudySuffix;
  return study;
}

std::string DispersionStudyJson(const DispersionStudy& study) {
  Json root = Json::object();
  root[kFormatKey] = kDispersionStudyFormat;
  root[kVersionKey] = kDispersionStudyVersion;
  root[kRunsKey] = study.runs;
  root[kSeedKey] = study.seed;
  root[kThreadsKey] = study.threads;
  Json vary = Json::array();
  for (const Variation& v : study.variations) {
    const auto [firstKey, secondKey] = ParameterKeys(v.distribution.kind);
    Json entry = Json::object();
    entry[kFieldKey] = v.name;
    entry[kDistributionKey] = DrawKindName(v.distribution.kind);
    entry[firstKey] = v.distribution.first;
    entry[secondKey] = v.distribution.second;
    vary.push_back(std::move(entry));
  }
  root[kVaryKey] = std::move(vary);
  return root.dump(2) + "\n";
}

Result<DispersionStudy> ReadDispersionStudy(std::string_view text) {
  Json root;
  try {
    root = Json::parse(text.begin(), text.end());
  } catch (const Json::parse_error& e) {
    return Fail(ErrorCode::kMalformed, "not valid JSON (at byte " + std::to_string(e.byte) + ")");
  } catch (const Json::out_of_range&) {
    return Fail(ErrorCode::kMalformed, "not valid JSON (a number is too large for a double)");
  }
  DispersionStudy study;
  if (const std::optional<Refusal> refused = ReadStudy(root, study)) {
    return Fail(ErrorCode::kMalformed,
                (refused->where.empty() ? std::string("the top level") : refused->where) + " " +
                    refused->what);
  }
  return study;
}

Result<DispersionStudy> LoadDispersionStudy(const std::filesystem::path& path) {
  const std::string name = path.string();
  const auto refuse = [&](const std::string& why) {
    return Fail(ErrorCode::kMalformed,
                "The file " + name + " is not a dispersion study (" + why + ")");
  };
  // A device or pipe could go on for ever: only a plain file of a sensible size is read.
  std::error_code error;
  if (std::filesystem::exists(path, error) && !std::filesystem::is_regular_file(path, error)) {
    return refuse("not a plain file");
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxStudyFileBytes) {
    return refuse(std::to_string(size) + " bytes: far too long");
  }
  const Result<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    return Fail(ErrorCode::kCannotOpen,
                "The file " + name + " could not be read (" + bytes.message() + ")");
  }
  Result<DispersionStudy> study = ReadDispersionStudy(bytes.value());
  if (!study) return refuse(study.message());
  return study;
}

Result<> SaveDispersionStudy(const std::filesystem::path& path, const DispersionStudy& study) {
  if (const Result<> written = WriteOutputFile(path, DispersionStudyJson(study)); !written) {
    return Fail(ErrorCode::kCannotWrite, "The study could not be written to " + path.string() +
                                             " (" + written.message() + ")");
  }
  return {};
}

}  // namespace plumora
