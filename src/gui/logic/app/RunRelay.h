// A mission runs on a worker thread while the window stays responsive. What the engine says on
// that thread has to reach the user interface: prompts and document notifications are carried
// over and the worker waits for them (a question needs its answer, and a notification may read
// the results, which must not change meanwhile); progress is handed over without waiting, and
// the Stop button is a flag the worker reads at every step. Nothing here knows the window system:
// the GUI supplies the means of calling over.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "core/app/DocumentObserver.h"
#include "core/common/ProgressSink.h"
#include "core/common/Prompter.h"
#include "core/flight/ProgressMeter.h"

namespace plumora::gui {

// Runs a function on the user-interface thread and returns once it has run there (at once when
// called on that thread).
using BlockingInvoker = std::function<void(const std::function<void()>&)>;

// Shows the engine's prompts through target, on the user-interface thread; the calling thread
// waits for the answer.
class MarshallingPrompter final : public Prompter {
 public:
  MarshallingPrompter(Prompter& target, BlockingInvoker invoke)
      : target_(target), invoke_(std::move(invoke)) {}
  void Message(std::string_view text, std::string_view caption) override;
  bool AskOkCancel(std::string_view text, std::string_view caption) override;
  bool AskYesNo(std::string_view text, std::string_view caption) override;

 private:
  Prompter& target_;
  BlockingInvoker invoke_;
};

// Hands a document's notifications to target on the user-interface thread; the notifying
// thread waits until they have been handled.
class MarshallingObserver final : public DocumentObserver {
 public:
  MarshallingObserver(DocumentObserver& target, BlockingInvoker invoke)
      : target_(target), invoke_(std::move(invoke)) {}
  void ChartZoomCleared(const CPlumoraDoc& doc) override;
  void ResultsChanged(const CPlumoraDoc& doc) override;
  void ViewsNeedUpdate(const CPlumoraDoc& doc) override;
  void MissionPlanChanged(const CPlumoraDoc& doc) override;
  void StudyChanged(const CPlumoraDoc& doc) override;

 private:
  DocumentObserver& target_;
  BlockingInvoker invoke_;
};

// The progress of the running phase as the dialog shows it.
struct ProgressSnapshot {
  bool phaseRunning = false;
  std::string elapsedText;  // "%10.2f s"
  std::string leftText;     // "%10.2f s"
  std::string phaseText;    // "    k/n"
  int barPosition = 0;      // 0 to 100
};

// The progress sink of a run on a worker thread. The worker reports; wake (called on the worker,
// at most once until the news has been taken) lets the user interface know there is something
// to show; the user interface takes the latest state and may ask the run to stop.
class ProgressRelay final : public ProgressSink {
 public:
  using Wake = std::function<void()>;
  explicit ProgressRelay(Wake wake, ProgressMeter::Clock clock = SteadyMilliseconds);

  // Worker side.
  void PhaseStarted(std::string_view phaseText) override;
  void ShowProgress(double percentage) override;
  bool StopRequested() override { return stop_.load(); }
  void PhaseEnded() override;

  // User-interface side.
  ProgressSnapshot Take();
  void RequestStop() { stop_.store(true); }

 private:
  bool NewsPending();       // with the lock held: true for the first news since the last look
  void WakeIf(bool first);  // without the lock

  Wake wake_;
  ProgressMeter::Clock clock_;
  std::mutex mutex_;
  std::optional<ProgressMeter> meter_;
  bool pending_ = false;
  std::atomic<bool> stop_{false};
};

}  // namespace plumora::gui
