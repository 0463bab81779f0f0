// The replay every pane follows: the animation, the decisions of its bar, and the timer that
// wakes it when its next sample is due (playing never spins in a busy loop).
#pragma once

#include <QTimer>

#include "gui/logic/results/AnimationBarController.h"
#include "gui/logic/results/AnimationControl.h"

namespace plumora::gui {

class AnimationBar;

class AnimationPlayer {
 public:
  // bar: shows the state after every change; refresh: redraws the panes at a sample.
  AnimationPlayer(AnimationBar& bar, AnimationControl::Refresh refresh);
  ~AnimationPlayer();

  AnimationControl& control() { return animation_; }
  const AnimationControl& control() const { return animation_; }

  // New results to replay (or none): paused at the first sample.
  void Reset(const CTrajectoryStore* store);
  // The results are going: when they are the ones replayed, the replay forgets them.
  void Forget(const CTrajectoryStore& store);
  // "Go to time": the replay shows the sample at index.
  void Show(int index) { animation_.ShowSample(index); }
  // A control of the bar was used; during a run nothing happens.
  PaneRequest Use(int controlId, int value, bool running);
  // A run is about to replace the results: the replay stops and lets go of them.
  void Hold();
  // The run is over: the replay takes the store again, whatever it holds now.
  void Resume(const CTrajectoryStore& store);

 private:
  void Schedule();
  void ShowBar();

  AnimationBar& bar_;
  AnimationControl animation_;
  AnimationBarController controller_{animation_};
  QTimer timer_;
};

}  // namespace plumora::gui
