// The results chart at full size: one whole paint of a flight of 32000 samples into a 1920 × 1080
// picture, and one move of the mouse's cross-hair (the snapshot copied, the cross-hair laid over
// it), as the pane does both on the screen: the move repaints only the strips the old and the
// new cross-hair cover, as a widget's paint event clips to them; the unclipped copy of the whole
// snapshot is measured beside it. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QPainter>
#include <QPixmap>
#include <cmath>

#include "QtBenchmarkMain.h"
#include "core/app/PlumoraDoc.h"
#include "gui/results/ChartPane.h"

namespace {

using namespace plumora;
using namespace plumora::gui;

constexpr int kSamples = 32000;
const QSize kPicture(1920, 1080);

// An entry from 120 km in 500 s, then a swinging descent under the parachute.
std::unique_ptr<CPlumoraDoc> Flight() {
  auto doc = std::make_unique<CPlumoraDoc>();
  for (int i = 0; i < kSamples; ++i) {
    CTrajectorySample s;
    s.time = 0.1 * i;  // s
    const bool entry = s.time < 500.0;
    s.payloadHeight = entry ? 120000.0 - 220.0 * s.time : 10000.0 - 3.5 * (s.time - 500.0);
    s.payloadSpeed = entry ? 7600.0 * std::exp(-s.time / 300.0) : 60.0 + 5.0 * std::sin(s.time);
    s.phaseType = entry ? kSampleBallistic : kSampleFinalDescent;
    doc->results.Append(s);
  }
  doc->results.ComputeRanges();
  return doc;
}

// The pane's view: the flight and the settings, nothing else.
class BenchHost final : public PaneHost {
 public:
  explicit BenchHost(const CPlumoraDoc& doc) : doc_(doc) { state_.chartY = 3; }
  const CPlumoraDoc& document() const override { return doc_; }
  ResultsViewState& viewState() override { return state_; }
  int animationIndex() const override { return 0; }
  bool animationPlaying() const override { return false; }
  QSize clientSize() const override { return kPicture; }
  QPoint scrollPosition() const override { return {}; }
  void SetScrollSizes(const ScrollSizes&) override {}
  void SetScrollPosition(const QPoint&) override {}
  void Repaint() override { damage = QRegion(QRect(QPoint(), kPicture)); }
  void RepaintArea(const QRect& area) override { damage |= area; }
  bool wearsActiveFrame() const override { return false; }
  QWidget* dialogParent() override { return nullptr; }
  const StartupBitmaps& bitmaps() const override { return bitmaps_; }

  QRegion damage;  // what the pane asked to paint again, as a widget's paint event clips to it

 private:
  const CPlumoraDoc& doc_;
  ResultsViewState state_;
  StartupBitmaps bitmaps_;
};

void BM_ChartFullPaint(benchmark::State& state) {
  const auto doc = Flight();
  BenchHost host(*doc);
  QPixmap picture(kPicture);
  for (auto _ : state) {
    QPainter painter(&picture);
    const auto drawn = DrawChart(painter, doc->results, host.viewState(), kPicture,
                                 ScreenChart(kPicture), QImage());
    benchmark::DoNotOptimize(drawn->sampleAtColumn.data());
  }
}
BENCHMARK(BM_ChartFullPaint)->Unit(benchmark::kMillisecond);

void BM_ChartCrossHairMove(benchmark::State& state) {
  const auto doc = Flight();
  BenchHost host(*doc);
  ChartPane pane(host);
  QPixmap screen(kPicture);
  {
    QPainter painter(&screen);
    pane.Paint(painter, kPicture);  // the full paint that leaves the snapshot
  }
  const bool clipped = state.range(0) != 0;
  int x = 400;
  for (auto _ : state) {
    x = x < 1500 ? x + 7 : 400;
    host.damage = QRegion();
    const PaneReadout readout = pane.MouseMove({x, 500}, Qt::NoButton);
    QPainter painter(&screen);
    if (clipped) painter.setClipRegion(host.damage);
    pane.Paint(painter, kPicture);
    benchmark::DoNotOptimize(readout.y);
  }
}
BENCHMARK(BM_ChartCrossHairMove)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return plumora::bench::RunQtBenchmarks(argc, argv);
}
