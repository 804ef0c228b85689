#pragma once
// The request records every transport takes: one register access, one I2C transfer, or one
// piece of an SPI transaction.

#include <cstdint>

#pragma pack(push, 1)

struct RegRequest {
  uint16_t address;
  uint8_t length;  // value bytes, 1..4
  uint32_t value;  // in for a write (its first length bytes travel), out for a read
};

struct I2cRequest {
  uint16_t flags;  // bit 0: subAddress is sent first; bit 4: copied into the frames' end byte
  uint16_t slave;  // 8-bit write form in the low byte
  uint8_t subAddress[64];
  uint8_t subAddressLength;
  uint8_t data[64];
  uint8_t dataLength;
};

struct FlashCmdRequest {
  uint8_t endFlag;  // 1: chip select is released after this piece
  uint32_t port;    // only the low byte travels
  uint8_t command[64];
  uint8_t commandLength;
  uint8_t data[64];
  uint8_t dataLength;
};

#pragma pack(pop)

inline constexpr uint16_t kI2cFlagSubAddress = 0x0001;
inline constexpr uint16_t kI2cFlagEndBit = 0x0010;
