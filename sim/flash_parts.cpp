// The ten SPI NOR flash parts of the camera library's table, in its order.
// Capacities follow the part names; no operation of the library reads them.

#include "sim/flash_parts.h"

#include <array>

namespace sim {
namespace {

constexpr uint32_t kKbit = 1024 / 8;
constexpr uint32_t kMbit = 1024 * 1024 / 8;

constexpr std::array<FlashPart, 10> kFlashParts{{
    {.name = "MX25L512E-512Kbit",
     .jedecId = {0xC2, 0x20, 0x10},
     .pageSize = 256,
     .capacity = 512 * kKbit},
    // The only part with 32-byte pages.
    {.name = "MX25L5121E-512Kbit",
     .jedecId = {0xC2, 0x22, 0x10},
     .pageSize = 32,
     .capacity = 512 * kKbit},
    {.name = "MX25L1021E-1Mbit",
     .jedecId = {0xC2, 0x22, 0x11},
     .pageSize = 256,
     .capacity = 1 * kMbit},
    {.name = "MX25L1006E-1Mbit",
     .jedecId = {0xC2, 0x20, 0x11},
     .pageSize = 256,
     .capacity = 1 * kMbit},
    {.name = "MX25L3206E-32Mbit",
     .jedecId = {0xC2, 0x20, 0x16},
     .pageSize = 256,
     .capacity = 32 * kMbit},
    // 7F is the JEDEC continuation code: this id carries no capacity code.
    {.name = "Pm25LD512C-512Kbit",
     .jedecId = {0x7F, 0x9D, 0x20},
     .pageSize = 256,
     .capacity = 512 * kKbit},
    {.name = "WinBond 20X10 - 1Mbit",
     .jedecId = {0xEF, 0x30, 0x11},
     .pageSize = 256,
     .capacity = 1 * kMbit},
    {.name = "WinBond 20X20 - 2Mbit",
     .jedecId = {0xEF, 0x30, 0x12},
     .pageSize = 256,
     .capacity = 2 * kMbit},
    {.name = "WinBond 20X40 - 4Mbit",
     .jedecId = {0xEF, 0x30, 0x13},
     .pageSize = 256,
     .capacity = 4 * kMbit},
    {.name = "WinBond 20X80 - 8Mbit",
     .jedecId = {0xEF, 0x30, 0x14},
     .pageSize = 256,
     .capacity = 8 * kMbit},
}};

}  // namespace

std::span<const FlashPart> FlashParts() {
  return kFlashParts;
}

const FlashPart* FindFlashPart(std::string_view name) {
  for (const FlashPart& part : kFlashParts) {
    if (part.name == name) return &part;
  }
  return nullptr;
}

}  // namespace sim
