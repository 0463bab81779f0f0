// The example's dispersion study (examples/mars-entry.dispersions.json) cut to 1000 runs on two
// threads, flown by the desktop program as Simulation > Dispersions... > Run flies it: behind its
// progress dialog, the runs on worker threads. A timer of 10 ms measures the longest time the
// event loop went without turning while the study flew (longest_stall_ms) and over the whole
// command; compare the time with BM_ExampleStudyByTheCommandLine of bench_dispersions, the same
// study on the command line.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "QtBenchmarkMain.h"
#include "core/common/Prompter.h"
#include "gui/app/CMainFrame.h"
#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/commands/ControlIds.h"
#include "gui/logic/study/DocumentStudy.h"
#include "support/TestFiles.h"

namespace {

using namespace plumora;
using namespace plumora::gui;

void BM_ExampleStudyInTheDesktopProgram(benchmark::State& state) {
  const StartupBitmaps bitmaps;
  CMainFrame frame(test::DataFolder(), bitmaps);
  RecordingPrompter prompter;
  frame.SetPrompter(&prompter);
  // Run keeps the setup beside the mission: a copy of the example, so that its own file stays.
  const test::TempDir folder;
  for (const char* name : {"mars-entry.psd", "mars-entry.dispersions.json"}) {
    std::filesystem::copy_file(test::DataFolder() / "examples" / name, folder.path() / name);
  }
  if (!frame.OpenDocument(folder.path() / "mars-entry.psd")) {
    state.SkipWithError("the example could not be opened");
    return;
  }
  CPlumoraDoc& doc = *frame.ActiveDocument();
  StudyOf(doc).setup.runs = 1000;
  StudyOf(doc).setup.threads = 2;

  double longestStall = 0.0;
  double longestFlyingStall = 0.0;
  for (auto _ : state) {
    // Run is pressed in the dialog once it is up; from then on the probe watches the loop.
    QTimer press;
    press.setInterval(1);
    QObject::connect(&press, &QTimer::timeout, [&press] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal->windowTitle() != "Dispersions") return;
      press.stop();
      auto* run = modal->findChild<QAbstractButton*>(QString("ctl_%1").arg(kCtlStudyRun));
      QTimer::singleShot(0, run, &QAbstractButton::click);
    });
    press.start();
    // Two figures: while the progress dialog is up (the study flying), and over the whole
    // command, which also writes the setup beside the mission when Run is pressed.
    QElapsedTimer clock;
    bool wasFlying = false;
    // A probe much finer would itself keep the loop busy, taking a core from the runs.
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
      const QWidget* modal = QApplication::activeModalWidget();
      const bool flying = modal && modal->windowTitle() == "Dispersion study";
      if (clock.isValid()) {
        const double gap = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        longestStall = std::max(longestStall, gap);
        if (flying && wasFlying) longestFlyingStall = std::max(longestFlyingStall, gap);
      }
      wasFlying = flying;
      clock.restart();
    });
    probe.start();
    frame.Invoke(kCmdDispersions);
    probe.stop();
  }
  const FlownStudy* flown = FlownStudyOf(doc);
  if (!flown || flown->outcome.records.size() != 1000) {
    state.SkipWithError(("the study did not fly: " + prompter.Transcript()).c_str());
    return;
  }
  state.counters["longest_stall_ms"] = longestFlyingStall;
  state.counters["longest_stall_of_the_command_ms"] = longestStall;
  state.counters["failures"] = static_cast<double>(flown->outcome.Failures().size());
}
BENCHMARK(BM_ExampleStudyInTheDesktopProgram)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return plumora::bench::RunQtBenchmarks(argc, argv);
}
