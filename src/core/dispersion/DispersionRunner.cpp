#include "core/dispersion/DispersionRunner.h"

#include <algorithm>
#include <thread>

#include "core/common/WholeText.h"
#include "core/flight/TrajectoryStore.h"

namespace plumora {

namespace {

// One worker: takes the next run of the shard until none is left or a stop is asked for.
void FlyRuns(const DispersionSetup& setup, const Shard& shard, std::int64_t total,
             std::atomic<std::int64_t>& next, DispersionControl& control,
             std::vector<RunRecord>& records) {
  CTrajectoryStore scratch;
  while (!control.stop.load()) {
    const std::int64_t k = next.fetch_add(1);
    if (k >= total) return;
    records.push_back(FlyScatteredRun(setup, shard.index + k * shard.count, &scratch));
    if (records.back().end == RunEnd::kFailed) control.failed.fetch_add(1);
    control.done.fetch_add(1);
  }
}

}  // namespace

Result<Shard> ParseShard(std::string_view text) {
  const std::size_t slash = text.find('/');
  Shard parsed;
  if (slash == std::string_view::npos || !ParseWholeText(text.substr(0, slash), parsed.index) ||
      !ParseWholeText(text.substr(slash + 1), parsed.count) || parsed.count < 1 ||
      parsed.index < 0 || parsed.index >= parsed.count) {
    return Fail(ErrorCode::kInvalid,
                "a shard is I/K with 0 <= I < K, not \"" + std::string(text) + "\"");
  }
  return parsed;
}

std::int64_t ShardRunCount(std::int64_t runs, const Shard& shard) {
  if (runs <= shard.index) return 0;
  return (runs - shard.index - 1) / shard.count + 1;
}

std::vector<RunRecord> FlyDispersion(const DispersionSetup& setup, std::int64_t runs,
                                     const Shard& shard, int threads, DispersionControl& control) {
  const std::int64_t total = ShardRunCount(runs, shard);
  const auto workers = static_cast<std::size_t>(
      std::clamp<std::int64_t>(threads, 1, std::max<std::int64_t>(total, 1)));
  std::atomic<std::int64_t> next{0};
  std::vector<std::vector<RunRecord>> perWorker(workers);
  std::vector<std::thread> pool;
  for (std::size_t w = 1; w < workers; ++w) {
    pool.emplace_back(FlyRuns, std::cref(setup), std::cref(shard), total, std::ref(next),
                      std::ref(control), std::ref(perWorker[w]));
  }
  FlyRuns(setup, shard, total, next, control, perWorker[0]);
  for (std::thread& t : pool) t.join();

  std::vector<RunRecord> records;
  for (auto& list : perWorker) {
    std::move(list.begin(), list.end(), std::back_inserter(records));
  }
  std::sort(records.begin(), records.end(),
            [](const RunRecord& a, const RunRecord& b) { return a.run < b.run; });
  return records;
}

}  // namespace plumora
