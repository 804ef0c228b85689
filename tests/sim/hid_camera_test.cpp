// The camera side of the HID frames, driven byte for byte as the host sends them.

#include "sim/hid_camera.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "sim/camera.h"

namespace sim {
namespace {

using Bytes = std::vector<uint8_t>;

class HidCameraTest : public ::testing::Test {
 protected:
  explicit HidCameraTest(bool extendedI2c = true) {
    CameraConfig config;
    config.withEeprom = true;
    config.hid.extendedI2c = extendedI2c;
    camera_ = std::make_unique<Camera>(config, clock_);
  }

  // A set of report id with the payload, padded with zeros to the report's length.
  bool Set(uint8_t reportId, std::initializer_list<uint8_t> payload) {
    Bytes buffer(reportId == 0x87 ? 5 : 41, 0);
    buffer[0] = reportId;
    std::copy(payload.begin(), payload.end(), buffer.begin() + 1);
    return camera_->hid().SetFeature(buffer.data(), buffer.size());
  }
  // A get of 0x93; R[0..n-1].
  Bytes Get(size_t n) {
    Bytes buffer(41, 0);
    buffer[0] = 0x93;
    EXPECT_TRUE(camera_->hid().GetFeature(buffer.data(), buffer.size()));
    EXPECT_EQ(buffer[40], 0);
    return Bytes(buffer.begin(), buffer.begin() + n);
  }
  Bytes RegRead16(uint16_t address, uint8_t length) {
    EXPECT_TRUE(Set(0x87, {0x08, uint8_t(address), uint8_t(address >> 8), length}));
    return Get(4);
  }
  // What the host's EEPROM preparation does: read 0x0006, clear bit 2, write it back.
  void OpenEepromGate() {
    const uint8_t gate = RegRead16(0x0006, 1)[0];
    ASSERT_TRUE(Set(0x87, {0x09, 0, 0, 0}));
    ASSERT_TRUE(Set(0x93, {0x06, 0x00, 0x01, uint8_t(gate & 0xFB)}));
  }

