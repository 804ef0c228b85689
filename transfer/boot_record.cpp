#include "transfer/boot_record.h"

namespace transfer {

BootRecord SpiBootRecord(uint8_t imageFlags) {
  const uint8_t option = imageFlags & 0x05;  // bits 0 and 2
  return {kBootRecordMarker, static_cast<uint8_t>(kSpiImageAddress >> 8), option, 0x00};
}

BootRecord EepromBootRecord(uint8_t imageType, uint8_t imageFlags) {
  uint8_t option = imageFlags & 0x05;
  const bool largeType = imageType == 5 || imageType == 7 || imageType == 8;
  if (largeType && (imageFlags & 0x02) == 0) option |= 0x02;
  return {kBootRecordMarker, 0x00, option, 0x00};
}

uint32_t ImageSizeLimit(uint8_t imageType) {
  switch (imageType) {
    case 0:
      return 2048;
    case 1:
    case 2:
      return 4096;
    case 3:
    case 4:
    case 6:
      return 8192;
    case 5:
    case 7:
      return 16384;
    case 8:
      return 20480;
    default:
      return kEepromCapacity;
  }
}

uint32_t EepromClearSize(uint8_t imageType) {
  switch (imageType) {
    case 0:
    case 1:
      return 4096;
    case 2:
    case 3:
      return 8192;
    case 4:
    case 5:
      return 16384;
    default:
      return kEepromCapacity;
  }
}

}  // namespace transfer
