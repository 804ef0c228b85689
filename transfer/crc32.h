#pragma once
// The image checksum: the standard CRC-32 (reflected polynomial 0xEDB88320, initial and final
// value 0xFFFFFFFF; check value 0xCBF43926 for "123456789").

#include <cstddef>
#include <cstdint>

namespace transfer {

// Continues a running CRC over length bytes. Starting from 0 it gives the CRC-32 of the bytes;
// with no bytes it returns crc unchanged.
uint32_t Crc32(uint32_t crc, const uint8_t* data, size_t length);

}  // namespace transfer
