// Feature reports through the kernel's ioctl path: the hidraw code opens a served node and
// its HIDIOCSFEATURE and HIDIOCGFEATURE requests reach the simulated camera, or a handler
// that answers short, fails, or has gone.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

#include "device/library_state.h"
#include "device/vxVidHidCls.h"
#include "platform/linux/hidraw_system.h"
#include "platform/services.h"
#include "tests/hidraw_fuse/served_camera.h"
#include "tests/support/isolated_mutexes.h"

namespace {

using platform::HidOpenError;
using platform::HidOpenMode;
using platform::linux_backend::HidrawSystem;

constexpr HidOpenMode kQueryOnly{};
constexpr HidOpenMode kReadWrite{true, true, false};

class HidrawFuseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    if (!served_.Mount(error)) GTEST_SKIP() << "FUSE cannot mount here: " << error;
  }

  std::unique_ptr<platform::HidDevice> OpenCamera() {
    std::vector<std::string> paths;
    EXPECT_TRUE(hid_.ListInterfaces(paths));
    return hid_.Open(served_.nodePath(), kReadWrite);
  }

  testing_support::ServedCamera served_;
  HidrawSystem hid_{{served_.tree().sysfs(), served_.tree().dev()}};
};

TEST_F(HidrawFuseTest, RegisterReadReachesTheCameraAndItsAnswerStartsAtByteZero) {
  auto device = OpenCamera();
  ASSERT_NE(device, nullptr) << hid_.LastOpenFailure().reason;
  // Register read, 16-bit form, address 0x0000, 4 bytes: the chip id 0x000153B2.
  const uint8_t command[5] = {0x87, 0x08, 0x00, 0x00, 0x04};
  ASSERT_TRUE(device->SetFeature(command, sizeof command));
  uint8_t answer[41];
  std::fill(std::begin(answer), std::end(answer), uint8_t{0xEE});
  answer[0] = 0x93;
  ASSERT_TRUE(device->GetFeature(answer, sizeof answer));
  EXPECT_EQ(answer[0], 0xB2) << "the camera does not repeat the report id";
  EXPECT_EQ(answer[1], 0x53);
  EXPECT_EQ(answer[2], 0x01);
  EXPECT_EQ(answer[3], 0x00);
  EXPECT_EQ(served_.transfers(), 2u);
  EXPECT_FALSE(device->SetFeature(command, 4)) << "the camera refuses a short 0x87: EPIPE";
}

TEST_F(HidrawFuseTest, ShortAnswerLeavesTheRestZeroAndAPartialSetFails) {
  served_.server().AddNode(testing_support::ServedCamera::kNode,
                           [](bool set, uint8_t* buffer, size_t length) {
                             if (set) return static_cast<int>(length) - 1;
                             buffer[0] = 0x11;
                             buffer[1] = 0x22;
                             buffer[2] = 0x33;
                             return 3;
                           });
  auto device = OpenCamera();
  ASSERT_NE(device, nullptr);
  uint8_t answer[41];
  std::fill(std::begin(answer), std::end(answer), uint8_t{0xEE});
  answer[0] = 0x93;
  ASSERT_TRUE(device->GetFeature(answer, sizeof answer));
  EXPECT_EQ(answer[0], 0x11);
  EXPECT_EQ(answer[2], 0x33);
  EXPECT_TRUE(std::all_of(answer + 3, answer + 41, [](uint8_t b) { return b == 0; }));
  const uint8_t command[5] = {0x87, 0x08, 0x00, 0x00, 0x04};
  EXPECT_FALSE(device->SetFeature(command, sizeof command));
}

