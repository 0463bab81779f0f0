#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "core/app/RunMission.h"
#include "core/common/Messages.h"
#include "gui/logic/app/RunRelay.h"
#include "support/FlightFixture.h"
#include "support/NotingPrompter.h"

namespace plumora::gui {
namespace {

// A stand-in for the user-interface thread: a thread that runs what it is handed, one at a
// time, while the caller waits.
class UiThread {
 public:
  UiThread() : thread_([this] { Loop(); }) {}
  ~UiThread() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  std::thread::id id() const { return thread_.get_id(); }
  BlockingInvoker Invoker() {
    return [this](const std::function<void()>& work) {
      std::mutex m;
      std::condition_variable cv;
      bool finished = false;
      {
        std::lock_guard lock(mutex_);
        queue_.push_back([&] {
          work();
          std::lock_guard l(m);
          finished = true;
          cv.notify_all();
        });
      }
      wake_.notify_all();
      std::unique_lock l(m);
      cv.wait(l, [&] { return finished; });
    };
  }

 private:
  void Loop() {
    for (;;) {
      std::function<void()> job;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return done_ || !queue_.empty(); });
        if (queue_.empty()) return;
        job = std::move(queue_.front());
        queue_.pop_front();
      }
      job();
    }
  }
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> queue_;
  bool done_ = false;
  std::thread thread_;
};

// Notes on which thread each notification arrived and what the results held then.
struct ThreadRecorder final : DocumentObserver {
  std::vector<std::thread::id> threads;
  std::vector<int> lastIndexSeen;
  void ResultsChanged(const CPlumoraDoc& doc) override {
    threads.push_back(std::this_thread::get_id());
    lastIndexSeen.push_back(doc.results.LastIndex());
  }
  void ViewsNeedUpdate(const CPlumoraDoc&) override {
    threads.push_back(std::this_thread::get_id());
  }
};

TEST(RunRelayTest, PromptsAndNotificationsOfAWorkerRunOnTheInterfaceThread) {
  UiThread ui;
  test::FlightFixture f;
  f.AddBallisticPhase();
  f.doc.mission.payloads.front()->number = 77;  // the phase now flies a payload that does not exist
  test::NotingPrompter shown;  // answers on the thread it is called on, noting which
  std::vector<std::thread::id> shownOn;
  shown.note = [&] { shownOn.push_back(std::this_thread::get_id()); };
  shown.recorder.QueueAnswers({false});
  MarshallingPrompter prompter(shown, ui.Invoker());
  ThreadRecorder heard;
  MarshallingObserver observer(heard, ui.Invoker());
  f.doc.SetPrompter(&prompter);
  f.doc.AddObserver(&observer);

  std::thread worker([&] {
    RunMission(f.doc);
    EXPECT_FALSE(prompter.AskYesNo("Continue?", "Warning!"));  // the answer comes back
  });
  worker.join();

  ASSERT_EQ(shown.recorder.entries().size(), 2u);
  EXPECT_EQ(shown.recorder.entries()[0].text, kMsgNoPayloadBallistic);
  EXPECT_EQ(shown.recorder.entries()[0].caption, kCaptionError);
  for (std::thread::id id : shownOn) EXPECT_EQ(id, ui.id());
  ASSERT_EQ(heard.threads.size(), 2u);
  for (std::thread::id id : heard.threads) EXPECT_EQ(id, ui.id());
  EXPECT_EQ(heard.lastIndexSeen[0], f.doc.results.LastIndex());
  f.doc.RemoveObserver(&observer);
}

TEST(RunRelayTest, ProgressWakesTheInterfaceOnceUntilItLooks) {
  double now = 0.0;
  int wakes = 0;
  ProgressRelay relay([&] { ++wakes; }, [&] { return now; });
  EXPECT_FALSE(relay.Take().phaseRunning);
  relay.PhaseStarted("    1/2");
  now = 2000.0;
  relay.ShowProgress(25.0);
  relay.ShowProgress(50.0);
  EXPECT_EQ(wakes, 1);  // the interface has not looked yet: no second wake
  ProgressSnapshot s = relay.Take();
  EXPECT_TRUE(s.phaseRunning);
  EXPECT_EQ(s.phaseText, "    1/2");
  EXPECT_EQ(s.elapsedText, "      2.00 s");
  EXPECT_EQ(s.leftText, "      2.00 s");
  EXPECT_EQ(s.barPosition, 50);
  relay.ShowProgress(100.0);
  EXPECT_EQ(wakes, 2);
  EXPECT_EQ(relay.Take().leftText, "      0.00 s");
  relay.PhaseEnded();
  EXPECT_FALSE(relay.Take().phaseRunning);
}

TEST(RunRelayTest, StopFromTheInterfaceEndsTheRunAtTheNextStep) {
  test::FlightFixture f;
  f.AddBallisticPhase().stopTime = 1000.0;
  f.AddBallisticPhase();
  ProgressRelay* relayPtr = nullptr;
  int shown = 0;
  // The interface looks at every news and presses Stop on the first progress it sees.
  ProgressRelay relay([&] {
    relayPtr->Take();
    if (++shown == 2) relayPtr->RequestStop();
  });
  relayPtr = &relay;
  f.doc.SetProgressSink(&relay);
  std::thread worker([&] { RunMission(f.doc); });
  worker.join();
  EXPECT_TRUE(relay.StopRequested());
  // The first phase stopped after a step or two, and the second never ran.
  EXPECT_GE(f.doc.results.LastIndex(), 0);
  EXPECT_LT(f.doc.results.LastIndex(), 5);
  EXPECT_EQ(f.prompter.entries().size(), 0u) << f.prompter.Transcript();
}

}  // namespace
}  // namespace plumora::gui
