#pragma once
// The SPI NOR flash parts the library knows, in the order they are matched.

#include <cstdint>
#include <span>

struct SpiFlashPart {
  const char* name;
  uint8_t id[3];  // JEDEC id: manufacturer, memory type, capacity code
  uint32_t pageSize;
  uint32_t capacity;
};

std::span<const SpiFlashPart> SpiFlashParts();

// The first part whose id matches, or null.
const SpiFlashPart* FindSpiFlashPart(const uint8_t id[3]);
