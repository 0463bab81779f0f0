#include "gui/logic/results/AnimationBarController.h"

#include <algorithm>
#include <cmath>

#include "gui/logic/commands/CommandIds.h"

namespace plumora::gui {

PaneRequest AnimationBarController::Use(int controlId, int value, bool running) {
  if (running) return PaneRequest::kNone;
  switch (controlId) {
    case kCtlToStart:
      animation_.ToStart();
      break;
    case kCtlStepBack:
      animation_.StepBack();
      break;
    case kCtlStepForward:
      animation_.StepForward();
      break;
    case kCtlToEnd:
      animation_.ToEnd();
      break;
    case kCtlPlay:
      animation_.Play();
      break;
    case kCtlPause:
      animation_.Pause();
      break;
    case kCtlAnimationSlider:
      animation_.SliderReleased(value);
      break;
    case kCtlSpeed:
      animation_.SpeedSelected(value);
      break;
    case kCtlZoomToSelection:
      return PaneRequest::kZoomToSelection;
    case kCtlZoomReset:
      return PaneRequest::kZoomReset;
    default:
      break;
  }
  return PaneRequest::kNone;
}

AnimationBarState AnimationBarController::State() const {
  return {animation_.sliderMaximum(), animation_.index(), animation_.TimeText(),
          animation_.controlsEnabled()};
}

int AnimationBarController::WakeDelayMs() const {
  const double due = animation_.MsToNextStep();
  if (due < 0.0) return -1;
  return static_cast<int>(std::ceil(std::min(due, 1e9)));
}

}  // namespace plumora::gui