TEST_F(HidrawFuseTest, EachErrorFailsOnceWithoutRetryAndLeavesTheBuffer) {
  for (const int error : {EPIPE, EIO, ENODEV, ETIMEDOUT}) {
    std::atomic<int> calls{0};
    served_.server().AddNode(testing_support::ServedCamera::kNode,
                             [&calls, error](bool, uint8_t*, size_t) {
                               ++calls;
                               return -error;
                             });
    auto device = OpenCamera();
    ASSERT_NE(device, nullptr);
    uint8_t buffer[41] = {0x93, 0x5A, 0x5A};
    EXPECT_FALSE(device->GetFeature(buffer, sizeof buffer)) << std::strerror(error);
    EXPECT_EQ(buffer[0], 0x93);
    EXPECT_EQ(buffer[1], 0x5A);
    EXPECT_FALSE(device->SetFeature(buffer, 5)) << std::strerror(error);
    EXPECT_EQ(calls.load(), 2) << std::strerror(error);
  }
}

TEST_F(HidrawFuseTest, UnpluggedCameraFailsEveryTransferAndIsNoLongerFound) {
  auto device = OpenCamera();
  ASSERT_NE(device, nullptr);
  served_.server().RemoveNode(testing_support::ServedCamera::kNode);
  served_.tree().Remove(testing_support::ServedCamera::kNode);
  const uint8_t command[5] = {0x87, 0x08, 0x00, 0x00, 0x04};
  EXPECT_FALSE(device->SetFeature(command, sizeof command));
  uint8_t answer[41] = {0x93};
  EXPECT_FALSE(device->GetFeature(answer, sizeof answer));
  EXPECT_EQ(served_.transfers(), 0u);
  std::vector<std::string> paths;
  ASSERT_TRUE(hid_.ListInterfaces(paths));
  EXPECT_TRUE(paths.empty());
}

TEST_F(HidrawFuseTest, RefusedOpenIsAccessDeniedWhileTheProbeStillWorks) {
  served_.server().RefuseOpens(testing_support::ServedCamera::kNode, EACCES);
  std::vector<std::string> paths;
  ASSERT_TRUE(hid_.ListInterfaces(paths));
  auto probe = hid_.Open(served_.nodePath(), kQueryOnly);
  ASSERT_NE(probe, nullptr) << "the probe reads sysfs only";
  platform::HidFeatureCaps caps;
  EXPECT_TRUE(probe->GetFeatureCaps(caps));

  EXPECT_EQ(hid_.Open(served_.nodePath(), kReadWrite), nullptr);
  EXPECT_EQ(hid_.Open(served_.tree().dev() + "/hidraw7", kReadWrite), nullptr);
  const platform::HidOpenFailure failure = hid_.LastOpenFailure();
  EXPECT_EQ(failure.error, HidOpenError::AccessDenied) << "kept over the later failure";
  EXPECT_EQ(failure.path, served_.nodePath());
  EXPECT_EQ(failure.reason, "Permission denied");
}

// The library's whole HID path on the hidraw system: discovery, the chip-generation probe,
// and the flash identification over SPI pieces.
TEST_F(HidrawFuseTest, LibrarySessionFindsTheCameraAndReadsItsFlash) {
  ResetLibraryForTests();
  platform::Services services;
  services.hid = &hid_;
  services.mutexes = &testing_support::IsolatedMutexes();
  platform::InstallServices(services);
  ASSERT_EQ(vxVidHidCls_Init(), 1);
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 1);
  uint8_t chipGen = 0;
  EXPECT_EQ(vxVidHidCls_GetDevChipGen(0, &chipGen), 1);
  EXPECT_EQ(chipGen, 2);
  SpiFlashInfo info{};
  ASSERT_EQ(vxVidHidCls_SPI_Flash_GetInfo(0, &info), 1);
  EXPECT_STREQ(info.name, "WinBond 20X40 - 4Mbit");
  uint8_t header[64] = {};
  ASSERT_EQ(vxVidHidCls_SPI_Flash_Read(0, 0, sizeof header, header), 1);
  const std::vector<uint8_t> flash = served_.FlashMemory();
  EXPECT_TRUE(std::equal(std::begin(header), std::end(header), flash.begin()));
  vxVidHidCls_Exit();
  platform::ResetServices();
  ResetLibraryForTests();
}

}  // namespace
