// The study's display modes, worked out for a frame of 10 000 runs: the landing scatter (the
// points' offsets, both ellipses and the axes) and the histogram of one output. A frame is
// drawn 60 times a second at most, so each should take well under 16 ms.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "gui/logic/study/LandingScatter.h"
#include "gui/logic/study/StudyHistogram.h"

namespace {

using namespace plumora;
using namespace plumora::gui;

constexpr int kRuns = 10000;
constexpr double kMarsRadius = 3389500.0;  // m
const StudyGeometry kGeometry{1200, 900, 18, 1};
const TextWidth kTextWidth = [](const std::string& s) { return static_cast<int>(s.size()) * 9; };

// Landings spread like the Mars example's: long along the track, narrow across it.
std::vector<RunRecord> MarsLikeRuns() {
  std::mt19937_64 random(7);
  std::normal_distribution<double> along(0.0, 0.35);
  std::normal_distribution<double> across(0.0, 0.001);
  std::normal_distribution<double> speed(68.0, 4.0);
  std::vector<RunRecord> records(kRuns);
  for (int i = 0; i < kRuns; ++i) {
    const double a = along(random);
    RunRecord& r = records[static_cast<std::size_t>(i)];
    r.run = i;
    r.end = RunEnd::kLanded;
    r.outputs.landingLatitude = 17.61 - 0.24 * a + across(random);
    r.outputs.landingLongitude = -114.24 + a;
    r.outputs.landingSpeed = speed(random);
    r.outputs.planetRadius = kMarsRadius;
  }
  return records;
}

void BM_LandingScatter(benchmark::State& state) {
  const LandingCloud cloud = LandingCloudOf(MarsLikeRuns());
  const LandingPoint nominal{17.61, -114.24};
  for (auto _ : state) {
    const ScatterLayout layout = LayoutLandingScatter(cloud, nominal, kGeometry, kTextWidth);
    benchmark::DoNotOptimize(layout.dots.data());
    benchmark::DoNotOptimize(layout.threeSigma.points.data());
  }
}
BENCHMARK(BM_LandingScatter)->Unit(benchmark::kMillisecond);

// From the runs as the study keeps them: the landing points picked out first.
void BM_LandingScatterFromRuns(benchmark::State& state) {
  const std::vector<RunRecord> runs = MarsLikeRuns();
  for (auto _ : state) {
    const ScatterLayout layout =
        LayoutLandingScatter(LandingCloudOf(runs), std::nullopt, kGeometry, kTextWidth);
    benchmark::DoNotOptimize(layout.dots.data());
  }
}
BENCHMARK(BM_LandingScatterFromRuns)->Unit(benchmark::kMillisecond);

void BM_StudyHistogram(benchmark::State& state) {
  const std::vector<RunRecord> runs = MarsLikeRuns();
  for (auto _ : state) {
    const HistogramLayout layout =
        LayoutStudyHistogram(runs, StudyOutput::kLandingSpeed, 0, kGeometry, kTextWidth);
    benchmark::DoNotOptimize(layout.bars.data());
  }
}
BENCHMARK(BM_StudyHistogram)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
