// The animation bar's decisions: what each of its controls does to the replay, what the bar shows
// and when the replay next wants to be woken. The bar's widgets only show this.
#pragma once

#include <string>

#include "gui/logic/results/AnimationControl.h"

namespace plumora::gui {

// What the bar shows.
struct AnimationBarState {
  int sliderMaximum = 0;
  int sliderPosition = 0;
  std::string timeText;
  // The slider and the six transport buttons work only when there is something to replay.
  bool transportEnabled = false;
  bool operator==(const AnimationBarState&) const = default;
};

// What a control of the bar asks of the active pane, beyond the replay.
enum class PaneRequest { kNone, kZoomToSelection, kZoomReset };

class AnimationBarController {
 public:
  explicit AnimationBarController(AnimationControl& animation) : animation_(animation) {}

  // A control of the bar was used: a button (value 0), the slider let go (its position) or the
  // speed list (the selection). While a mission runs its results are being written: the bar then
  // does nothing.
  PaneRequest Use(int controlId, int value, bool running);

  AnimationBarState State() const;
  // Whole milliseconds until the replay's next sample is due, or -1 while nothing is due
  // (paused, or nothing to replay).
  int WakeDelayMs() const;

 private:
  AnimationControl& animation_;
};

}  // namespace plumora::gui
