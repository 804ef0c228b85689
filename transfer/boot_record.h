#pragma once
// The older chips' 4-byte BootRecord at store address 0, and the sizes that go with an image
// type: the largest image a kind-0 download takes and how much EEPROM it clears first.

#include <array>
#include <cstdint>

namespace transfer {

inline constexpr uint8_t kBootRecordMarker = 0x26;
inline constexpr uint32_t kSpiImageAddress = 0x5000;  // byte 1 of the SPI record × 256
inline constexpr uint32_t kEepromCapacity = 32768;    // the largest clear size

// Bytes 0..3: marker, image address ÷ 256, option byte, 0.
using BootRecord = std::array<uint8_t, 4>;

BootRecord SpiBootRecord(uint8_t imageFlags);
BootRecord EepromBootRecord(uint8_t imageType, uint8_t imageFlags);

// The largest kind-0 image of this type, checksum included. Types above 8 have no limit of
// their own: they get the whole EEPROM, which they clear.
uint32_t ImageSizeLimit(uint8_t imageType);

// The bytes set to 0xFF before an EEPROM image is written; types above 8 clear everything.
uint32_t EepromClearSize(uint8_t imageType);

}  // namespace transfer
