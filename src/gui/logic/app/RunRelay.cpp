#include "gui/logic/app/RunRelay.h"

namespace plumora::gui {

void MarshallingPrompter::Message(std::string_view text, std::string_view caption) {
  invoke_([&] { target_.Message(text, caption); });
}

bool MarshallingPrompter::AskOkCancel(std::string_view text, std::string_view caption) {
  bool answer = false;
  invoke_([&] { answer = target_.AskOkCancel(text, caption); });
  return answer;
}

bool MarshallingPrompter::AskYesNo(std::string_view text, std::string_view caption) {
  bool answer = false;
  invoke_([&] { answer = target_.AskYesNo(text, caption); });
  return answer;
}

void MarshallingObserver::ChartZoomCleared(const CPlumoraDoc& doc) {
  invoke_([&] { target_.ChartZoomCleared(doc); });
}

void MarshallingObserver::ResultsChanged(const CPlumoraDoc& doc) {
  invoke_([&] { target_.ResultsChanged(doc); });
}

void MarshallingObserver::ViewsNeedUpdate(const CPlumoraDoc& doc) {
  invoke_([&] { target_.ViewsNeedUpdate(doc); });
}

void MarshallingObserver::MissionPlanChanged(const CPlumoraDoc& doc) {
  invoke_([&] { target_.MissionPlanChanged(doc); });
}

void MarshallingObserver::StudyChanged(const CPlumoraDoc& doc) {
  invoke_([&] { target_.StudyChanged(doc); });
}

ProgressRelay::ProgressRelay(Wake wake, ProgressMeter::Clock clock)
    : wake_(std::move(wake)), clock_(std::move(clock)) {}

bool ProgressRelay::NewsPending() {
  const bool first = !pending_;
  pending_ = true;
  return first;
}

void ProgressRelay::WakeIf(bool first) {
  // Outside the lock: the interface may look at once.
  if (first && wake_) wake_();
}

void ProgressRelay::PhaseStarted(std::string_view phaseText) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    meter_.emplace(clock_);
    meter_->SetPhaseText(std::string(phaseText));
    first = NewsPending();
  }
  WakeIf(first);
}

void ProgressRelay::ShowProgress(double percentage) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    if (!meter_) return;
    meter_->ShowProgress(percentage);
    first = NewsPending();
  }
  WakeIf(first);
}

void ProgressRelay::PhaseEnded() {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    meter_.reset();
    first = NewsPending();
  }
  WakeIf(first);
}

ProgressSnapshot ProgressRelay::Take() {
  std::lock_guard lock(mutex_);
  pending_ = false;
  ProgressSnapshot snapshot;
  if (!meter_) return snapshot;
  snapshot.phaseRunning = true;
  snapshot.elapsedText = meter_->elapsedText();
  snapshot.leftText = meter_->leftText();
  snapshot.phaseText = meter_->phaseText();
  snapshot.barPosition = meter_->barPosition();
  return snapshot;
}

}  // namespace plumora::gui
