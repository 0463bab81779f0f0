// Running a mission: the run goes on a worker thread while the window waits in a nested event
// loop behind the progress dialog, whose Stop button ends it. Meanwhile the interface takes no
// input but the dialog's and that of the message boxes the run shows; everything still repaints.
#pragma once

#include <functional>

#include "core/app/RunMission.h"
#include "core/common/Prompter.h"

class QWidget;

namespace plumora {
class CPlumoraDoc;
class Mission;
}  // namespace plumora

namespace plumora::gui {

class MissionRunner {
 public:
  explicit MissionRunner(QWidget& window) : window_(window) {}

  bool running() const { return running_; }
  // Runs the document's mission; the run's messages reach prompter on this thread. started is
  // called once the run counts as running, before the dialog shows. Returns when the run has
  // ended, the dialog is hidden and the run no longer counts as running.
  RunOutcome Run(CPlumoraDoc& doc, Prompter& prompter, const std::function<void()>& started);

 private:
  QWidget& window_;
  bool running_ = false;
};

// Shows what the mission check finds: errors, warnings, or that there are none.
void ShowMissionCheck(const Mission& mission, Prompter& prompter);

}  // namespace plumora::gui
