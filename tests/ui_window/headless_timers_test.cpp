// Timers on the virtual clock.

#include "ui/headless/headless_timers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ui::headless::HeadlessTimers;

class TimersTest : public ::testing::Test {
 protected:
  void Advance(uint32_t ms) {
    timers_.Advance(ms, [this](const HeadlessTimers::Key& key) {
      fired_.push_back({key.second, timers_.Now()});
    });
  }
  struct Firing {
    int id;
    uint64_t at;
    bool operator==(const Firing&) const = default;
  };
  const void* owner_ = this;
  HeadlessTimers timers_;
  std::vector<Firing> fired_;
};

TEST_F(TimersTest, FiresEveryIntervalAtItsDueTimesEarliestFirst) {
  timers_.Set({owner_, 2}, 30);
  timers_.Set({owner_, 1}, 20);
  Advance(65);
  EXPECT_EQ(fired_, (std::vector<Firing>{{1, 20}, {2, 30}, {1, 40}, {2, 60}, {1, 60}}));
  EXPECT_EQ(timers_.Now(), 65u);
}

TEST_F(TimersTest, SettingARunningTimerAgainRestartsItsInterval) {
  timers_.Set({owner_, 1}, 100);
  Advance(60);
  timers_.Set({owner_, 1}, 100);  // a second notice within the interval
  Advance(60);
  EXPECT_TRUE(fired_.empty());
  Advance(40);
  EXPECT_EQ(fired_, (std::vector<Firing>{{1, 160}}));
}

TEST_F(TimersTest, KilledTimersAndOwnersStopFiring) {
  const int other = 0;
  timers_.Set({owner_, 1}, 10);
  timers_.Set({&other, 1}, 10);
  timers_.Kill({owner_, 1});
  Advance(10);
  ASSERT_EQ(fired_.size(), 1u);
  timers_.KillAllOf(&other);
  Advance(100);
  EXPECT_EQ(fired_.size(), 1u);
  EXPECT_FALSE(timers_.Interval({&other, 1}).has_value());
}

TEST_F(TimersTest, ATimerKilledByAnotherFiringAtTheSameTimeDoesNotFire) {
  timers_.Set({owner_, 1}, 10);
  timers_.Set({owner_, 2}, 10);
  timers_.Advance(10, [this](const HeadlessTimers::Key& key) {
    fired_.push_back({key.second, timers_.Now()});
    if (key.second == 1) timers_.Kill({owner_, 2});
  });
  EXPECT_EQ(fired_, (std::vector<Firing>{{1, 10}}));
}

}  // namespace
