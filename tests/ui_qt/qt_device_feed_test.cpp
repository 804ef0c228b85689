// The device feed on Qt, offscreen: notices on the notifier's handle reach the attached dialog
// as one device change per burst, none while detached, and a system without notices only
// says so on stderr, once.

#include "ui/qt/qt_device_feed.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <memory>
#include <string>

#include "ui/qt/qt_dialog.h"

namespace {

namespace window = ui::window;

// Notices as bytes in a pipe: each byte written is one pending notice.
class PipeNotifier final : public platform::DeviceNotifier {
 public:
  PipeNotifier() { EXPECT_EQ(::pipe2(fds_, O_NONBLOCK | O_CLOEXEC), 0); }
  ~PipeNotifier() override {
    ::close(fds_[0]);
    ::close(fds_[1]);
  }
  intptr_t EventHandle() const override { return fds_[0]; }
  bool NextNotice(uint32_t timeoutMs, platform::DeviceNotice& notice) override {
    EXPECT_EQ(timeoutMs, 0u);  // the event loop must never wait here
    char byte = 0;
    if (::read(fds_[0], &byte, 1) != 1) return false;
    notice.action = "add";
    notice.subsystem = "hidraw";
    ++taken;
    return true;
  }
  void Notify(int count) {
    for (int i = 0; i < count; ++i) ASSERT_EQ(::write(fds_[1], "n", 1), 1);
  }
  int taken = 0;

 private:
  int fds_[2] = {-1, -1};
};

class ChangeCounter final : public window::DialogHandler {
 public:
  void OnInitDialog(window::DialogWindow&) override {}
  void OnDeviceChange(window::DialogWindow&) override { ++changes; }
  int changes = 0;
};

window::DialogTemplate SmallTemplate() {
  window::DialogTemplate dialog;
  dialog.width = 100;
  dialog.height = 40;
  dialog.caption = "feed";
  dialog.controls = {{1004, window::ControlKind::Static, "", window::kVisible, {4, 4, 90, 10}}};
  return dialog;
}

// Runs the event loop for a while: long enough for a socket notifier and a queued call.
void ProcessEventsFor(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

class QtDeviceFeedTest : public ::testing::Test {
 protected:
  QtDeviceFeedTest() : dialog_(SmallTemplate(), counter_, nullptr) { dialog_.InitialiseAndShow(); }

  ChangeCounter counter_;
  ui::qt::QtDialog dialog_;
};

TEST_F(QtDeviceFeedTest, ABurstOfNoticesBecomesOneDeviceChangeAndNoneArriveWhileDetached) {
  PipeNotifier* notifier = nullptr;
  ui::qt::QtDeviceFeed feed([&notifier](std::string&) {
    auto made = std::make_unique<PipeNotifier>();
    notifier = made.get();
    return made;
  });
  feed.Attach(dialog_);
  ASSERT_NE(notifier, nullptr);
  EXPECT_TRUE(feed.Listening());

  notifier->Notify(3);
  ProcessEventsFor(200);
  EXPECT_EQ(notifier->taken, 3);
  EXPECT_EQ(counter_.changes, 1);

  notifier->Notify(1);
  ProcessEventsFor(200);
  EXPECT_EQ(counter_.changes, 2);

  feed.Detach();
  EXPECT_FALSE(feed.Listening());
  notifier->Notify(2);
  ProcessEventsFor(200);
  EXPECT_EQ(counter_.changes, 2);
  EXPECT_EQ(notifier->taken, 4);

  // Attached again, what came meanwhile is one more change; the notifier is the same one.
  PipeNotifier* const first = notifier;
  feed.Attach(dialog_);
  ProcessEventsFor(200);
  EXPECT_EQ(notifier, first);
  EXPECT_EQ(notifier->taken, 6);
  EXPECT_EQ(counter_.changes, 3);
}

TEST_F(QtDeviceFeedTest, WithoutANotifierItWorksWithoutAndSaysWhyOnStderrOnce) {
  int factoryCalls = 0;
  ui::qt::QtDeviceFeed feed([&factoryCalls](std::string& error) {
    ++factoryCalls;
    error = "udev_monitor_new_from_netlink failed";
    return std::unique_ptr<platform::DeviceNotifier>();
  });
  ::testing::internal::CaptureStderr();
  feed.Attach(dialog_);
  feed.Detach();
  feed.Attach(dialog_);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(feed.Listening());
  EXPECT_EQ(factoryCalls, 1);
  const std::string reason = "udev_monitor_new_from_netlink failed";
  ASSERT_NE(said.find(reason), std::string::npos) << said;
  EXPECT_EQ(said.find(reason, said.find(reason) + 1), std::string::npos) << said;
  ProcessEventsFor(50);
  EXPECT_EQ(counter_.changes, 0);
}

}  // namespace
