#pragma once
// Hot-plug notices: "devices may have changed". A notice says only that something happened to
// a device of the kinds the camera shows up as (HID and video); whoever listens waits for the
// burst to settle and then looks again, as the detection pass does after the last device
// change.

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// What the system said about the change; any field may be empty where the system does not
// tell.
struct DeviceNotice {
  std::string action;     // "add", "remove", "change", "bind", ...
  std::string subsystem;  // the kind of device, as the system names it
  std::string node;       // the device node, when the device has one
};

class DeviceNotifier {
 public:
  virtual ~DeviceNotifier() = default;

  // A handle that becomes ready to read while notices may be pending, for an event loop's
  // socket notifier (a file descriptor on Linux). Owned by the notifier, valid for its life;
  // when it is ready, take notices with NextNotice(0, ...) until that returns false.
  virtual intptr_t EventHandle() const = 0;

  // Takes the next notice, waiting up to timeoutMs for one (0: only what is pending). False
  // when none came in that time.
  virtual bool NextNotice(uint32_t timeoutMs, DeviceNotice& notice) = 0;
};

// The system's notifier for the camera's kinds of device. Null, with the reason in error, when
// the system cannot give notices. Each platform backend defines it.
std::unique_ptr<DeviceNotifier> CreateDeviceNotifier(std::string& error);

}  // namespace platform
