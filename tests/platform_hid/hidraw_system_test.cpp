// The hidraw system on a fixture tree whose device nodes are plain files: enumeration, the
// query-only probe, opens and their failures, and the library's discovery on top. Transfers
// through the kernel's ioctl path are tested with served nodes (tests/hidraw_fuse).

#include "platform/linux/hidraw_system.h"

#include <gtest/gtest.h>

#include "device/hid_transport.h"
#include "platform/services.h"
#include "tests/platform_hid/sample_descriptors.h"
#include "tests/platform_hid/sysfs_tree.h"

namespace {

using platform::HidOpenError;
using platform::HidOpenMode;
using platform::linux_backend::HidrawSystem;
using testing_support::SysfsHidDevice;

constexpr HidOpenMode kQueryOnly{};
constexpr HidOpenMode kReadWrite{true, true, false};
constexpr HidOpenMode kExclusive{true, true, true};

class HidrawSystemTest : public ::testing::Test {
 protected:
  // A node with its device file in place.
  std::string AddNode(const std::string& node, const std::vector<uint8_t>& descriptor) {
    SysfsHidDevice device;
    device.node = node;
    device.vendorId = 0x3A5C;
    device.productId = 0x0003;
    device.bcdDevice = 0x0100;
    device.descriptor = descriptor;
    tree_.Add(device);
    tree_.AddNodeFile(node);
    return tree_.dev() + "/" + node;
  }

  testing_support::SysfsTree tree_;
  HidrawSystem hid_{{tree_.sysfs(), tree_.dev()}};
};

TEST_F(HidrawSystemTest, QueryOnlyProbeReadsSysfsAndCannotTransfer) {
  const std::string path = AddNode("hidraw0", testing_support::kCameraDescriptor);
  std::vector<std::string> paths;
  ASSERT_TRUE(hid_.ListInterfaces(paths));
  ASSERT_EQ(paths, std::vector<std::string>{path});

  auto probe = hid_.Open(path, kQueryOnly);
  ASSERT_NE(probe, nullptr);
  platform::HidAttributes attributes;
  ASSERT_TRUE(probe->GetAttributes(attributes));
  EXPECT_EQ(attributes.vendorId, 0x3A5C);
  EXPECT_EQ(attributes.productId, 0x0003);
  EXPECT_EQ(attributes.versionNumber, 0x0100);
  platform::HidFeatureCaps caps;
  ASSERT_TRUE(probe->GetFeatureCaps(caps));
  EXPECT_TRUE(hidreq_IsCamera(caps));

  uint8_t buffer[41] = {0x93, 0xAA};
  EXPECT_FALSE(probe->SetFeature(buffer, 5));
  EXPECT_FALSE(probe->GetFeature(buffer, 41));
  EXPECT_EQ(buffer[1], 0xAA) << "a failed get leaves the buffer";
}

TEST_F(HidrawSystemTest, MalformedDescriptorFailsTheProbeNotTheOpen) {
  const std::string path = AddNode("hidraw0", {0xA1, 0x01});  // a collection left open
  auto probe = hid_.Open(path, kQueryOnly);
  ASSERT_NE(probe, nullptr);
  platform::HidFeatureCaps caps;
  EXPECT_FALSE(probe->GetFeatureCaps(caps));
  platform::HidAttributes attributes;
  EXPECT_TRUE(probe->GetAttributes(attributes));
}

TEST_F(HidrawSystemTest, OpenFailuresSayWhichNodeAndWhy) {
  const std::string path = AddNode("hidraw0", testing_support::kCameraDescriptor);
  SysfsHidDevice gone;
  gone.node = "hidraw1";
  tree_.Add(gone);  // listed in sysfs, but its device file is missing
  std::vector<std::string> paths;
  ASSERT_TRUE(hid_.ListInterfaces(paths));
  EXPECT_EQ(hid_.LastOpenFailure().error, HidOpenError::None);

  EXPECT_EQ(hid_.Open(tree_.dev() + "/hidraw1", kQueryOnly), nullptr);
  platform::HidOpenFailure failure = hid_.LastOpenFailure();
  EXPECT_EQ(failure.error, HidOpenError::Other);
  EXPECT_EQ(failure.path, tree_.dev() + "/hidraw1");
  EXPECT_EQ(failure.reason, "No such file or directory");

  EXPECT_EQ(hid_.Open(tree_.dev() + "/hidraw9", kReadWrite), nullptr) << "not listed";
  EXPECT_EQ(hid_.LastOpenFailure().path, tree_.dev() + "/hidraw9");

  ASSERT_TRUE(hid_.ListInterfaces(paths));
  EXPECT_EQ(hid_.LastOpenFailure().error, HidOpenError::None) << "a new listing starts afresh";
  EXPECT_NE(hid_.Open(path, kReadWrite), nullptr);
  EXPECT_EQ(hid_.LastOpenFailure().error, HidOpenError::None);
}

TEST_F(HidrawSystemTest, ExclusiveOpenKeepsOthersOutWhileSharedOpensShare) {
  const std::string path = AddNode("hidraw0", testing_support::kCameraDescriptor);
  {
    auto exclusive = hid_.Open(path, kExclusive);
    ASSERT_NE(exclusive, nullptr);
    EXPECT_EQ(hid_.Open(path, kReadWrite), nullptr);
    EXPECT_EQ(hid_.LastOpenFailure().reason, "in use by another handle");
    EXPECT_NE(hid_.Open(path, kQueryOnly), nullptr) << "a probe takes no lock";
  }
  auto shared = hid_.Open(path, kReadWrite);
  ASSERT_NE(shared, nullptr);
  EXPECT_NE(hid_.Open(path, kReadWrite), nullptr) << "shared opens share";
  EXPECT_EQ(hid_.Open(path, kExclusive), nullptr);
}

TEST_F(HidrawSystemTest, DiscoveryTakesOnlyTheCamerasInNodeOrder) {
  AddNode("hidraw0", testing_support::kKeyboardDescriptor);
  const std::string camera = AddNode("hidraw3", testing_support::kCameraDescriptor);
  AddNode("hidraw1", testing_support::kVendorReceiverDescriptor);
  // 0x87 and 0x93 among four feature items: not the camera.
  std::vector<uint8_t> fourItems = testing_support::kCameraDescriptor;
  fourItems.insert(fourItems.end() - 1, {0x85, 0x99, 0x95, 0x01, 0x09, 0x04, 0xB1, 0x02});
  AddNode("hidraw2", fourItems);
  const std::string second = AddNode("hidraw11", testing_support::kCameraDescriptor);

  platform::Services services;
  services.hid = &hid_;
  platform::InstallServices(services);
  std::vector<HidCandidate> candidates;
  EXPECT_TRUE(hidreq_FindDevices(candidates));
  platform::ResetServices();
  ASSERT_EQ(candidates.size(), 2u);
  EXPECT_EQ(candidates[0].path, camera);
  EXPECT_EQ(candidates[1].path, second);
  EXPECT_EQ(candidates[0].attributes.vendorId, 0x3A5C);
}

}  // namespace
