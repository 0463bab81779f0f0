#include "gui/app/AnimationPlayer.h"

#include "core/flight/ProgressMeter.h"
#include "gui/app/AnimationBar.h"

namespace plumora::gui {

AnimationPlayer::AnimationPlayer(AnimationBar& bar, AnimationControl::Refresh refresh)
    : bar_(bar), animation_(SteadyMilliseconds) {
  animation_.SetRefresh([this, refresh = std::move(refresh)](int index, bool playing) {
    refresh(index, playing);
    ShowBar();
  });
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
    animation_.Idle();
    Schedule();
  });
}

AnimationPlayer::~AnimationPlayer() {
  timer_.stop();
}

void AnimationPlayer::Reset(const CTrajectoryStore* store) {
  animation_.Bind(store);
  animation_.ResetAnimation();
  Schedule();
  ShowBar();
}

void AnimationPlayer::Forget(const CTrajectoryStore& store) {
  if (animation_.bound() == &store) Reset(nullptr);
}

PaneRequest AnimationPlayer::Use(int controlId, int value, bool running) {
  if (running) return PaneRequest::kNone;
  const PaneRequest request = controller_.Use(controlId, value, running);
  Schedule();
  ShowBar();
  return request;
}

void AnimationPlayer::Hold() {
  animation_.Pause();
  Schedule();
  animation_.Bind(nullptr);
}

void AnimationPlayer::Resume(const CTrajectoryStore& store) {
  animation_.Bind(&store);
  if (animation_.index() > store.LastIndex()) animation_.ResetAnimation();
  ShowBar();
}

void AnimationPlayer::Schedule() {
  const int delay = controller_.WakeDelayMs();
  if (delay < 0) {
    timer_.stop();
  } else {
    timer_.start(delay);
  }
}

void AnimationPlayer::ShowBar() {
  bar_.Show(controller_.State());
}

}  // namespace plumora::gui
