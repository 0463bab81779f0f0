#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "gui/logic/commands/CommandIds.h"
#include "gui/logic/results/AnimationBarController.h"
#include "gui/logic/results/AnimationControl.h"

namespace plumora::gui {
namespace {

class AnimationTest : public ::testing::Test {
 protected:
  AnimationTest() : control([this] { return now; }) {
    control.SetRefresh([this](int index, bool playing) { refreshed.push_back({index, playing}); });
  }
  void Fill(int samples, double spacing) {
    for (int i = 0; i < samples; ++i) {
      CTrajectorySample s;
      s.time = spacing * i;
      store.Append(s);
    }
    control.Bind(&store);
    control.ResetAnimation();
    refreshed.clear();
  }
  struct Refresh {
    int index;
    bool playing;
    bool operator==(const Refresh&) const = default;
  };
  double now = 1000.0;
  CTrajectoryStore store;
  AnimationControl control;
  std::vector<Refresh> refreshed;
};

TEST_F(AnimationTest, AtDoubleSpeedTenthSecondSamplesComeEveryFiftyMilliseconds) {
  Fill(100, 0.1);
  control.SpeedSelected(2);  // "x2"
  control.Play();
  EXPECT_DOUBLE_EQ(control.periodMs(), 50.0);
  EXPECT_EQ(refreshed, (std::vector<Refresh>{{0, false}}));
  refreshed.clear();
  // Idle calls every millisecond for a quarter of a second: one sample per 50 ms.
  std::vector<double> shownAt;
  for (int ms = 1; ms <= 250; ++ms) {
    now = 1000.0 + ms;
    const int before = control.index();
    EXPECT_TRUE(control.Idle());
    if (control.index() != before) shownAt.push_back(ms);
  }
  EXPECT_EQ(shownAt, (std::vector<double>{50, 100, 150, 200, 250}));
  EXPECT_EQ(control.index(), 5);
  EXPECT_EQ(refreshed.back(), (Refresh{5, true}));
}

TEST_F(AnimationTest, WakingOnlyWhenAStepIsDueKeepsToTheExactPeriod) {
  Fill(100, 0.125);
  control.SpeedSelected(3);  // "x4": 31.25 ms per sample, not a whole number of milliseconds
  control.Play();
  std::vector<double> shownAt;
  for (int wakes = 0; wakes < 4; ++wakes) {
    now += control.MsToNextStep();
    control.Idle();
    shownAt.push_back(now - 1000.0);
  }
  EXPECT_EQ(shownAt, (std::vector<double>{31.25, 62.5, 93.75, 125.0}));
  EXPECT_EQ(control.index(), 4);
  now += 70;  // late: two samples at once, and the next one is due on the old schedule
  control.Idle();
  EXPECT_EQ(control.index(), 6);
  EXPECT_DOUBLE_EQ(control.MsToNextStep(), 23.75);
  control.Pause();
  EXPECT_LT(control.MsToNextStep(), 0.0);
}

TEST_F(AnimationTest, TheFastSpeedsKeepTheirPaceWakingAHundredTimesASecondAtMost) {
  Fill(7000, 0.01);  // 10 ms of flight between samples: several samples per wake
  for (const auto& [item, perSecond] : {std::pair{5, 1600}, {6, 3200}, {7, 6400}}) {
    control.SliderReleased(0);
    control.SpeedSelected(item);
    control.Play();
    int wakes = 0;
    for (const double end = now + 1000.0; now < end; ++wakes) {  // as the main window wakes
      now += control.MsToNextStep();
      control.Idle();
    }
    EXPECT_EQ(control.index(), perSecond) << kSpeedItems[item];
    EXPECT_EQ(wakes, 100) << kSpeedItems[item];
    control.Pause();
  }
}

TEST_F(AnimationTest, TheNearestSampleToATime) {
  EXPECT_EQ(NearestSample(store, 3.0), 0);  // none at all
  Fill(5, 0.25);
  EXPECT_EQ(NearestSample(store, -4.0), 0);
  EXPECT_EQ(NearestSample(store, 0.125), 0);  // equally near: the first
  EXPECT_EQ(NearestSample(store, 0.3), 1);
  EXPECT_EQ(NearestSample(store, 1e9), 4);
}

TEST_F(AnimationTest, ALateIdleCallSkipsSamplesAndKeepsTheSchedule) {
  Fill(100, 0.1);
  control.Play();  // x1: 100 ms per sample
  now += 99;
  control.Idle();
  EXPECT_EQ(control.index(), 0);
  now += 251;  // 350 ms after the start
  control.Idle();
  EXPECT_EQ(control.index(), 3);
  now += 50;  // 400 ms: the fourth slot, not 450 ms
  control.Idle();
  EXPECT_EQ(control.index(), 4);
}

TEST_F(AnimationTest, TheEndPausesAtTheLastSample) {
  Fill(5, 0.1);
  control.Play();
  now += 10000;
  EXPECT_TRUE(control.Idle());
  EXPECT_EQ(control.index(), 4);
  EXPECT_FALSE(control.playing());
  EXPECT_FALSE(control.Idle());  // no more idle time wanted
  EXPECT_EQ(control.TimeText(), "0.40/0.40 s");
}

TEST_F(AnimationTest, ChangingSpeedWhilePlayingRestartsWithTheNewPeriodFromTheSameSample) {
  Fill(50, 0.1);
  control.Play();
  now += 300;
  control.Idle();
  ASSERT_EQ(control.index(), 3);
  control.SpeedSelected(0);  // "x0.5"
  EXPECT_TRUE(control.playing());
  EXPECT_DOUBLE_EQ(control.periodMs(), 200.0);
  EXPECT_EQ(control.index(), 3);
  now += 199;
  control.Idle();
  EXPECT_EQ(control.index(), 3);
  now += 1;
  control.Idle();
  EXPECT_EQ(control.index(), 4);
}

TEST_F(AnimationTest, ALoneSampleOrAnEmptyStoreReplaysSafely) {
  Fill(1, 0.1);
  control.ToEnd();  // the last index is 0: nothing happens
  EXPECT_TRUE(refreshed.empty());
  control.Play();
  EXPECT_DOUBLE_EQ(control.periodMs(), 1000.0 * 1000.0);
  EXPECT_EQ(control.TimeText(), "0.00/0.00 s");

  CTrajectoryStore empty;
  control.Bind(&empty);
  control.ResetAnimation();
  EXPECT_FALSE(control.playing());
  EXPECT_FALSE(control.controlsEnabled());
  EXPECT_EQ(control.sliderMaximum(), 0);
  EXPECT_EQ(control.TimeText(), "0.00/0.0 s");
  refreshed.clear();
  control.AdvanceAnimation(3);
  EXPECT_TRUE(refreshed.empty());
  control.Bind(nullptr);
  EXPECT_EQ(control.TimeText(), "0.00/0.0 s");
}

TEST_F(AnimationTest, ZeroSpacingCountsAsOneMillisecond) {
  Fill(10, 0.0);
  control.Play();
  now += 3;
  control.Idle();
  EXPECT_EQ(control.index(), 3);
}

TEST_F(AnimationTest, SwitchingToShorterResultsNeverReadsPastThem) {
  Fill(20, 0.1);
  control.ToEnd();
  CTrajectoryStore shorter;
  shorter.Append(CTrajectorySample{});
  control.Bind(&shorter);
  EXPECT_EQ(control.TimeText(), "0.00/0.00 s");
}

TEST_F(AnimationTest, GoToTimeShowsTheLatestSampleAtOrBeforeTheTimeTyped) {
  EXPECT_EQ(SampleAtOrBefore(store, "1").index, -1);  // nothing to move through
  Fill(5, 0.25);                                      // 0, 0.25 ... 1 s
  EXPECT_EQ(SampleAtOrBefore(store, "0").index, 0);
  EXPECT_EQ(SampleAtOrBefore(store, "0.74").index, 2);
  EXPECT_EQ(SampleAtOrBefore(store, " +0.75\t").index, 3);
  EXPECT_EQ(SampleAtOrBefore(store, "1e0").index, 4);
  EXPECT_EQ(SampleAtOrBefore(store, "1").message, "");

  const TimeChoice late = SampleAtOrBefore(store, "1.001");
  EXPECT_EQ(late.index, -1);
  EXPECT_EQ(late.message, "1.001 s is outside the flight, which lasts from 0.00 to 1.00 s.");
  EXPECT_EQ(SampleAtOrBefore(store, "-0.5").index, -1);
  const std::string huge(400, '9');
  EXPECT_EQ(SampleAtOrBefore(store, huge).index, -1);  // a long number is read, not overrun
  for (const char* bad : {"", " ", "0,5", "12 s", "abc", "nan", "inf", "+", "1e999", "--1"}) {
    const TimeChoice choice = SampleAtOrBefore(store, bad);
    EXPECT_EQ(choice.index, -1) << bad;
    EXPECT_EQ(choice.message,
              "Type the time in seconds, with a point for decimals (for example 120.5).")
        << bad;
  }

  control.ShowSample(SampleAtOrBefore(store, "0.5").index);
  EXPECT_EQ(control.index(), 2);
  EXPECT_EQ(refreshed.back(), (Refresh{2, false}));
  control.ShowSample(99);  // kept within the store
  EXPECT_EQ(control.index(), 4);
}

TEST_F(AnimationTest, GoToTimeInResultsOutOfTimeOrderTakesTheLatestEarlierTime) {
  // An imported trajectory keeps its rows as the file had them.
  for (double t : {0.0, 2.0, 1.0, 3.0, 1.0}) {
    CTrajectorySample s;
    s.time = t;
    store.Append(s);
  }
  EXPECT_EQ(SampleAtOrBefore(store, "1.5").index, 2);  // the first of the two at 1 s
  EXPECT_EQ(SampleAtOrBefore(store, "2.5").index, 1);
}

// The bar's controller on the same replay: what each control does, and what the bar shows.
class AnimationBarTest : public AnimationTest {
 protected:
  PaneRequest Use(int id, int value = 0) { return bar.Use(id, value, false); }
  AnimationBarController bar{control};
};

// Each control moves the replay its own way, always within the store.
TEST_F(AnimationBarTest, EachTransportControlMovesTheReplayItsOwnWayWithinTheStore) {
  Fill(4, 0.5);
  EXPECT_EQ(bar.State(), (AnimationBarState{3, 0, "0.00/1.50 s", true}));
  Use(kCtlStepBack);
  Use(kCtlToStart);
  EXPECT_TRUE(refreshed.empty());  // already at the start
  Use(kCtlStepForward);
  Use(kCtlStepForward);
  EXPECT_EQ(bar.State(), (AnimationBarState{3, 2, "1.00/1.50 s", true}));
  EXPECT_EQ(Use(kCtlToEnd), PaneRequest::kNone);
  Use(kCtlStepForward);
  EXPECT_EQ(control.index(), 3);
  Use(kCtlStepBack);
  EXPECT_EQ(control.index(), 2);
  Use(kCtlAnimationSlider, 99);
  EXPECT_EQ(control.index(), 3);
  Use(kCtlAnimationSlider, 1);
  EXPECT_EQ(bar.State(), (AnimationBarState{3, 1, "0.50/1.50 s", true}));
  EXPECT_EQ(refreshed.size(), 6u);
  Use(kCtlPause);  // not playing: nothing to do
  EXPECT_EQ(refreshed.size(), 6u);
  Use(kCtlPlay);
  EXPECT_TRUE(control.playing());
  Use(kCtlPause);
  EXPECT_FALSE(control.playing());
  Use(kCtlSpeed, 3);  // x4
  EXPECT_DOUBLE_EQ(control.speedFactor(), 4.0);
  // The bar's other controls (its time text) and unknown ids change nothing.
  Use(kCtlTimeText);
  Use(-1);
  EXPECT_EQ(bar.State(), (AnimationBarState{3, 1, "0.50/1.50 s", true}));
}

// The zoom buttons are for the active pane and leave the replay alone; during a run no control
// acts, nor zooms.
TEST_F(AnimationBarTest, TheZoomButtonsAreForThePaneAndDuringARunNothingActs) {
  Fill(5, 1.0);
  for (int id : {kCtlToEnd, kCtlStepForward, kCtlPlay, kCtlAnimationSlider, kCtlSpeed,
                 kCtlZoomToSelection, kCtlZoomReset}) {
    EXPECT_EQ(bar.Use(id, 4, true), PaneRequest::kNone) << id;
  }
  EXPECT_EQ(control.index(), 0);
  EXPECT_FALSE(control.playing());
  EXPECT_DOUBLE_EQ(control.speedFactor(), 1.0);
  Use(kCtlAnimationSlider, 3);
  EXPECT_EQ(Use(kCtlZoomToSelection), PaneRequest::kZoomToSelection);
  EXPECT_EQ(Use(kCtlZoomReset), PaneRequest::kZoomReset);
  EXPECT_EQ(control.index(), 3);
}

TEST_F(AnimationBarTest, WithoutResultsTheTransportIsOff) {
  EXPECT_EQ(bar.State(), (AnimationBarState{0, 0, "0.00/0.0 s", false}));
  EXPECT_EQ(bar.WakeDelayMs(), -1);
  Fill(1, 1.0);  // a lone sample replays, but has nowhere to go
  EXPECT_TRUE(bar.State().transportEnabled);
  EXPECT_EQ(bar.State().sliderMaximum, 0);
}

TEST_F(AnimationBarTest, TheWakeIsRoundedUpToWholeMillisecondsAndOnlyWhilePlaying) {
  Fill(100, 0.125);
  EXPECT_EQ(bar.WakeDelayMs(), -1);  // paused
  Use(kCtlSpeed, 3);                 // 31.25 ms per sample
  Use(kCtlPlay);
  EXPECT_EQ(bar.WakeDelayMs(), 32);  // never early: a wake before the step is due shows nothing
  now += 31.0;
  EXPECT_EQ(bar.WakeDelayMs(), kMinWakeMs);
  Use(kCtlPause);
  EXPECT_EQ(bar.WakeDelayMs(), -1);
}

TEST_F(AnimationBarTest, ASpacingOfYearsStillGivesATimerDelay) {
  Fill(3, 1e9);  // a period past what a timer holds
  Use(kCtlPlay);
  const int delay = bar.WakeDelayMs();
  EXPECT_GT(delay, 0);
  EXPECT_LE(delay, 1000000000);
}

}  // namespace
}  // namespace plumora::gui
