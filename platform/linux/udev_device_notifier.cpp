#include "platform/linux/udev_device_notifier.h"

#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace platform::linux_backend {
namespace {

// udevd leaves its control socket here while it runs.
constexpr const char* kUdevControl = "/run/udev/control";

std::string TextOf(const char* value) {
  return value != nullptr ? value : "";
}

}  // namespace

std::unique_ptr<UdevDeviceNotifier> UdevDeviceNotifier::Create(
    const std::vector<std::string>& subsystems, std::string& error) {
  struct udev* context = udev_new();
  if (context == nullptr) {
    error = std::string("udev_new: ") + std::strerror(errno);
    return nullptr;
  }
  const std::string source = access(kUdevControl, F_OK) == 0 ? "udev" : "kernel";
  struct udev_monitor* monitor = udev_monitor_new_from_netlink(context, source.c_str());
  if (monitor == nullptr) {
    error = "udev monitor (" + source + " events): " + std::strerror(errno);
    udev_unref(context);
    return nullptr;
  }
  int result = 0;
  for (const std::string& subsystem : subsystems) {
    if (result >= 0) {
      result = udev_monitor_filter_add_match_subsystem_devtype(monitor, subsystem.c_str(), nullptr);
    }
  }
  if (result >= 0) result = udev_monitor_enable_receiving(monitor);
  if (result < 0) {
    error = std::string("udev monitor: ") + std::strerror(-result);
    udev_monitor_unref(monitor);
    udev_unref(context);
    return nullptr;
  }
  return std::unique_ptr<UdevDeviceNotifier>(new UdevDeviceNotifier(context, monitor, source));
}

UdevDeviceNotifier::UdevDeviceNotifier(struct udev* context, struct udev_monitor* monitor,
                                       std::string source)
    : udev_(context), monitor_(monitor), source_(std::move(source)) {}

UdevDeviceNotifier::~UdevDeviceNotifier() {
  udev_monitor_unref(monitor_);
  udev_unref(udev_);
}

intptr_t UdevDeviceNotifier::EventHandle() const {
  return udev_monitor_get_fd(monitor_);
}

bool UdevDeviceNotifier::TakePending(DeviceNotice& notice) {
  // Does not block: the monitor's socket is non-blocking, and events that the filter drops
  // are skipped inside.
  struct udev_device* device = udev_monitor_receive_device(monitor_);
  if (device == nullptr) return false;
  notice.action = TextOf(udev_device_get_action(device));
  notice.subsystem = TextOf(udev_device_get_subsystem(device));
  notice.node = TextOf(udev_device_get_devnode(device));
  udev_device_unref(device);
  return true;
}

bool UdevDeviceNotifier::NextNotice(uint32_t timeoutMs, DeviceNotice& notice) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (TakePending(notice)) return true;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd ready{udev_monitor_get_fd(monitor_), POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left)) < 0 && errno != EINTR) return false;
  }
}

}  // namespace platform::linux_backend

namespace platform {

std::unique_ptr<DeviceNotifier> CreateDeviceNotifier(std::string& error) {
  using linux_backend::UdevDeviceNotifier;
  return UdevDeviceNotifier::Create(UdevDeviceNotifier::CameraSubsystems(), error);
}

}  // namespace platform
