#pragma once
// The hidraw nodes as sysfs describes them: where each node is, what HID device it belongs to,
// that device's ids and its report descriptor. Nothing here opens a node, so it all works for
// a user who may not open them.
//
// A node <sysfs>/class/hidraw/hidrawN links to its directory under the HID device
// (.../0003:VVVV:PPPP.NNNN/hidraw/hidrawN); that device's uevent carries HID_ID and its
// report_descriptor file the raw descriptor. The device node is <dev>/DEVNAME.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/hid.h"

namespace platform::linux_backend {

// Where the kernel's views are: the running system's by default, a fixture tree in tests.
struct HidrawRoots {
  std::string sysfs = "/sys";
  std::string dev = "/dev";
};

struct HidrawNode {
  std::string name;        // "hidraw3"
  std::string devicePath;  // "/dev/hidraw3"
  std::string hidDevice;   // the HID device's sysfs directory, resolved; empty when not linked
};

// The present hidraw nodes, ordered by name with their numbers compared as numbers (hidraw2
// before hidraw10), so that the order stays the same from one listing to the next. True with
// none when the kernel has no hidraw class; false, with the reason in error, when the class
// directory cannot be read.
bool ListHidrawNodes(const HidrawRoots& roots, std::vector<HidrawNode>& nodes, std::string& error);

// Vendor and product id from HID_ID in the HID device's uevent; the version number is the
// bcdDevice of the USB device above it (HID_ID has no version), 0 for a HID device not on USB.
// False when HID_ID is missing or malformed.
bool ReadHidrawAttributes(const HidrawNode& node, HidAttributes& out);

// The report descriptor as the kernel keeps it; false when it cannot be read.
bool ReadHidrawReportDescriptor(const HidrawNode& node, std::vector<uint8_t>& out);

}  // namespace platform::linux_backend
