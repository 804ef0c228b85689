#pragma once
// Device notices from a libudev monitor on the hidraw and video4linux subsystems.
//
// With udevd running the monitor takes udev's own events, which come once the rules have run
// and the node carries its permissions. Without udevd (containers, minimal systems) nothing
// would ever come that way, so it takes the kernel's events instead; those come before the
// node is ready, which the listener's wait for the burst to settle covers.

#include <string>
#include <vector>

#include "platform/device_notifier.h"

struct udev;
struct udev_monitor;

namespace platform::linux_backend {

class UdevDeviceNotifier final : public DeviceNotifier {
 public:
  // The camera's kinds of device.
  static std::vector<std::string> CameraSubsystems() { return {"hidraw", "video4linux"}; }

  // A monitor on the given subsystems; null, with the reason in error, when it cannot be made.
  static std::unique_ptr<UdevDeviceNotifier> Create(const std::vector<std::string>& subsystems,
                                                    std::string& error);
  ~UdevDeviceNotifier() override;
  UdevDeviceNotifier(const UdevDeviceNotifier&) = delete;
  UdevDeviceNotifier& operator=(const UdevDeviceNotifier&) = delete;

  intptr_t EventHandle() const override;
  bool NextNotice(uint32_t timeoutMs, DeviceNotice& notice) override;

  // "udev" or "kernel": whose events the monitor takes.
  const std::string& source() const { return source_; }

 private:
  UdevDeviceNotifier(struct udev* context, struct udev_monitor* monitor, std::string source);
  bool TakePending(DeviceNotice& notice);

  struct udev* udev_;
  struct udev_monitor* monitor_;
  std::string source_;
};

}  // namespace platform::linux_backend
