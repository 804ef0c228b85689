#pragma once
// The SPI NOR flash parts a camera may carry, as the simulated hardware knows them.

#include <cstdint>
#include <span>
#include <string_view>

namespace sim {

struct FlashPart {
  std::string_view name;  // as the camera library names the part
  uint8_t jedecId[3];     // manufacturer, memory type, capacity code
  uint32_t pageSize;      // bytes
  uint32_t capacity;      // bytes
};

// The ten parts, in the camera library's table order.
std::span<const FlashPart> FlashParts();

// The part with that name, or null.
const FlashPart* FindFlashPart(std::string_view name);

}  // namespace sim
