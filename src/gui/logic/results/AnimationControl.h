// The replay of a flight: the current sample, play and pause, the speed, and the arithmetic that
// turns wall-clock time into samples. The animation bar shows what this holds; the panes are
// redrawn through the refresh callback. Time comes from an injected millisecond clock, so tests
// drive it with a fake one.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/flight/TrajectoryStore.h"

namespace plumora::gui {

// The speed list of the bar, and the one selected at start. Item k replays at 2^(k − 1) times the
// flight's own pace.
inline constexpr const char* kSpeedItems[] = {"x0.5", "x1", "x2", "x4", "x8", "x16", "x32", "x64"};
inline constexpr int kSpeedItemCount = 8;
inline constexpr int kDefaultSpeedItem = 1;
// Playing wakes up at most this often; a faster replay shows several samples per wake, on
// schedule.
inline constexpr double kMinWakeMs = 10.0;

class AnimationControl {
 public:
  using Clock = std::function<double()>;                         // monotonic, milliseconds
  using Refresh = std::function<void(int index, bool playing)>;  // redraw the panes

  explicit AnimationControl(Clock clock);

  // The results the animation replays (the active document's), or none.
  void Bind(const CTrajectoryStore* store) { store_ = store; }
  const CTrajectoryStore* bound() const { return store_; }
  void SetRefresh(Refresh refresh) { refresh_ = std::move(refresh); }

  // Buttons of the bar.
  void ToStart();
  void StepBack();
  void StepForward();
  void ToEnd();
  void Play();
  void Pause();
  // The slider was let go at position.
  void SliderReleased(int position);
  // "Go to time": the replay moves to the sample at index (kept within the store), playing on
  // from there when it plays.
  void ShowSample(int index);
  // The speed list's selection changed (0 to 7: x0.5 to x64).
  void SpeedSelected(int selection);

  // Idle-time step while playing: shows as many samples as the time since the last step is
  // worth, keeping to the schedule (a late call skips samples rather than slowing down). True
  // while more idle time is wanted.
  bool Idle();
  // Wall-clock milliseconds until Idle has the next sample to show, but at least kMinWakeMs, or a
  // negative value while paused. Playing waits this long instead of asking Idle over and over.
  double MsToNextStep() const;
  // Moves n samples on; past the end it stops at the last sample and pauses.
  void AdvanceAnimation(int n);
  // After new results: paused at sample 0, the slider over the whole store.
  void ResetAnimation();

  int index() const { return index_; }
  bool playing() const { return playing_; }
  double speedFactor() const { return speed_; }
  double periodMs() const { return periodMs_; }
  int sliderMaximum() const { return LastIndex() > 0 ? LastIndex() : 0; }
  // The slider and the transport buttons work only when there is something to replay.
  bool controlsEnabled() const { return LastIndex() >= 0; }
  // "%.2f/%.2f s": the current sample's time and the last sample's.
  std::string TimeText() const;

 private:
  int LastIndex() const { return store_ ? store_->LastIndex() : -1; }
  double StepMs() const;   // the period as the schedule counts it (never zero)
  void MoveTo(int index);  // index, panes and time text

  Clock clock_;
  Refresh refresh_;
  const CTrajectoryStore* store_ = nullptr;
  int index_ = 0;
  bool playing_ = false;
  double speed_ = 1.0;
  double periodMs_ = 0.0;  // wall-clock milliseconds per stored sample
  double startMs_ = 0.0;   // when the current sample's time slot began
};

// The sample whose time is nearest to time (the first of equally near ones); 0 for no samples.
int NearestSample(const CTrajectoryStore& store, double time);

// What "Go to time" makes of the typed text: the sample to show, or the message saying why there
// is none (index -1). The text is a number of seconds with a point for decimals; a time within
// the flight shows the latest sample at or before it.
struct TimeChoice {
  int index = -1;
  std::string message;
};
inline constexpr std::string_view kGoToTimeCaption = "Go to time";
inline constexpr std::string_view kGoToTimeLabel = "Time (s):";
TimeChoice SampleAtOrBefore(const CTrajectoryStore& store, std::string_view typed);

}  // namespace plumora::gui
