// The runs of a dispersion study flown on several threads at once. Each run draws from its own
// stream and flies its own copy of the mission, so the records do not depend on the number of
// threads, on the order in which the runs finish, or on which other runs are flown.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "core/common/Result.h"
#include "core/dispersion/ScatteredRun.h"

namespace plumora {

// The share of a study one machine flies: the runs i with i mod count = index.
struct Shard {
  std::int64_t index = 0;
  std::int64_t count = 1;
};

// "I/K" with 0 ≤ I < K; a kInvalid error saying so otherwise.
Result<Shard> ParseShard(std::string_view text);

// How many of runs 0 … runs − 1 the shard holds.
std::int64_t ShardRunCount(std::int64_t runs, const Shard& shard);

// Shared with whoever watches the study: runs finished so far (and how many of them failed), and
// a request to take no more.
struct DispersionControl {
  std::atomic<std::int64_t> done{0};
  std::atomic<std::int64_t> failed{0};
  std::atomic<bool> stop{false};
};

// Flies the shard's runs on `threads` threads (at least one) and returns their records in run
// order. Once control.stop is set no further run starts; the runs in flight finish, so the
// records are always the shard's first runs, without a gap.
std::vector<RunRecord> FlyDispersion(const DispersionSetup& setup, std::int64_t runs,
                                     const Shard& shard, int threads, DispersionControl& control);

}  // namespace plumora
