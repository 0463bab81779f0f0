// How a running phase shows its progress and learns that the user wants it to stop. The desktop
// program shows a progress dialog with a Stop button, the command line a progress line and
// Ctrl-C, the tests a scripted double.
#pragma once

#include <string_view>

namespace plumora {

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // A phase starts integrating; phaseText reads "    k/n" (its place among the computed phases).
  virtual void PhaseStarted(std::string_view phaseText) = 0;
  // Share of the phase done, in percent (0 to 100).
  virtual void ShowProgress(double percentage) = 0;
  // Called once per integration step: lets the front end repaint and look at its Stop button.
  // True once the user has asked to stop.
  virtual bool StopRequested() = 0;
  // The phase has ended, normally or not.
  virtual void PhaseEnded() = 0;
};

// Shows nothing and never stops.
class NullProgressSink final : public ProgressSink {
 public:
  void PhaseStarted(std::string_view) override {}
  void ShowProgress(double) override {}
  bool StopRequested() override { return false; }
  void PhaseEnded() override {}
};

}  // namespace plumora
