#include "platform/linux/hidraw_enumeration.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

namespace platform::linux_backend {
namespace {

namespace fs = std::filesystem;

// The value of KEY=value in a uevent file; empty when the key is not there.
std::string UeventValue(const fs::path& file, std::string_view key) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 &&
        line[key.size()] == '=') {
      return line.substr(key.size() + 1);
    }
  }
  return {};
}

// A hexadecimal number that fills the whole text; false for anything else.
bool ParseHex(std::string_view text, uint32_t& value) {
  if (text.empty() || text.size() > 8) return false;
  value = 0;
  for (char c : text) {
    uint32_t digit = 0;
    if (c >= '0' && c <= '9')
      digit = static_cast<uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'f')
      digit = static_cast<uint32_t>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      digit = static_cast<uint32_t>(c - 'A' + 10);
    else
      return false;
    value = value << 4 | digit;
  }
  return true;
}

// Names ordered with their trailing numbers compared as numbers.
bool NodeNameBefore(const std::string& a, const std::string& b) {
  auto split = [](const std::string& name) {
    size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
    std::string_view number(name.c_str() + digits, name.size() - digits);
    while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
    return std::make_pair(std::string_view(name.c_str(), digits), number);
  };
  const auto [stemA, numberA] = split(a);
  const auto [stemB, numberB] = split(b);
  if (stemA != stemB) return stemA < stemB;
  if (numberA.size() != numberB.size()) return numberA.size() < numberB.size();
  if (numberA != numberB) return numberA < numberB;
  return a < b;  // hidraw01 and hidraw1 still get one order
}

// bcdDevice of the nearest USB device above the HID device; 0 when there is none.
uint16_t UsbVersionAbove(const fs::path& hidDevice) {
  for (fs::path dir = hidDevice.parent_path(); !dir.empty() && dir != dir.root_path();
       dir = dir.parent_path()) {
    std::ifstream in(dir / "bcdDevice");
    std::string text;
    if (in >> text) {
      uint32_t version = 0;
      return ParseHex(text, version) && version <= 0xFFFF ? static_cast<uint16_t>(version) : 0;
    }
    if (dir.filename() == "devices") break;  // the top of the device tree
  }
  return 0;
}

}  // namespace

bool ListHidrawNodes(const HidrawRoots& roots, std::vector<HidrawNode>& nodes, std::string& error) {
  nodes.clear();
  const fs::path classDir = fs::path(roots.sysfs) / "class" / "hidraw";
  std::error_code ec;
  fs::directory_iterator entries(classDir, ec);
  if (ec) {
    if (ec == std::errc::no_such_file_or_directory) return true;  // no hidraw in this kernel
    error = classDir.string() + ": " + ec.message();
    return false;
  }
  for (const fs::directory_entry& entry : entries) {
    HidrawNode node;
    node.name = entry.path().filename().string();
    std::string devName = UeventValue(entry.path() / "uevent", "DEVNAME");
    if (devName.empty()) devName = node.name;
    node.devicePath = (fs::path(roots.dev) / devName).string();
    std::error_code linkError;
    const fs::path hidDevice = fs::canonical(entry.path() / "device", linkError);
    if (!linkError) node.hidDevice = hidDevice.string();
    nodes.push_back(std::move(node));
  }
  std::sort(nodes.begin(), nodes.end(), [](const HidrawNode& a, const HidrawNode& b) {
    return NodeNameBefore(a.name, b.name);
  });
  return true;
}

bool ReadHidrawAttributes(const HidrawNode& node, HidAttributes& out) {
  if (node.hidDevice.empty()) return false;
  // HID_ID=BBBB:VVVVVVVV:PPPPPPPP, bus, vendor and product in hexadecimal.
  const std::string id = UeventValue(fs::path(node.hidDevice) / "uevent", "HID_ID");
  const size_t first = id.find(':');
  const size_t second = first == std::string::npos ? first : id.find(':', first + 1);
  if (second == std::string::npos) return false;
  uint32_t bus = 0;
  uint32_t vendor = 0;
  uint32_t product = 0;
  const std::string_view text(id);
  if (!ParseHex(text.substr(0, first), bus) ||
      !ParseHex(text.substr(first + 1, second - first - 1), vendor) ||
      !ParseHex(text.substr(second + 1), product) || vendor > 0xFFFF || product > 0xFFFF) {
    return false;
  }
  out.vendorId = static_cast<uint16_t>(vendor);
  out.productId = static_cast<uint16_t>(product);
  // Only a device on the USB bus has its version above it: a Bluetooth device under a USB
  // dongle must not take the dongle's.
  constexpr uint32_t kBusUsb = 0x03;
  out.versionNumber = bus == kBusUsb ? UsbVersionAbove(node.hidDevice) : 0;
  return true;
}

bool ReadHidrawReportDescriptor(const HidrawNode& node, std::vector<uint8_t>& out) {
  if (node.hidDevice.empty()) return false;
  std::ifstream in(fs::path(node.hidDevice) / "report_descriptor", std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace platform::linux_backend
