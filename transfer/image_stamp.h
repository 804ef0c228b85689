#pragma once
// Stamps an image file's checksum: the CRC-32 of the payload in front of it, little-endian.

#include <cstddef>
#include <cstdint>

#include "transfer/crc32.h"

namespace transfer {

inline void StampChecksum(uint8_t* checksum, const uint8_t* payload, size_t length) {
  const uint32_t crc = Crc32(0, payload, length);
  for (int i = 0; i < 4; ++i) checksum[i] = static_cast<uint8_t>(crc >> (8 * i));
}

}  // namespace transfer
