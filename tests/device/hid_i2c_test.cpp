// I2C transfers on the wire: the extended protocol, the legacy one, and the EEPROM gate.

#include <algorithm>

#include "tests/device/device_fixture.h"

namespace testing_support {
namespace {

const Frame kProbe = Set(0x87, {0x08, 0x00, 0x00, 0x04});

sim::CameraConfig WithEeprom(bool extendedI2c) {
  sim::CameraConfig config;
  config.withEeprom = true;
  config.hid.extendedI2c = extendedI2c;
  return config;
}

// The register traffic that opens the EEPROM gate: read 0x0006, write it back without bit 2.
std::vector<Frame> EepromGate(uint8_t gateValue) {
  return {kProbe,
          Get(0x93),
          Set(0x87, {0x08, 0x06, 0x00, 0x01}),
          Get(0x93),
          kProbe,
          Get(0x93),
          Set(0x87, {0x09, 0x00, 0x00, 0x00}),
          Set(0x93, {0x06, 0x00, 0x01, static_cast<uint8_t>(gateValue & 0xFB)})};
}

// The legacy busy check: register 0x0005.
std::vector<Frame> BusyCheck() {
  return {kProbe, Get(0x93), Set(0x87, {0x08, 0x05, 0x00, 0x01}), Get(0x93)};
}

std::vector<Frame> Concat(std::initializer_list<std::vector<Frame>> parts) {
  std::vector<Frame> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class HidI2cTest : public DeviceFixture {};

TEST_F(HidI2cTest, ExtendedEepromReadOpensTheGateThenReads) {
  auto camera = AddCamera(WithEeprom(true));
  std::vector<uint8_t>& eeprom = camera->eeprom()->memory();
  for (size_t i = 0; i < 8; ++i) eeprom[0x0120 + i] = static_cast<uint8_t>(0x40 + i);
  const uint8_t gate = static_cast<uint8_t>(camera->chip().RegRead(0x0006, 1));
  ASSERT_NE(gate & 0x04, 0) << "the bench's EEPROM gate starts closed";
  Open();

  const uint8_t offset[2] = {0x01, 0x20};
  uint8_t data[8] = {};
  ASSERT_EQ(vxVidHidCls_I2C_Read(0xA0, 2, offset, 8, data), S_OK);
  EXPECT_TRUE(std::equal(data, data + 8, eeprom.begin() + 0x0120));
  const auto expected = Concat(
      {EepromGate(gate), {Set(0x97, {0x0C, 0x00, 0xA0, 0x00, 0x02, 0x01, 0x20, 0x08}), Get(0x93)}});
  EXPECT_EQ(Frames(), expected) << Describe(Frames());
  EXPECT_TRUE(Traced(
      "HID I2C Read Ex SetCMD: OK ,RAW Data(8 bytes) : 0x0C, 0x00, 0xA0, 0x00, 0x02, 0x01, 0x20, "
      "0x08."));
  EXPECT_TRUE(Traced(
      "HID I2C Read Ex ReadBack: OK ,RAW Data(8 bytes) :0x08, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45, "
      "0x46."));
}

TEST_F(HidI2cTest, OtherSlavesSkipTheGateAndANakDoesNotFallBack) {
  AddCamera(WithEeprom(true));
  Open();
  const uint8_t sub[1] = {0x10};
  uint8_t data[4] = {0xEE, 0xEE, 0xEE, 0xEE};
  // No device answers at 0x50: the camera reports R[0] = 0.
  EXPECT_EQ(vxVidHidCls_I2C_Read(0x50, 1, sub, 4, data), E_FAIL);
  const std::vector<Frame> expected = {Set(0x97, {0x0C, 0x00, 0x50, 0x00, 0x01, 0x10, 0x04}),
                                       Get(0x93)};
  EXPECT_EQ(Frames(), expected) << Describe(Frames());
  EXPECT_EQ(data[0], 0xEE) << "a failed read leaves the caller's buffer";
}

TEST_F(HidI2cTest, ExtendedWriteSendsTheFrameTwice) {
  auto camera = AddCamera(WithEeprom(true));
  const uint8_t gate = static_cast<uint8_t>(camera->chip().RegRead(0x0006, 1));
  Open();
  const uint8_t bytes[5] = {0x02, 0x00, 0xDE, 0xAD, 0xBE};  // offset 0x0200, then data
  ASSERT_EQ(vxVidHidCls_I2C_WriteDev(0, 0xA0, 5, bytes), S_OK);
  const Frame frame = Set(0x97, {0x0D, 0x00, 0xA0, 0x00, 0x00, 0x05, 0x02, 0x00, 0xDE, 0xAD, 0xBE});
  Frame echo = frame;
  echo.bytes[0] = 0x93;
  EXPECT_EQ(Frames(), Concat({EepromGate(gate), {frame, echo}})) << Describe(Frames());
  const std::vector<uint8_t>& eeprom = camera->eeprom()->memory();
  EXPECT_EQ(eeprom[0x0200], 0xDE);
  EXPECT_EQ(eeprom[0x0202], 0xBE);
}

TEST_F(HidI2cTest, LegacyFirmwareWritesSubAddressThenReadsCurrentAddress) {
  auto camera = AddCamera(WithEeprom(false));
  std::vector<uint8_t>& eeprom = camera->eeprom()->memory();
  eeprom[0x0300] = 0x5A;
  eeprom[0x0301] = 0xA5;
  const uint8_t gate = static_cast<uint8_t>(camera->chip().RegRead(0x0006, 1));
  Open();

  const uint8_t offset[2] = {0x03, 0x00};
  uint8_t data[2] = {};
  ASSERT_EQ(vxVidHidCls_I2C_Read(0xA0, 2, offset, 2, data), S_OK);
  EXPECT_EQ(data[0], 0x5A);
  EXPECT_EQ(data[1], 0xA5);
  const auto expected = Concat({
      EepromGate(gate),
      {Set(0x97, {0x0C, 0x00, 0xA0, 0x00, 0x02, 0x03, 0x00, 0x02})},  // refused: no report 0x97
      {Set(0x97, {0x0D, 0x00, 0xA0, 0x00, 0x02, 0x03, 0x00, 0x00})},  // the sub-address write
      {Set(0x87, {0x03, 0x00, 0x00, 0x00}), Set(0x93, {0xA0, 0x02, 0x00, 0x03, 0x00})},
      BusyCheck(),
      {Set(0x87, {0x02, 0xA0, 0x02, 0x01}), Get(0x93)},
      BusyCheck(),
  });
  EXPECT_EQ(Frames(), expected) << Describe(Frames());
}

TEST_F(HidI2cTest, LegacyWriteAndItsBusyFlag) {
  auto camera = AddCamera(WithEeprom(false));
  Open();
  const uint8_t bytes[3] = {0x00, 0x10, 0x77};
  ASSERT_EQ(vxVidHidCls_I2C_WriteDev(0, 0xA0, 3, bytes), S_OK);
  EXPECT_EQ(camera->eeprom()->memory()[0x0010], 0x77);
  const std::vector<Frame> frames = Frames();
  const std::vector<Frame> tail = Concat(
      {{Set(0x87, {0x03, 0x00, 0x00, 0x00}), Set(0x93, {0xA0, 0x03, 0x01, 0x00, 0x10, 0x77})},
       BusyCheck()});
  ASSERT_GE(frames.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), frames.end() - tail.size())) << Describe(frames);

