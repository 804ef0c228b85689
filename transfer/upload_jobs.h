#pragma once
// The upload jobs: thread procedures without argument that read the upload parameters written
// by StartFirmwareUpload, write the output file, report through WM_TRANSFER_EVENT and return 0.
// Each closes with one of UploadDone, FileWriteFailed or DeviceAccessFailed.

#include <cstdint>

namespace transfer {

uint32_t EepromUploadJob();    // kind 0, boot-record layout in the EEPROM
uint32_t SpiUploadJob();       // kind 0, boot-record layout in SPI flash, option 0
uint32_t SpiFullDumpJob();     // kind 0, SPI flash, option not 0: flash 0..0xFFFF as it is
uint32_t PagedUploadJob();     // kind 1, option 0: an image file
uint32_t PagedRawUploadJob();  // kind 1, option not 0: the bytes as they are
uint32_t FlashDumpJob();       // kind 2: checksum, then the flash

}  // namespace transfer
