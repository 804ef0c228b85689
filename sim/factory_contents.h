#pragma once
// What the default camera's flash holds when it leaves the factory: a TAVELIN Q2 with firmware
// 1.02, its boot header and its user data, written by the same layout code as image files.

#include <cstdint>

#include "device/flash_layout.h"
#include "sim/spi_flash.h"

namespace sim {

// The made-up USB vendor id the simulated cameras carry.
inline constexpr uint16_t kSimVendorId = 0x3A5C;
inline constexpr uint16_t kSimProductIdQ2 = 0x0003;

// The boot header and identity of the factory image.
BootHeader FactoryBootHeader();
CameraIdentity FactoryIdentity();

// Overwrites the whole flash: boot header at 0, the boot image from 0x1000 with its user data
// 0x2000 into it, 0xFF after the image. Deterministic: every call writes the same bytes.
void WriteFactoryContents(SpiFlash& flash);

}  // namespace sim