  // A slave that does not answer sets bit 4 of register 0x0005: the transfer fails.
  EXPECT_EQ(vxVidHidCls_I2C_WriteDev(0, 0x42, 1, bytes), E_FAIL);
  EXPECT_NE(camera->chip().RegRead(0x0005, 1) & 0x10, 0u);
}

TEST_F(HidI2cTest, LegacyBusyCheckThatCannotBeReadCountsAsFailed) {
  AddCamera(WithEeprom(false));
  Open();
  const uint8_t bytes[3] = {0x00, 0x10, 0x77};
  // Transfers: 11 for the gate and the refused extended set and the legacy write, then the busy
  // check's probe (12, 13), its command (14) and its answer (15).
  hid().FailTransfer(15);
  EXPECT_EQ(vxVidHidCls_I2C_WriteDev(0, 0xA0, 3, bytes), E_FAIL);
  EXPECT_EQ(Frames().size(), 15u) << Describe(Frames());
}

TEST_F(HidI2cTest, OversizedRequestsAreRefusedWithoutTraffic) {
  AddCamera(WithEeprom(true));
  Open();
  uint8_t big[64] = {};
  EXPECT_EQ(vxVidHidCls_I2C_Read(0x50, 1, big, 40, big), E_FAIL);  // extended read: at most 39
  EXPECT_EQ(vxVidHidCls_I2C_WriteDev(0, 0x50, 35, big), E_FAIL);   // 6 + 35 > 40
  EXPECT_EQ(vxVidHidCls_I2C_Read(0x50, 65, big, 1, big), E_FAIL);  // beyond the request record
  EXPECT_TRUE(Frames().empty()) << Describe(Frames());
}

}  // namespace
}  // namespace testing_support
