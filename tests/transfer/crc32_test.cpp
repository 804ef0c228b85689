// The image checksum: the standard CRC-32 and its continuation over pieces.

#include "transfer/crc32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const uint8_t* Bytes(const char* text) {
  return reinterpret_cast<const uint8_t*>(text);
}

TEST(Crc32Test, CheckValueAndKnownVectors) {
  EXPECT_EQ(transfer::Crc32(0, Bytes("123456789"), 9), 0xCBF43926u);
  EXPECT_EQ(transfer::Crc32(0, Bytes("a"), 1), 0xE8B7BE43u);
  EXPECT_EQ(transfer::Crc32(0, Bytes("The quick brown fox jumps over the lazy dog"), 43),
            0x414FA339u);
  const std::vector<uint8_t> zeros(32, 0x00);
  EXPECT_EQ(transfer::Crc32(0, zeros.data(), zeros.size()), 0x190A55ADu);
}

TEST(Crc32Test, ContinuesOverPiecesAndKeepsTheValueWithoutBytes) {
  const uint8_t* text = Bytes("123456789");
  for (size_t split = 0; split <= 9; ++split) {
    const uint32_t head = transfer::Crc32(0, text, split);
    EXPECT_EQ(transfer::Crc32(head, text + split, 9 - split), 0xCBF43926u) << split;
  }
  EXPECT_EQ(transfer::Crc32(0, nullptr, 0), 0u);
  EXPECT_EQ(transfer::Crc32(0x12345678, text, 0), 0x12345678u);
}

}  // namespace
