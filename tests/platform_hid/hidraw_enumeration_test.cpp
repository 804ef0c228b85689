#include "platform/linux/hidraw_enumeration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/platform_hid/sample_descriptors.h"
#include "tests/platform_hid/sysfs_tree.h"

namespace {

using platform::linux_backend::HidrawNode;
using platform::linux_backend::HidrawRoots;
using testing_support::SysfsHidDevice;
using testing_support::SysfsTree;

class HidrawEnumerationTest : public ::testing::Test {
 protected:
  HidrawRoots Roots() const { return {tree_.sysfs(), tree_.dev()}; }

  std::vector<HidrawNode> List() {
    std::vector<HidrawNode> nodes;
    std::string error;
    EXPECT_TRUE(platform::linux_backend::ListHidrawNodes(Roots(), nodes, error)) << error;
    return nodes;
  }

  SysfsTree tree_;
};

TEST_F(HidrawEnumerationTest, ListsNodesByNumberWithTheirDeviceNodes) {
  for (const char* node : {"hidraw10", "hidraw2", "hidraw0"}) {
    SysfsHidDevice device;
    device.node = node;
    tree_.Add(device);
  }
  SysfsHidDevice renamed;
  renamed.node = "hidraw1";
  renamed.devName = "hid/raw1";
  tree_.Add(renamed);

  const std::vector<HidrawNode> nodes = List();
  ASSERT_EQ(nodes.size(), 4u);
  EXPECT_EQ(nodes[0].name, "hidraw0");
  EXPECT_EQ(nodes[1].name, "hidraw1");
  EXPECT_EQ(nodes[2].name, "hidraw2");
  EXPECT_EQ(nodes[3].name, "hidraw10");
  EXPECT_EQ(nodes[0].devicePath, tree_.dev() + "/hidraw0");
  EXPECT_EQ(nodes[1].devicePath, tree_.dev() + "/hid/raw1") << "DEVNAME names the node";
  EXPECT_EQ(List()[3].name, "hidraw10") << "the same order on the next listing";
}

TEST_F(HidrawEnumerationTest, NoHidrawClassIsAnEmptyListButAnUnreadableOneFails) {
  std::filesystem::remove_all(tree_.sysfs() + "/class/hidraw");
  EXPECT_TRUE(List().empty());

  std::ofstream(tree_.sysfs() + "/class/hidraw") << "not a directory";
  std::vector<HidrawNode> nodes;
  std::string error;
  EXPECT_FALSE(platform::linux_backend::ListHidrawNodes(Roots(), nodes, error));
  EXPECT_NE(error.find("class/hidraw"), std::string::npos) << error;
}

TEST_F(HidrawEnumerationTest, AttributesComeFromHidIdAndTheUsbDeviceAbove) {
  SysfsHidDevice usb;
  usb.node = "hidraw0";
  usb.vendorId = 0x3A5C;
  usb.productId = 0x8021;
  usb.bcdDevice = 0x0102;
  tree_.Add(usb);
  // A Bluetooth device under a USB dongle must not take the dongle's version.
  SysfsHidDevice bluetooth;
  bluetooth.node = "hidraw1";
  bluetooth.bus = 0x0005;
  bluetooth.vendorId = 0x046D;
  bluetooth.productId = 0xB35B;
  bluetooth.bcdDevice = 0x0999;
  tree_.Add(bluetooth);
  SysfsHidDevice unlinked;
  unlinked.node = "hidraw2";
  unlinked.linked = false;
  tree_.Add(unlinked);

  const std::vector<HidrawNode> nodes = List();
  ASSERT_EQ(nodes.size(), 3u);
  platform::HidAttributes attributes;
  ASSERT_TRUE(platform::linux_backend::ReadHidrawAttributes(nodes[0], attributes));
  EXPECT_EQ(attributes.vendorId, 0x3A5C);
  EXPECT_EQ(attributes.productId, 0x8021);
  EXPECT_EQ(attributes.versionNumber, 0x0102);
  ASSERT_TRUE(platform::linux_backend::ReadHidrawAttributes(nodes[1], attributes));
  EXPECT_EQ(attributes.vendorId, 0x046D);
  EXPECT_EQ(attributes.productId, 0xB35B);
  EXPECT_EQ(attributes.versionNumber, 0);
  EXPECT_FALSE(platform::linux_backend::ReadHidrawAttributes(nodes[2], attributes));
}

TEST_F(HidrawEnumerationTest, MalformedHidIdIsRefused) {
  SysfsHidDevice device;
  tree_.Add(device);
  const std::vector<HidrawNode> nodes = List();
  ASSERT_EQ(nodes.size(), 1u);
  for (const char* id : {"", "0003:0000046D", "0003:0001046D:0000C52B", "0003:XYZ:0000C52B"}) {
    std::ofstream(nodes[0].hidDevice + "/uevent") << "HID_ID=" << id << "\n";
    platform::HidAttributes attributes;
    EXPECT_FALSE(platform::linux_backend::ReadHidrawAttributes(nodes[0], attributes)) << id;
  }
}

TEST_F(HidrawEnumerationTest, ReadsTheReportDescriptorWithoutTheNode) {
  SysfsHidDevice camera;
  camera.descriptor = testing_support::kCameraDescriptor;
  tree_.Add(camera);
  const std::vector<HidrawNode> nodes = List();
  ASSERT_EQ(nodes.size(), 1u);
  ASSERT_FALSE(std::filesystem::exists(nodes[0].devicePath));
  std::vector<uint8_t> descriptor;
  ASSERT_TRUE(platform::linux_backend::ReadHidrawReportDescriptor(nodes[0], descriptor));
  EXPECT_EQ(descriptor, testing_support::kCameraDescriptor);
}

}  // namespace
