#pragma once
// The I2C EEPROM at slave 0xA0 (two-byte offsets, high byte first), each transfer repeated
// until it succeeds or 3,000 ms have passed on the platform clock.

#include <cstdint>

namespace transfer {

inline constexpr uint8_t kEepromSlave = 0xA0;
inline constexpr uint32_t kEepromRetryMs = 3000;
inline constexpr uint32_t kEepromPiece = 32;  // the jobs' transfer size

// Reads length bytes at offset from the EEPROM of device 0.
bool EepromRead(uint16_t offset, uint32_t length, uint8_t* destination);

// Writes length bytes at offset to the EEPROM of every counted device; succeeds when the last
// device's write does, fails with no device counted.
bool EepromWrite(uint16_t offset, uint32_t length, const uint8_t* data);

}  // namespace transfer
