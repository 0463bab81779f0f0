// The study's display modes, worked out for a frame of 10 000 runs: the landing scatter (the
// points' offsets, both ellipses and the axes) and the histogram of one output, laid out alone
// and laid out and painted by their pane into a picture of a pane's size, as the screen gets
// them. A frame is drawn 60 times a second at most, so each should take well under 16 ms. Runs
// on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "QtBenchmarkMain.h"
#include "core/app/PlumoraDoc.h"
#include "gui/logic/study/DocumentStudy.h"
#include "gui/logic/study/LandingScatter.h"
#include "gui/logic/study/StudyHistogram.h"
#include "gui/results/StudyPane.h"

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
    benchmark::DoNotOptimize(layout.dots.points.data());
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
    benchmark::DoNotOptimize(layout.dots.points.data());
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

// The pane's view: the document with its flown study, the settings, nothing else.
class BenchHost final : public PaneHost {
 public:
  BenchHost(const CPlumoraDoc& doc, QSize size) : doc_(doc), size_(size) {}
  const CPlumoraDoc& document() const override { return doc_; }
  ResultsViewState& viewState() override { return state_; }
  int animationIndex() const override { return 0; }
  bool animationPlaying() const override { return false; }
  QSize clientSize() const override { return size_; }
  QPoint scrollPosition() const override { return {}; }
  void SetScrollSizes(const ScrollSizes&) override {}
  void SetScrollPosition(const QPoint&) override {}
  void Repaint() override {}
  void RepaintArea(const QRect&) override {}
  bool wearsActiveFrame() const override { return false; }
  QWidget* dialogParent() override { return nullptr; }
  const StartupBitmaps& bitmaps() const override { return bitmaps_; }

 private:
  const CPlumoraDoc& doc_;
  QSize size_;
  ResultsViewState state_;
  StartupBitmaps bitmaps_;
};

// A whole paint of the pane, layout included, into a picture of width × height (the arguments):
// a quarter of a full-HD window and the pane maximised over it.
void PanePaint(benchmark::State& state, DisplayMode mode) {
  CPlumoraDoc doc;
  auto flown = std::make_shared<FlownStudy>();
  flown->outcome.records = MarsLikeRuns();
  flown->nominal = flown->outcome.records.front();
  StudyOf(doc).flown = flown;
  const QSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  BenchHost host(doc, size);
  host.viewState().studyOutput = StudyOutput::kLandingSpeed;
  StudyPane pane(host, mode);
  QImage picture(size, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&picture);
    PreparePanePainter(painter);
    pane.Paint(painter, size);
  }
}

void BM_LandingScatterPanePaint(benchmark::State& state) {
  PanePaint(state, DisplayMode::kLandingScatter);
}
BENCHMARK(BM_LandingScatterPanePaint)
    ->Args({960, 540})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);

void BM_StudyHistogramPanePaint(benchmark::State& state) {
  PanePaint(state, DisplayMode::kStudyHistograms);
}
BENCHMARK(BM_StudyHistogramPanePaint)->Args({960, 540})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return plumora::bench::RunQtBenchmarks(argc, argv);
}
