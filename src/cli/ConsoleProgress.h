// The command line's face for a running phase: a progress line on stderr when stderr is a
// terminal, and Ctrl-C as the Stop button.
#pragma once

#include <cstdio>
#include <memory>

#include "cli/Interrupt.h"
#include "core/common/ProgressSink.h"
#include "core/flight/ProgressMeter.h"

namespace plumora::cli {

class ConsoleProgress final : public ProgressSink {
 public:
  // draw: whether to draw the line (typically: stderr is a terminal and not --quiet).
  explicit ConsoleProgress(bool draw, std::FILE* out = stderr);
  ConsoleProgress(const ConsoleProgress&) = delete;
  ConsoleProgress& operator=(const ConsoleProgress&) = delete;

  void PhaseStarted(std::string_view phaseText) override;
  void ShowProgress(double percentage) override;
  bool StopRequested() override;
  void PhaseEnded() override;

 private:
  InterruptWatch interrupt_;
  bool draw_;
  std::FILE* out_;
  std::unique_ptr<ProgressMeter> meter_;
  double lastDrawMs_ = -1e9;
};

}  // namespace plumora::cli
