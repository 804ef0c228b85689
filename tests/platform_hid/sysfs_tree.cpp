#include "tests/platform_hid/sysfs_tree.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testing_support {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary);
  out << contents;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string Hex(unsigned value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", width, value);
  return text;
}

}  // namespace

SysfsTree::SysfsTree() {
  char pattern[] = "/tmp/tavelin-sysfs-XXXXXX";
  if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  fs::create_directories(sysfs() + "/class/hidraw");
  fs::create_directories(dev());
}

SysfsTree::~SysfsTree() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

void SysfsTree::Add(const SysfsHidDevice& device) {
  const unsigned index = next_++;
  const std::string hidName = Hex(device.bus, 4) + ":" + Hex(device.vendorId, 4) + ":" +
                              Hex(device.productId, 4) + "." + Hex(index, 4);
  fs::path parent;
  if (device.bus == 0x0003) {
    const std::string port = "1-" + std::to_string(index);
    const fs::path usb = fs::path(sysfs()) / "devices/pci0000:00/0000:00:14.0/usb1" / port;
    fs::create_directories(usb);
    WriteFile(usb / "idVendor", Hex(device.vendorId, 4) + "\n");
    WriteFile(usb / "idProduct", Hex(device.productId, 4) + "\n");
    if (device.bcdDevice) WriteFile(usb / "bcdDevice", Hex(*device.bcdDevice, 4) + "\n");
    parent = usb / (port + ":1.0");
  } else {
    // A HID device on another bus can still sit below a USB device (a Bluetooth dongle):
    // bcdDevice then stands in the directory above it.
    parent = fs::path(sysfs()) / "devices/platform/bus" / std::to_string(index);
    fs::create_directories(parent);
    if (device.bcdDevice) WriteFile(parent / "bcdDevice", Hex(*device.bcdDevice, 4) + "\n");
  }
  const fs::path hid = parent / hidName;
  const fs::path nodeDir = hid / "hidraw" / device.node;
  fs::create_directories(nodeDir);
  WriteFile(hid / "uevent", "DRIVER=hid-generic\nHID_ID=" + Hex(device.bus, 4) + ":" +
                                Hex(device.vendorId, 8) + ":" + Hex(device.productId, 8) +
                                "\nHID_NAME=Test device " + std::to_string(index) +
                                "\nMODALIAS=hid:b" + Hex(device.bus, 4) + "\n");
  WriteFile(hid / "report_descriptor",
            std::string(device.descriptor.begin(), device.descriptor.end()));
  const std::string devName = device.devName.empty() ? device.node : device.devName;
  WriteFile(nodeDir / "uevent",
            "MAJOR=242\nMINOR=" + std::to_string(index) + "\nDEVNAME=" + devName + "\n");
  WriteFile(nodeDir / "dev", "242:" + std::to_string(index) + "\n");
  if (device.linked) fs::create_directory_symlink("../..", nodeDir / "device");
  const fs::path classEntry = fs::path(sysfs()) / "class/hidraw" / device.node;
  fs::create_directory_symlink(fs::relative(nodeDir, classEntry.parent_path()), classEntry);
}

void SysfsTree::Remove(const std::string& node) {
  fs::remove(fs::path(sysfs()) / "class/hidraw" / node);
}

void SysfsTree::AddNodeFile(const std::string& name) {
  WriteFile(fs::path(dev()) / name, "");
}

}  // namespace testing_support
