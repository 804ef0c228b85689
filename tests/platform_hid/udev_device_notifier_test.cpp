// The notifier on the real netlink path. The camera's kinds of device cannot be made to appear
// here, so the test watches the memory devices and asks the kernel to announce /dev/null again
// (a "change" event, which alters nothing): that needs root, and is skipped without it.

#include "platform/linux/udev_device_notifier.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <fstream>

namespace {

using platform::linux_backend::UdevDeviceNotifier;

constexpr const char* kNullUevent = "/sys/class/mem/null/uevent";

TEST(UdevDeviceNotifierTest, CameraNotifierCanBeMadeAndHasAPollableHandle) {
  std::string error;
  auto notifier = platform::CreateDeviceNotifier(error);
  ASSERT_NE(notifier, nullptr) << error;
  EXPECT_GE(notifier->EventHandle(), 0);
}

TEST(UdevDeviceNotifierTest, ReportsADeviceEventOfAWatchedSubsystemOnly) {
  std::string error;
  auto notifier = UdevDeviceNotifier::Create({"mem"}, error);
  ASSERT_NE(notifier, nullptr) << error;
  auto other = UdevDeviceNotifier::Create({"hidraw"}, error);
  ASSERT_NE(other, nullptr) << error;
  platform::DeviceNotice notice;
  while (notifier->NextNotice(0, notice)) {
  }  // whatever came before the test

  {
    std::ofstream trigger(kNullUevent);
    trigger << "change\n";
    trigger.flush();
    if (!trigger) GTEST_SKIP() << "cannot write " << kNullUevent << " (needs root)";
  }
  pollfd ready{static_cast<int>(notifier->EventHandle()), POLLIN, 0};
  ASSERT_EQ(poll(&ready, 1, 5000), 1) << "the handle is ready for an event loop";
  ASSERT_TRUE(notifier->NextNotice(5000, notice)) << "source: " << notifier->source();
  EXPECT_EQ(notice.action, "change");
  EXPECT_EQ(notice.subsystem, "mem");
  EXPECT_EQ(notice.node, "/dev/null");
  EXPECT_FALSE(other->NextNotice(50, notice)) << "hidraw is not told of a memory device";
}

}  // namespace
