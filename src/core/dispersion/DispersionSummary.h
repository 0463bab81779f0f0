// The summary of a dispersion study: how many runs, how many failed, the spread of every input
// and output, and the landing ellipse; as JSON for the command line and scripts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/common/Result.h"
#include "core/dispersion/DispersionStatistics.h"
#include "core/dispersion/ScatteredRun.h"

namespace plumora {

inline constexpr std::string_view kDispersionSummaryFormat = "plumora-dispersions-summary";
inline constexpr int kDispersionSummaryVersion = 1;

struct DispersionSummary {
  std::int64_t runs = 0;
  std::int64_t landed = 0;
  std::int64_t aloft = 0;
  std::int64_t failures = 0;
  // Inputs over every run (they are drawn whatever happens next); outputs and the ellipse over
  // the runs that did not fail.
  std::vector<std::pair<std::string, OutputStatistics>> inputs;
  std::vector<std::pair<std::string, OutputStatistics>> outputs;
  LandingEllipse ellipse;
};

// The summary of records flown with these scattered inputs; a kInvalid error when the runs that
// did not fail landed on planets of different radii (records of different studies).
Result<DispersionSummary> SummariseDispersion(const std::vector<std::string>& inputNames,
                                              const std::vector<RunRecord>& records);

// The summary as JSON (keys in a fixed order, numbers with full precision, null for a figure
// that has no value), indented by two spaces and ending in a line feed.
std::string DispersionSummaryJson(const DispersionSummary& summary);

// Both at once: the JSON of the records' summary, or SummariseDispersion's refusal.
Result<std::string> DispersionSummaryJson(const std::vector<std::string>& inputNames,
                                          const std::vector<RunRecord>& records);

}  // namespace plumora