  VirtualClock clock_;
  std::unique_ptr<Camera> camera_;
};

class LegacyHidCameraTest : public HidCameraTest {
 protected:
  LegacyHidCameraTest() : HidCameraTest(false) {}
};

TEST_F(HidCameraTest, ChipIdAnswersFromByteZero) {
  EXPECT_EQ(RegRead16(0x0000, 4), (Bytes{0xB2, 0x53, 0x01, 0x00}));
  EXPECT_EQ(RegRead16(0x0000, 1), (Bytes{0xB2, 0x53, 0x01, 0x00})) << "a word, whatever the length";
  EXPECT_EQ(RegRead16(0x0005, 1)[0], 0x80) << "boots from SPI flash";
}

TEST_F(HidCameraTest, RegisterRoundTripInTheSixteenBitForm) {
  ASSERT_TRUE(Set(0x87, {0x09, 0x00, 0x00, 0x00}));
  ASSERT_TRUE(Set(0x93, {0x34, 0x12, 0x02, 0x78, 0x56}));
  EXPECT_EQ(camera_->chip().RegRead(0x1234, 2), 0x5678u);
  EXPECT_EQ(RegRead16(0x1234, 2), (Bytes{0x78, 0x56, 0x00, 0x00}));
  EXPECT_EQ(camera_->chip().RegRead(0x1236, 1), 0x00u) << "only the named length is written";
}

TEST_F(HidCameraTest, RegisterRoundTripInTheEightBitForm) {
  ASSERT_TRUE(Set(0x87, {0x01, 0x00, 0x00, 0x00}));
  ASSERT_TRUE(Set(0x93, {0x12, 0x03, 0xAA, 0xBB, 0xCC, 0xDD}));
  EXPECT_EQ(camera_->chip().RegRead(0x0012, 4), 0x00CCBBAAu) << "three bytes written, not four";
  ASSERT_TRUE(Set(0x87, {0x00, 0x12, 0x01, 0x00}));
  EXPECT_EQ(Get(4), (Bytes{0xAA, 0xBB, 0xCC, 0x00}));
}

TEST_F(HidCameraTest, ChipIdIsReadOnly) {
  ASSERT_TRUE(Set(0x87, {0x09, 0x00, 0x00, 0x00}));
  ASSERT_TRUE(Set(0x93, {0x00, 0x00, 0x01, 0xA0}));
  EXPECT_EQ(RegRead16(0x0000, 1)[0], 0xB2);
}

TEST_F(HidCameraTest, RefusesWrongReportsLengthsAndStrayData) {
  uint8_t shortCommand[4] = {0x87, 0x08, 0x00, 0x00};
  EXPECT_FALSE(camera_->hid().SetFeature(shortCommand, sizeof shortCommand));
  Bytes longGet(65, 0);
  longGet[0] = 0x93;
  EXPECT_FALSE(camera_->hid().GetFeature(longGet.data(), longGet.size()));
  Bytes getCommand(5, 0);
  getCommand[0] = 0x87;
  EXPECT_FALSE(camera_->hid().GetFeature(getCommand.data(), getCommand.size()));
  EXPECT_FALSE(Set(0x42, {}));
  EXPECT_FALSE(Set(0x87, {0x07, 0, 0, 0})) << "no such command";
  EXPECT_FALSE(Set(0x87, {0x08, 0x00, 0x00, 0x05})) << "register length above 4";
  EXPECT_FALSE(Set(0x93, {0x34, 0x12, 0x01, 0x00})) << "no command waits for data";
}

TEST_F(HidCameraTest, ExtendedI2cReachesTheEepromOnlyThroughTheGate) {
  // 0D 00 slave b4 n sub... m data...
  auto write = [&] {
    return Set(0x97, {0x0D, 0x00, 0xA0, 0x00, 0x02, 0x01, 0x10, 0x02, 0xCC, 0xDD});
  };
  ASSERT_TRUE(write()) << "the set succeeds even when the slave refuses";
  EXPECT_EQ(camera_->eeprom()->memory()[0x0110], 0xFF);
  ASSERT_TRUE(Set(0x97, {0x0C, 0x00, 0xA0, 0x00, 0x02, 0x01, 0x10, 0x02}));
  EXPECT_EQ(Get(1)[0], 0x00) << "R[0] = 0: refused";

  OpenEepromGate();
  ASSERT_TRUE(write());
  EXPECT_TRUE(Set(0x93, {0x0D, 0x00, 0xA0, 0x00, 0x02, 0x01, 0x10, 0x02, 0xCC, 0xDD}))
      << "the repeat on 0x93 is accepted";
  EXPECT_EQ(camera_->eeprom()->memory()[0x0110], 0xCC);
  EXPECT_EQ(camera_->eeprom()->memory()[0x0111], 0xDD);

  ASSERT_TRUE(Set(0x97, {0x0C, 0x00, 0xA0, 0x00, 0x02, 0x01, 0x10, 0x02}));
  EXPECT_EQ(Get(3), (Bytes{0x02, 0xCC, 0xDD}));
  ASSERT_TRUE(Set(0x97, {0x0C, 0x00, 0x50, 0x00, 0x00, 0x01}));
  EXPECT_EQ(Get(1)[0], 0x00) << "no slave 0x50";
  EXPECT_EQ(RegRead16(0x0005, 1)[0] & 0x10, 0) << "extended transfers leave bit 4 alone";
}

TEST_F(LegacyHidCameraTest, HasNoExtendedReport) {
  EXPECT_FALSE(Set(0x97, {0x0C, 0x00, 0xA0, 0x00, 0x00, 0x01}));
  const auto caps = camera_->hid().FeatureCaps();
  ASSERT_EQ(caps.values.size(), 2u);
  EXPECT_EQ(caps.values[0].reportId, 0x87);
  EXPECT_EQ(caps.values[1].reportId, 0x93);
}

TEST_F(LegacyHidCameraTest, LegacyI2cReachesTheEepromOnlyThroughTheGate) {
  // 03 00 00 00, then slave n+m flag bytes...
  auto write = [&] {
    return Set(0x87, {0x03, 0, 0, 0}) && Set(0x93, {0xA0, 0x04, 0x01, 0x00, 0x20, 0xAA, 0xBB});
  };
  ASSERT_TRUE(write());
  EXPECT_EQ(RegRead16(0x0005, 1)[0], 0x90) << "bit 4: the transfer failed";
  EXPECT_EQ(camera_->eeprom()->memory()[0x0020], 0xFF);

  OpenEepromGate();
  ASSERT_TRUE(write());
  EXPECT_EQ(RegRead16(0x0005, 1)[0], 0x80) << "a successful transfer clears bit 4";
  EXPECT_EQ(camera_->eeprom()->memory()[0x0020], 0xAA);

  // The read: the sub-address as a write without data, then 02 slave m 01.
  ASSERT_TRUE(Set(0x87, {0x03, 0, 0, 0}));
  ASSERT_TRUE(Set(0x93, {0xA0, 0x02, 0x00, 0x00, 0x20}));
  ASSERT_TRUE(Set(0x87, {0x02, 0xA0, 0x02, 0x01}));
  EXPECT_EQ(Get(3), (Bytes{0xAA, 0xBB, 0x00}));
  EXPECT_EQ(RegRead16(0x0005, 1)[0], 0x80);

  ASSERT_TRUE(Set(0x87, {0x02, 0x50, 0x01, 0x01}));
  EXPECT_EQ(RegRead16(0x0005, 1)[0], 0x90) << "no slave 0x50";
}

TEST_F(HidCameraTest, FlashIdThroughCommandWriteAndRead) {
  // 0B: port c+m endFlag bytes; 0A: port m endFlag.
  ASSERT_TRUE(Set(0x87, {0x0B, 0, 0, 0}));
  ASSERT_TRUE(Set(0x93, {0x00, 0x01, 0x00, 0x9F}));
  ASSERT_TRUE(Set(0x87, {0x0A, 0x00, 0x03, 0x01}));
  EXPECT_EQ(Get(4), (Bytes{0xEF, 0x30, 0x13, 0x00}));

  // endFlag 1 ended that transaction: the next one is a status read of its own.
  ASSERT_TRUE(Set(0x87, {0x0B, 0, 0, 0}));
  ASSERT_TRUE(Set(0x93, {0x00, 0x01, 0x01, 0x06}));  // write enable, deselected at once
  ASSERT_TRUE(Set(0x87, {0x0B, 0, 0, 0}));
  ASSERT_TRUE(Set(0x93, {0x00, 0x01, 0x00, 0x05}));
  ASSERT_TRUE(Set(0x87, {0x0A, 0x00, 0x01, 0x01}));
  EXPECT_EQ(Get(1)[0], 0x02);
}

}  // namespace
}  // namespace sim
