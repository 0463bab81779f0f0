#include <gtest/gtest.h>

#include <utility>
#include <vector>

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

TEST_F(AnimationTest, TransportButtonsMoveWithinTheStore) {
  Fill(4, 0.5);
  EXPECT_TRUE(control.controlsEnabled());
  EXPECT_EQ(control.sliderMaximum(), 3);
  EXPECT_EQ(control.TimeText(), "0.00/1.50 s");
  control.StepBack();
  control.ToStart();
  EXPECT_TRUE(refreshed.empty());  // already at the start
  control.StepForward();
  control.StepForward();
  EXPECT_EQ(control.TimeText(), "1.00/1.50 s");
  control.ToEnd();
  control.StepForward();
  EXPECT_EQ(control.index(), 3);
  control.SliderReleased(1);
  EXPECT_EQ(control.index(), 1);
  control.SliderReleased(99);
  EXPECT_EQ(control.index(), 3);
  EXPECT_EQ(refreshed.size(), 5u);
  control.Pause();  // not playing: nothing to do
  EXPECT_EQ(refreshed.size(), 5u);
}

TEST_F(AnimationTest, SwitchingToShorterResultsNeverReadsPastThem) {
  Fill(20, 0.1);
  control.ToEnd();
  CTrajectoryStore shorter;
  shorter.Append(CTrajectorySample{});
  control.Bind(&shorter);
  EXPECT_EQ(control.TimeText(), "0.00/0.00 s");
}

}  // namespace
}  // namespace plumora::gui
