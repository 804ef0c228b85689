#pragma once
// One read of the camera's boot configuration: where its user data lies and a copy of it.

#include <cstdint>

#include "device/flash_layout.h"

inline constexpr size_t kUserDataHeaderCopy = 0x10C;  // block bytes 0x00..0x10B

struct BootConfig {
  int layout = 0;
  uint32_t blockAddress = 0;
  uint32_t sectorAddress = 0;
  uint32_t offset = 0;  // of the block in its sector
  uint8_t header[kUserDataHeaderCopy] = {};
  UvcDefaults uvc = {};
};

// Reads the boot header and the user-data sector of device dev. Fails when either cannot be
// read or the block does not lie inside one sector below 0x10000.
bool ReadBootConfig(int dev, BootConfig& config);

// Rewrites the user-data sector with config's copies in place and verifies it by reading back.
// Every byte of the sector outside the block is written back as read; nothing is written when
// the sector cannot be read first.
bool WriteUserDataSector(int dev, const BootConfig& config);

// The identity record from and to the flash of a generation-2 chip.
bool ReadDevInfo(int dev, DeviceInfo& info);
bool WriteDevInfo(int dev, const DeviceInfo& info);

// The older chips' version chains.
VxStatus ReadVersionEepromChain(uint8_t* high, uint8_t* low);
VxStatus ReadVersionEepromRecord(uint8_t* high, uint8_t* low);
VxStatus ReadVersionFlashRecord(uint8_t* high, uint8_t* low);
