// The I2C EEPROM model: offsets high byte first, page wrap on writes, reads across the memory.

#include "sim/i2c_eeprom.h"

#include <gtest/gtest.h>

#include <vector>

namespace sim {
namespace {

TEST(I2cEepromTest, OffsetIsSentHighByteFirst) {
  I2cEeprom eeprom;
  const uint8_t write[] = {0x01, 0x02, 0xAB};
  ASSERT_TRUE(eeprom.Write(write, sizeof write));
  EXPECT_EQ(eeprom.memory()[0x0102], 0xAB);
  EXPECT_EQ(eeprom.memory()[0x0201], 0xFF);
}

TEST(I2cEepromTest, PageWriteWrapsWithinItsPage) {
  I2cEeprom eeprom(32 * 1024, 64);
  const uint8_t write[] = {0x00, 0x7E, 1, 2, 3, 4};  // two bytes before the end of page 0x40
  ASSERT_TRUE(eeprom.Write(write, sizeof write));
  EXPECT_EQ(eeprom.memory()[0x7E], 1);
  EXPECT_EQ(eeprom.memory()[0x7F], 2);
  EXPECT_EQ(eeprom.memory()[0x40], 3);
  EXPECT_EQ(eeprom.memory()[0x41], 4);
  EXPECT_EQ(eeprom.memory()[0x80], 0xFF);
  // The address counter follows the wrap: a current-address read goes on at 0x42.
  eeprom.memory()[0x42] = 0x99;
  uint8_t next = 0;
  ASSERT_TRUE(eeprom.Read(&next, 1));
  EXPECT_EQ(next, 0x99);
}

TEST(I2cEepromTest, CurrentAddressReadContinuesAndWrapsAtCapacity) {
  I2cEeprom eeprom(32 * 1024, 64);
  eeprom.memory()[0x7FFF] = 0x11;
  eeprom.memory()[0x0000] = 0x22;
  eeprom.memory()[0x0001] = 0x33;
  const uint8_t offset[] = {0x7F, 0xFF};
  ASSERT_TRUE(eeprom.Write(offset, sizeof offset));  // an offset alone: a random read follows
  uint8_t first = 0;
  uint8_t rest[2] = {};
  ASSERT_TRUE(eeprom.Read(&first, 1));
  ASSERT_TRUE(eeprom.Read(rest, 2));
  EXPECT_EQ(first, 0x11);
  EXPECT_EQ(rest[0], 0x22);
  EXPECT_EQ(rest[1], 0x33);
}

TEST(I2cEepromTest, WriteShorterThanTheOffsetIsRefused) {
  I2cEeprom eeprom;
  const uint8_t one = 0x00;
  EXPECT_FALSE(eeprom.Write(&one, 1));
  EXPECT_FALSE(eeprom.Write(nullptr, 0));
}

}  // namespace
}  // namespace sim
