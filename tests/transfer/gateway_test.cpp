// The gateway: firmware version, registers and the identity record, on the caller's thread,
// also while a job runs on the worker.

#include <gtest/gtest.h>

#include <cstring>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using GatewayTest = TransferTest;

TEST_F(GatewayTest, WithoutASessionNothingIsRead) {
  AddDefaultCamera();
  uint8_t high = 0x55;
  uint8_t low = 0x66;
  EXPECT_EQ(transfer::GetFirmwareVersion(&high, &low), 0);
  EXPECT_EQ(high, 0x55);
  EXPECT_EQ(low, 0x66);
  EXPECT_EQ(transfer::WriteRegister(0x0100, 1, 0x42), 0);
  EXPECT_TRUE(hid().FeatureLog().empty());
}

TEST_F(GatewayTest, FirmwareVersionOfTheCamera) {
  AddDefaultCamera();
  OpenSession();
  uint8_t high = 0x55;
  uint8_t low = 0x66;
  ASSERT_EQ(transfer::GetFirmwareVersion(&high, &low), 1);
  EXPECT_EQ(high, 0x01);
  EXPECT_EQ(low, 0x02);
}

TEST_F(GatewayTest, FailedVersionReadLeavesZeros) {
  AddOlderCamera(false, false);  // the version sits in an EEPROM this camera does not have
  OpenSession();
  uint8_t high = 0x55;
  uint8_t low = 0x66;
  EXPECT_EQ(transfer::GetFirmwareVersion(&high, &low), 0);
  EXPECT_EQ(high, 0);
  EXPECT_EQ(low, 0);
}

TEST_F(GatewayTest, RegistersGoToTheChip) {
  auto camera = AddDefaultCamera();
  OpenSession();
  ASSERT_EQ(transfer::WriteRegister(0x0100, 2, 0xBEEF), 1);
  EXPECT_EQ(camera->chip().RegRead(0x0100, 2), 0xBEEFu);
  uint32_t value = 0;
  ASSERT_EQ(transfer::ReadRegister(0x0000, 4, &value), 1);
  EXPECT_EQ(value, 0x000153B2u);
}

TEST_F(GatewayTest, IdentityRecordRoundTrip) {
  AddDefaultCamera();
  OpenSession();
  DeviceInfo info{};
  ASSERT_EQ(transfer::ReadDeviceInfo(&info), 1);
  EXPECT_STREQ(info.string3, "Q2S0000417");
  std::strcpy(info.string3, "Q2-0042");
  ASSERT_EQ(transfer::WriteDeviceInfo(&info), 1);
  DeviceInfo back{};
  ASSERT_EQ(transfer::ReadDeviceInfo(&back), 1);
  EXPECT_STREQ(back.string3, "Q2-0042");
  EXPECT_EQ(back.fwVersion, 0x0102);
}

// The worker posts events and drives the flash while this thread reads registers: the library
// serialises each operation, and nothing else is shared.
TEST_F(GatewayTest, RegisterReadsWhileADownloadRuns) {
  auto camera = AddDefaultCamera();
  OpenSession();
  const std::vector<uint8_t> payload = RawPayload(8192);
  const std::string file = WriteFile("image.bin", ImageFile(payload));
  window().HoldAt(transfer::WriteStart);
  transfer::DownloadJobRecord record = DownloadRecord(2, file);
  ASSERT_NE(transfer::StartFirmwareDownload(record), nullptr);

  size_t reads = 0;
  const auto readChipId = [&] {
    uint32_t value = 0;
    ASSERT_EQ(transfer::ReadRegister(0x0000, 4, &value), 1);
    EXPECT_EQ(value, 0x000153B2u);
    ++reads;
  };
  ASSERT_TRUE(window().WaitUntilHeld());
  for (int i = 0; i < 20; ++i) readChipId();
  window().Release();
  while (!window().HasClosing()) readChipId();
  FinishJob(&window());

  EXPECT_GT(reads, 20u);
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{transfer::DownloadDone, 0}}));
  const std::vector<uint8_t>& memory = camera->flash().memory();
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), memory.begin()));
}

}  // namespace
}  // namespace transfer_testing
