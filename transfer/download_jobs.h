#pragma once
// The download jobs: thread procedures without argument that read the engine state written by
// StartFirmwareDownload, report through WM_TRANSFER_EVENT and return 0.

#include <cstdint>

namespace transfer {

// Kind 2, the header layout: erase from 0, the boot header and the image, read back, protect.
uint32_t HeaderImageDownloadJob();

// Kind 0, the boot-record layout in SPI flash (register 0x05 bit 7 set).
uint32_t SpiImageDownloadJob();
// Kind 0, the boot-record layout in the I2C EEPROM.
uint32_t EepromImageDownloadJob();
// Kind 1, the paged layout in SPI flash.
uint32_t PagedImageDownloadJob();

}  // namespace transfer
