#include "gui/logic/results/AnimationControl.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace plumora::gui {

namespace {
// Without two samples there is no spacing to replay at: one sample per 1000 s.
constexpr double kLoneSampleSpacing = 1000.0;  // s
}  // namespace

AnimationControl::AnimationControl(Clock clock) : clock_(std::move(clock)) {}

void AnimationControl::MoveTo(int index) {
  index_ = index;
  if (refresh_) refresh_(index_, playing_);
}

void AnimationControl::ToStart() {
  if (index_ != 0) MoveTo(0);
}

void AnimationControl::StepBack() {
  if (index_ > 0) MoveTo(index_ - 1);
}

void AnimationControl::StepForward() {
  if (index_ < LastIndex()) MoveTo(index_ + 1);
}

void AnimationControl::ToEnd() {
  if (LastIndex() > 0) MoveTo(LastIndex());
}

void AnimationControl::Play() {
  if (playing_) return;
  if (refresh_) refresh_(index_, playing_);
  const double spacing =
      LastIndex() >= 1 ? store_->SampleAt(1).time - store_->SampleAt(0).time : kLoneSampleSpacing;
  periodMs_ = spacing * 1000.0 / speed_;
  startMs_ = clock_();
  playing_ = true;
}

void AnimationControl::Pause() {
  if (!playing_) return;
  playing_ = false;
  if (refresh_) refresh_(index_, playing_);
}

void AnimationControl::SliderReleased(int position) {
  MoveTo(std::clamp(position, 0, sliderMaximum()));
}

void AnimationControl::ShowSample(int index) {
  if (LastIndex() < 0) return;
  MoveTo(std::clamp(index, 0, LastIndex()));
}

void AnimationControl::SpeedSelected(int selection) {
  speed_ = std::ldexp(1.0, std::clamp(selection, 0, kSpeedItemCount - 1) - 1);
  if (playing_) {
    Pause();
    Play();
  }
}

double AnimationControl::StepMs() const {
  // The exact period, so that every speed replays at its own pace (whole milliseconds would
  // make x16 to x64 one speed for finely sampled flights). Samples without spacing between them
  // come one per millisecond rather than all at once.
  return periodMs_ > 0.0 ? periodMs_ : 1.0;
}

double AnimationControl::MsToNextStep() const {
  if (!playing_) return -1.0;
  return std::max(kMinWakeMs, startMs_ + StepMs() - clock_());
}

bool AnimationControl::Idle() {
  if (!playing_) return false;
  const double period = StepMs();
  const double elapsed = clock_() - startMs_;
  if (elapsed < period) return true;
  const double steps = std::floor(elapsed / period);
  startMs_ += steps * period;
  AdvanceAnimation(static_cast<int>(std::min(steps, 1e9)));
  return true;
}

void AnimationControl::AdvanceAnimation(int n) {
  const int last = LastIndex();
  if (last < 0) return;
  int index = index_ + std::min(n, last + 1);  // both bounded: no overflow
  if (index > last) {
    index = last;
    index_ = last;
    Pause();
  }
  MoveTo(index);
}

void AnimationControl::ResetAnimation() {
  Pause();
  index_ = 0;
}

std::string AnimationControl::TimeText() const {
  char text[128];
  const int last = LastIndex();
  if (last < 0) {
    std::snprintf(text, sizeof text, "%.2f/0.0 s", 0.0);
  } else {
    const int shown = std::clamp(index_, 0, last);
    std::snprintf(text, sizeof text, "%.2f/%.2f s", store_->SampleAt(shown).time,
                  store_->SampleAt(last).time);
  }
  return text;
}

int NearestSample(const CTrajectoryStore& store, double time) {
  int nearest = 0;
  double distance = std::numeric_limits<double>::infinity();
  for (int i = 0; i <= store.LastIndex(); ++i) {
    const double d = std::abs(store.SampleAt(i).time - time);
    if (d < distance) {
      distance = d;
      nearest = i;
    }
  }
  return nearest;
}

TimeChoice SampleAtOrBefore(const CTrajectoryStore& store, std::string_view typed) {
  if (store.LastIndex() < 0)
    return {-1, "There are no results to move through: run the mission first."};
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!typed.empty() && blank(typed.front())) typed.remove_prefix(1);
  while (!typed.empty() && blank(typed.back())) typed.remove_suffix(1);
  if (typed.size() > 1 && typed.front() == '+') typed.remove_prefix(1);
  double time = 0.0;
  const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), time);
  if (typed.empty() || error != std::errc() || end != typed.data() + typed.size() ||
      !std::isfinite(time)) {
    return {-1, "Type the time in seconds, with a point for decimals (for example 120.5)."};
  }
  double earliest = std::numeric_limits<double>::infinity();
  double latest = -earliest;
  int chosen = -1;
  for (int i = 0; i <= store.LastIndex(); ++i) {
    const double t = store.SampleAt(i).time;
    earliest = std::min(earliest, t);
    latest = std::max(latest, t);
    // The latest time not after the one typed; of equal times, the first sample.
    if (t <= time && (chosen < 0 || t > store.SampleAt(chosen).time)) chosen = i;
  }
  if (time < earliest || time > latest) {
    // The time as typed: rounded, it could read as the flight's own end.
    char range[800];  // "%.2f" of the largest double has more than 300 digits
    std::snprintf(range, sizeof range, " s is outside the flight, which lasts from %.2f to %.2f s.",
                  earliest, latest);
    return {-1, std::string(typed) + range};
  }
  return {chosen, {}};
}

}  // namespace plumora::gui
