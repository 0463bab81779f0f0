// A progress display for tests: records what a phase told it and presses Stop on a given step.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/common/ProgressSink.h"

namespace plumora::test {

class ScriptedProgress : public ProgressSink {
 public:
  int stopAtStep = -1;  // the step (from 1) on which Stop is pressed; −1 never
  int steps = 0, started = 0, ended = 0;
  std::string phaseText;
  std::vector<double> shown;

  void PhaseStarted(std::string_view text) override {
    ++started;
    phaseText = text;
  }
  void ShowProgress(double p) override { shown.push_back(p); }
  bool StopRequested() override { return ++steps == stopAtStep; }
  void PhaseEnded() override { ++ended; }
};

}  // namespace plumora::test
