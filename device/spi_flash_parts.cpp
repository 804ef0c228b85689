#include "device/spi_flash_parts.h"

namespace {

constexpr uint32_t kKbit = 1024 / 8;
constexpr uint32_t kMbit = 1024 * 1024 / 8;

constexpr SpiFlashPart kParts[] = {
    {.name = "MX25L512E-512Kbit",
     .id = {0xC2, 0x20, 0x10},
     .pageSize = 256,
     .capacity = 512 * kKbit},
    {.name = "MX25L5121E-512Kbit",
     .id = {0xC2, 0x22, 0x10},
     .pageSize = 32,
     .capacity = 512 * kKbit},
    {.name = "MX25L1021E-1Mbit", .id = {0xC2, 0x22, 0x11}, .pageSize = 256, .capacity = 1 * kMbit},
    {.name = "MX25L1006E-1Mbit", .id = {0xC2, 0x20, 0x11}, .pageSize = 256, .capacity = 1 * kMbit},
    {.name = "MX25L3206E-32Mbit",
     .id = {0xC2, 0x20, 0x16},
     .pageSize = 256,
     .capacity = 32 * kMbit},
    {.name = "Pm25LD512C-512Kbit",
     .id = {0x7F, 0x9D, 0x20},
     .pageSize = 256,
     .capacity = 512 * kKbit},
    {.name = "WinBond 20X10 - 1Mbit",
     .id = {0xEF, 0x30, 0x11},
     .pageSize = 256,
     .capacity = 1 * kMbit},
    {.name = "WinBond 20X20 - 2Mbit",
     .id = {0xEF, 0x30, 0x12},
     .pageSize = 256,
     .capacity = 2 * kMbit},
    {.name = "WinBond 20X40 - 4Mbit",
     .id = {0xEF, 0x30, 0x13},
     .pageSize = 256,
     .capacity = 4 * kMbit},
    {.name = "WinBond 20X80 - 8Mbit",
     .id = {0xEF, 0x30, 0x14},
     .pageSize = 256,
     .capacity = 8 * kMbit},
};

}  // namespace

std::span<const SpiFlashPart> SpiFlashParts() {
  return kParts;
}

const SpiFlashPart* FindSpiFlashPart(const uint8_t id[3]) {
  for (const SpiFlashPart& part : kParts) {
    if (part.id[0] == id[0] && part.id[1] == id[1] && part.id[2] == id[2]) return &part;
  }
  return nullptr;
}
