#include "transfer/crc32.h"

#include <array>

namespace transfer {
namespace {

// Entry b + i is entry i XOR the remainder of bit b, for every power of two b: the table is
// built from eight remainders instead of 256 bit-by-bit divisions.
std::array<uint32_t, 256> BuildTable() {
  std::array<uint32_t, 256> table{};
  uint32_t c = 1;
  for (unsigned b = 128; b >= 1; b >>= 1) {
    c = (c >> 1) ^ ((c & 1) ? 0xEDB88320u : 0u);
    for (unsigned i = 0; i < 256; i += 2 * b) table[b + i] = table[i] ^ c;
  }
  return table;
}

}  // namespace

uint32_t Crc32(uint32_t crc, const uint8_t* data, size_t length) {
  static const std::array<uint32_t, 256> table = BuildTable();  // once, thread-safe
  if (length == 0) return crc;
  crc = ~crc;
  for (size_t i = 0; i < length; ++i) crc = (crc >> 8) ^ table[(crc ^ data[i]) & 0xFF];
  return ~crc;
}

}  // namespace transfer
