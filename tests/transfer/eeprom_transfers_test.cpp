// The retried EEPROM transfers: offsets high byte first, writes to every counted camera, and
// 3,000 ms of retries on the platform clock, across its wrap too.

#include "transfer/eeprom_transfers.h"

#include <gtest/gtest.h>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

class EepromTransfersTest : public TransferTest {
 protected:
  // Virtual milliseconds a failing call took.
  uint32_t FailingReadTakes() {
    hid().FailFrom(1);
    uint8_t data[8] = {};
    const uint32_t before = clock().TickCount();
    EXPECT_FALSE(transfer::EepromRead(0x0100, 8, data));
    return clock().TickCount() - before;
  }
};

TEST_F(EepromTransfersTest, WriteReachesEveryCameraAndReadTheFirst) {
  auto first = AddOlderCamera(false, true);
  auto second = AddOlderCamera(false, true);
  OpenSession();
  const std::vector<uint8_t> data = Pattern(32, 4);
  ASSERT_TRUE(transfer::EepromWrite(0x1240, 32, data.data()));
  for (const auto& camera : {first, second}) {
    EXPECT_TRUE(std::equal(data.begin(), data.end(), camera->eeprom()->memory().begin() + 0x1240));
  }
  second->eeprom()->memory()[0x1240] ^= 0xFF;  // reads come from the first camera only
  std::vector<uint8_t> back(32);
  ASSERT_TRUE(transfer::EepromRead(0x1240, 32, back.data()));
  EXPECT_EQ(back, data);
}

TEST_F(EepromTransfersTest, ATransientFailureIsRetried) {
  auto camera = AddOlderCamera(false, true);
  OpenSession();
  camera->eeprom()->memory()[0x0042] = 0x5A;
  hid().FailTransfer(1);
  uint8_t value = 0;
  ASSERT_TRUE(transfer::EepromRead(0x0042, 1, &value));
  EXPECT_EQ(value, 0x5A);
  EXPECT_EQ(hid().Counters().failed, 1u);
}

TEST_F(EepromTransfersTest, GivesUpAfter3000Ms) {
  AddOlderCamera(false, true);
  OpenSession();
  const uint32_t took = FailingReadTakes();
  EXPECT_GE(took, 3000u);
  EXPECT_LT(took, 3100u);
}

// When the tick count wraps, the count starts again from the wrap: what had passed before it
// is kept but no longer grows, so the call ends within 3,000 ms after the wrap.
TEST_F(EepromTransfersTest, GivesUpAcrossTheTickCountWrap) {
  AddOlderCamera(false, true);
  OpenSession();
  clock().Set(0xFFFFFF00);  // 256 ms before the wrap
  const uint32_t took = FailingReadTakes();
  EXPECT_GE(took, 3000u);
  EXPECT_LT(took, 3000u + 256u + 100u);
}

TEST_F(EepromTransfersTest, WithoutACountedCameraAWriteFails) {
  auto camera = AddOlderCamera(false, true);
  OpenSession();
  transfer::CloseDeviceSession();
  const uint8_t data[2] = {1, 2};
  EXPECT_FALSE(transfer::EepromWrite(0, 2, data));
  EXPECT_EQ(camera->eeprom()->memory()[0], 0xFF);
}

}  // namespace
}  // namespace transfer_testing
