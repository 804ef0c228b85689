// Opening, re-opening and closing the session; slots and the mutex.

#include "device/session_info.h"
#include "tests/device/device_fixture.h"

namespace testing_support {
namespace {

class SessionTest : public DeviceFixture {};

TEST_F(SessionTest, SecondInitClosesTheFirstSessionBeforeDiscovering) {
  AddCamera();
  ASSERT_EQ(vxVidHidCls_Init(), 1);
  EXPECT_EQ(mutexCounts().opened, 1);
  hid().ClearLog();

  ASSERT_EQ(vxVidHidCls_Init(), 1);
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 1);
  EXPECT_EQ(mutexCounts().opened, 2);
  EXPECT_EQ(mutexCounts().closed, 1) << "the first session's mutex handle was closed";
  const auto log = hid().Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front().kind, sim::CallKind::Close) << "the open handle is closed first";
  EXPECT_TRUE(TracedPrefix("LibBuildTime"));
}

TEST_F(SessionTest, ExitClosesEverythingAndExitWhileClosedDoesNothing) {
  AddCamera();
  ASSERT_EQ(vxVidHidCls_Init(), 1);
  vxVidHidCls_Exit();
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 0);
  EXPECT_EQ(CurrentDeviceKind(), DeviceKind::None);
  EXPECT_EQ(mutexCounts().closed, 1);
  hid().ClearLog();
  vxVidHidCls_Exit();
  EXPECT_TRUE(hid().Log().empty());
  uint32_t value = 0;
  EXPECT_EQ(vxVidHidCls_RegRead(0x0000, 4, &value), E_FAIL);
}

TEST_F(SessionTest, EmptySlotFailsWithoutTouchingTheMutex) {
  AddCamera();
  Open();
  const int waits = mutexCounts().waits;
  uint32_t value = 0;
  uint8_t chipGen = 0xFF;
  uint8_t bytes[4] = {};
  EXPECT_EQ(vxVidHidCls_RegReadDev(1, 0x0000, 4, &value), E_FAIL);
  EXPECT_EQ(vxVidHidCls_RegWriteDev(23, 0x0000, 1, &value), E_FAIL);
  EXPECT_EQ(vxVidHidCls_SPI_CmdReadDev(2, 0, 1, 0, nullptr, 1, bytes), E_FAIL);
  EXPECT_EQ(vxVidHidCls_SPI_CmdWriteDev(-1, 0, 1, 0, nullptr, 1, bytes), E_FAIL);
  EXPECT_EQ(vxVidHidCls_I2C_WriteDev(24, 0xA0, 1, bytes), E_FAIL);
  EXPECT_EQ(vxVidHidCls_GetDevChipGen(5, &chipGen), 0);
  EXPECT_EQ(chipGen, 0);
  EXPECT_EQ(mutexCounts().waits, waits);
  EXPECT_TRUE(hid().FeatureLog().empty());
}

TEST_F(SessionTest, IndexedOperationAddressesItsSlot) {
  AddCamera();
  auto second = AddCamera(OlderChip());
  Open();
  uint32_t value = 0;
  ASSERT_EQ(vxVidHidCls_RegReadDev(1, 0x0000, 4, &value), S_OK);
  EXPECT_EQ(value & 0xFF, 0xA0u);
  EXPECT_EQ(Library().currentDevice, 1);
  for (const sim::TransferRecord& record : hid().FeatureLog()) EXPECT_EQ(record.path, "sim-hid:1");
}

TEST_F(SessionTest, UnpluggedCameraProbesAsGenerationZeroAndCommandsFail) {
  AddCamera();
  Open();
  hid().Unplug("sim-hid:0");
  uint8_t chipGen = 0xFF;
  EXPECT_EQ(vxVidHidCls_GetDevChipGen(0, &chipGen), 1);
  EXPECT_EQ(chipGen, 0);
  uint32_t value = 0;
  EXPECT_EQ(vxVidHidCls_RegRead(0x0000, 4, &value), E_FAIL);
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 1) << "the session stays as it was until the next init";
  // Plugged back, the old handle stays dead: only a new init reaches the camera again.
  hid().Plug("sim-hid:0");
  EXPECT_EQ(vxVidHidCls_RegRead(0x0000, 4, &value), E_FAIL);
  ASSERT_EQ(vxVidHidCls_Init(), 1);
  EXPECT_EQ(vxVidHidCls_RegRead(0x0000, 4, &value), S_OK);
}

}  // namespace
}  // namespace testing_support
