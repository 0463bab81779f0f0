// The main of a benchmark program that draws with Qt: an application on Qt's offscreen platform
// (unless the environment names another), then the benchmarks asked for.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

namespace plumora::bench {

inline int RunQtBenchmarks(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace plumora::bench
