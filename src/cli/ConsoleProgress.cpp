#include "cli/ConsoleProgress.h"

#include <string>

namespace plumora::cli {

namespace {

// Redraw at most this often, so a fast run is not slowed down by its own progress line.
constexpr double kRedrawIntervalMs = 100.0;
constexpr int kBarWidth = 30;

}  // namespace

ConsoleProgress::ConsoleProgress(bool draw, std::FILE* out) : draw_(draw), out_(out) {}

void ConsoleProgress::PhaseStarted(std::string_view phaseText) {
  meter_ = std::make_unique<ProgressMeter>();
  meter_->SetPhaseText(std::string(phaseText));
  lastDrawMs_ = -1e9;
}

void ConsoleProgress::ShowProgress(double percentage) {
  if (!draw_ || !meter_) return;
  const double now = SteadyMilliseconds();
  if (now - lastDrawMs_ < kRedrawIntervalMs) return;
  lastDrawMs_ = now;
  meter_->ShowProgress(percentage);
  const int filled = meter_->barPosition() * kBarWidth / 100;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kBarWidth, '.');
  std::fprintf(out_, "\rphase%s [%s] %3d%%  elapsed%s  left%s ", meter_->phaseText().c_str(),
               bar.c_str(), meter_->barPosition(), meter_->elapsedText().c_str(),
               meter_->leftText().c_str());
  std::fflush(out_);
}

bool ConsoleProgress::StopRequested() {
  return interrupt_.Interrupted();
}

void ConsoleProgress::PhaseEnded() {
  if (draw_ && lastDrawMs_ > -1e9) {
    std::fprintf(out_, "\r\033[K");  // clear the progress line
    std::fflush(out_);
  }
  meter_.reset();
}

}  // namespace plumora::cli
