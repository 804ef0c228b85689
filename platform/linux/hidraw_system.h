#pragma once
// The machine's HID interfaces through hidraw: one interface per /dev/hidrawN node.
//
// A query-only open (neither read nor write) does not open the node at all: it checks that
// the node is there and takes the attributes and the report descriptor from sysfs, which any
// user may read. So discovery can recognise the camera without permission to use it, and a
// later read/write open that the system refuses is reported as AccessDenied. An exclusive open
// takes an exclusive advisory lock on the node, every other open with access a shared one, so
// that the tool's own processes keep out of an exclusive holder's way; other programs do not
// take these locks.

#include <mutex>

#include "platform/hid.h"
#include "platform/linux/hidraw_enumeration.h"

namespace platform::linux_backend {

class HidrawSystem final : public HidSystem {
 public:
  explicit HidrawSystem(HidrawRoots roots = {});

  // Device paths such as "/dev/hidraw0", in the order of ListHidrawNodes.
  bool ListInterfaces(std::vector<std::string>& paths) override;
  // Null when path names no listed node, when the node is not there, or when the open (or,
  // with exclusive, the lock) is refused; LastOpenFailure then tells why.
  std::unique_ptr<HidDevice> Open(const std::string& path, const HidOpenMode& mode) override;
  HidOpenFailure LastOpenFailure() const override;

  const HidrawRoots& roots() const { return roots_; }

 private:
  void NoteFailure(HidOpenError error, const std::string& path, const std::string& reason);

  HidrawRoots roots_;
  mutable std::mutex lock_;  // guards failure_
  HidOpenFailure failure_;
};

}  // namespace platform::linux_backend
