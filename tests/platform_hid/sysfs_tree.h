#pragma once
// A sysfs and /dev pair under a fresh temporary directory, laid out as the kernel lays out
// hidraw nodes: <root>/sys/class/hidraw/hidrawN links into
// <root>/sys/devices/.../0003:VVVV:PPPP.NNNN/hidraw/hidrawN, whose HID device carries uevent
// and report_descriptor, under the USB device with its bcdDevice. The /dev side,
// <root>/dev, starts empty: tests put plain files there or serve nodes into it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

struct SysfsHidDevice {
  std::string node = "hidraw0";  // the node's name; DEVNAME as well unless devName is set
  std::string devName;           // when set, the uevent's DEVNAME (may differ from node)
  uint16_t bus = 0x0003;         // 0x0003 USB, 0x0018 I2C, 0x0005 Bluetooth
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  // The version of the USB device above; on another bus, of the USB device (a dongle) that
  // carries it. None: no bcdDevice file.
  std::optional<uint16_t> bcdDevice;
  std::vector<uint8_t> descriptor;
  bool linked = true;  // false: the class entry has no device link (a broken tree)
};

class SysfsTree {
 public:
  SysfsTree();   // creates the directory; throws std::runtime_error when it cannot
  ~SysfsTree();  // removes it
  SysfsTree(const SysfsTree&) = delete;
  SysfsTree& operator=(const SysfsTree&) = delete;

  const std::string& root() const { return root_; }
  std::string sysfs() const { return root_ + "/sys"; }
  std::string dev() const { return root_ + "/dev"; }

  // Adds the device's directories and its class entry. Throws on a file system error.
  void Add(const SysfsHidDevice& device);
  // Removes the class entry of that node, as an unplug does.
  void Remove(const std::string& node);
  // A plain file at <dev>/name standing for the device node.
  void AddNodeFile(const std::string& name);

 private:
  std::string root_;
  unsigned next_ = 1;  // numbers the HID devices and their USB ports
};

}  // namespace testing_support
