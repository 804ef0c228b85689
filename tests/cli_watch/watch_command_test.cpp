// The watch loop on a scripted notifier and the simulated camera: what it lists at the start,
// one line per notice, one listing per settled burst, and its limits.

#include "cli/watch_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <thread>

#include "device/library_state.h"
#include "sim/sim_bench.h"
#include "tests/support/isolated_mutexes.h"

namespace {

// Each NextNotice call takes the next step: it runs the step's action (plugging or unplugging
// the camera, as the device change would) and returns its notice, or reports a quiet wait.
class ScriptedNotifier final : public platform::DeviceNotifier {
 public:
  struct Step {
    std::function<void()> action;
    bool notice = false;
    platform::DeviceNotice what;
  };

  void Notice(std::string action, std::string subsystem, std::string node,
              std::function<void()> change = {}) {
    steps_.push_back(
        {std::move(change), true, {std::move(action), std::move(subsystem), std::move(node)}});
  }
  void Quiet() { steps_.push_back({}); }

  intptr_t EventHandle() const override { return -1; }
  bool NextNotice(uint32_t timeoutMs, platform::DeviceNotice& notice) override {
    waits.push_back(timeoutMs);
    if (steps_.empty()) {
      // Nothing more is scripted: time passes as it would, in small steps.
      std::this_thread::sleep_for(std::chrono::milliseconds(std::min<uint32_t>(timeoutMs, 5)));
      return false;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    if (step.action) step.action();
    if (step.notice) notice = step.what;
    return step.notice;
  }

  std::vector<uint32_t> waits;  // the time-out of each call

 private:
  std::deque<Step> steps_;
};

class WatchCommandTest : public ::testing::Test {
 protected:
  WatchCommandTest() {
    ResetLibraryForTests();
    sim::SimBench::Options options;
    options.mutexes = &testing_support::IsolatedMutexes();
    bench_ = std::make_unique<sim::SimBench>(options);
    context_.out = std::tmpfile();
  }
  ~WatchCommandTest() override {
    std::fclose(context_.out);
    bench_.reset();
    ResetLibraryForTests();
  }

  std::string Output() {
    std::string text;
    std::rewind(context_.out);
    for (int c = std::fgetc(context_.out); c != EOF; c = std::fgetc(context_.out)) {
      text += static_cast<char>(c);
    }
    return text;
  }

  std::unique_ptr<sim::SimBench> bench_;
  cli::CommandContext context_;
  ScriptedNotifier notifier_;
};

TEST_F(WatchCommandTest, ListsAtTheStartAndOnceAfterEachSettledBurst) {
  const std::string camera = bench_->cameraPath();
  notifier_.Notice("remove", "hidraw", "/dev/hidraw0", [&] { bench_->hid().Unplug(camera); });
  notifier_.Notice("remove", "video4linux", "/dev/video0");
  notifier_.Quiet();
  notifier_.Notice("add", "hidraw", "/dev/hidraw0", [&] { bench_->hid().Plug(camera); });
  notifier_.Quiet();
  notifier_.Notice("", "", "");  // past the count: never taken

  cli::WatchLimits limits;
  limits.count = 3;
  cli::RunWatch(context_, notifier_, limits);
  EXPECT_EQ(Output(),
            "list: kind Hid, count 1, slot 0: chip generation 2\n"
            "notice: remove hidraw /dev/hidraw0\n"
            "notice: remove video4linux /dev/video0\n"
            "list: no camera found\n"
            "notice: add hidraw /dev/hidraw0\n"
            "list: kind Hid, count 1, slot 0: chip generation 2\n");
  // Within a burst each wait is the settling time; between bursts the wait is open.
  ASSERT_EQ(notifier_.waits.size(), 5u);
  EXPECT_GT(notifier_.waits[0], cli::kWatchSettleMs);
  EXPECT_EQ(notifier_.waits[1], cli::kWatchSettleMs);
  EXPECT_EQ(notifier_.waits[2], cli::kWatchSettleMs);
  EXPECT_EQ(notifier_.waits[4], cli::kWatchSettleMs);
}

TEST_F(WatchCommandTest, TimeoutEndsAQuietWatchAndCutsItsWaits) {
  notifier_.Notice("", "", "");
  cli::WatchLimits limits;
  limits.timeoutSeconds = 0.05;
  cli::RunWatch(context_, notifier_, limits);
  EXPECT_EQ(Output(),
            "list: kind Hid, count 1, slot 0: chip generation 2\n"
            "notice: devices may have changed\n"
            "list: kind Hid, count 1, slot 0: chip generation 2\n");
  for (uint32_t wait : notifier_.waits) EXPECT_LE(wait, 50u);
}

}  // namespace
