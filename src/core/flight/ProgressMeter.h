// What a progress display shows while a phase integrates: time elapsed, an estimate of the time
// left, the bar position and the phase text, plus the user's stop request. Front ends give it a
// face (a dialog, a terminal line); the arithmetic lives here.
#pragma once

#include <functional>
#include <string>

namespace plumora {

// Milliseconds of a monotonic clock.
double SteadyMilliseconds();

// "    k/n": the place of a phase among the mission's computed phases.
std::string FormatPhaseText(int position, int count);

class ProgressMeter {
 public:
  using Clock = std::function<double()>;  // ms

  // The start time is read now.
  explicit ProgressMeter(Clock clock = SteadyMilliseconds);

  // p in percent: elapsed and left times as "%10.2f s", the bar at p cut to an integer. With
  // p = 0 the time left is infinite; with p = 100 it is 0 s.
  void ShowProgress(double percentage);

  void SetPhaseText(std::string text) { phaseText_ = std::move(text); }
  void RequestStop() { stopRequested_ = true; }

  const std::string& elapsedText() const { return elapsedText_; }
  const std::string& leftText() const { return leftText_; }
  const std::string& phaseText() const { return phaseText_; }
  int barPosition() const { return barPosition_; }
  bool stopRequested() const { return stopRequested_; }

 private:
  Clock clock_;
  double startMs_;
  std::string elapsedText_;
  std::string leftText_;
  std::string phaseText_;
  int barPosition_ = 0;
  bool stopRequested_ = false;
};

}  // namespace plumora
