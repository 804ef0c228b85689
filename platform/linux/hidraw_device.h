#pragma once
// One opened hidraw interface. Its attributes and capabilities come from sysfs, read when it
// was opened; feature reports go through HIDIOCSFEATURE and HIDIOCGFEATURE on the node. A
// query-only handle has no file descriptor: its transfers fail.

#include <optional>

#include "platform/hid.h"

namespace platform::linux_backend {

class HidrawDevice final : public HidDevice {
 public:
  // Takes ownership of fd (-1 for a query-only handle). An absent attributes or caps makes
  // the matching getter fail.
  HidrawDevice(int fd, std::optional<HidAttributes> attributes, std::optional<HidFeatureCaps> caps);
  ~HidrawDevice() override;
  HidrawDevice(const HidrawDevice&) = delete;
  HidrawDevice& operator=(const HidrawDevice&) = delete;

  bool GetAttributes(HidAttributes& out) override;
  bool GetFeatureCaps(HidFeatureCaps& out) override;

  // The report id is buffer[0] and travels with the payload. A get takes the answer from
  // byte 0 on, as the device sends it; what it does not send reads as zero. Any error of the
  // call (ENODEV after an unplug, EPIPE for a stalled request, EIO) fails it, with no retry,
  // and a set the device took only part of fails too.
  bool SetFeature(const uint8_t* buffer, size_t length) override;
  bool GetFeature(uint8_t* buffer, size_t length) override;

 private:
  int fd_;
  std::optional<HidAttributes> attributes_;
  std::optional<HidFeatureCaps> caps_;
};

}  // namespace platform::linux_backend
