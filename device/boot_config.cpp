// Reading the boot configuration and rewriting the user-data sector.

#include "device/boot_config.h"

#include <cstring>
#include <vector>

#include "device/lib_trace.h"

bool ReadBootConfig(int dev, BootConfig& config) {
  uint8_t raw[kBootHeaderSize] = {};
  if (!vxVidHidCls_SPI_Flash_Read(dev, 0, sizeof raw, raw)) return false;
  const BootHeader header = DecodeBootHeader(raw);
  LibTrace("Boot config Info :");
  LibTrace("BootAddr :\t\t0x%08X", header.bootAddr);
  LibTrace("BootSize :\t\t0x%08X", header.bootSize);
  LibTrace("UserCodeAddr :\t0x%08X", header.userCodeAddr);
  LibTrace("UserCodeSize :\t0x%08X", header.userCodeSize);

  config.layout = BootLayout(header);
  config.blockAddress = UserDataAddress(header);
  // A block that crosses its sector or reaches 0x10000 cannot be rewritten as one sector.
  if (!UserDataFitsOneSector(config.blockAddress)) {
    LibTrace("Code size error Size:0x%04x", config.blockAddress);
    return false;
  }
  config.sectorAddress = config.blockAddress & 0xF000;
  config.offset = config.blockAddress - config.sectorAddress;

  std::vector<uint8_t> sector(kFlashSectorSize, 0);
  // Copies of an unread sector would pass zeros off as the camera's identity.
  if (!vxVidHidCls_SPI_Flash_Read(dev, config.sectorAddress, kFlashSectorSize, sector.data())) {
    return false;
  }
  std::memcpy(config.header, sector.data() + config.offset, sizeof config.header);
  std::memcpy(&config.uvc, sector.data() + config.offset + offsetof(UserDataBlock, uvc),
              sizeof config.uvc);

  UserDataBlock block{};
  std::memcpy(&block, config.header, sizeof config.header);
  LibTrace("Signature:0x%x VID:0x%04x PID:0x%04x FwVersion:0x%04x", block.signature, block.vid,
           block.pid, block.fwVersion);
  LibTrace("Default UVC property value: 0x%04x", config.uvc.values[0]);
  return true;
}

bool WriteUserDataSector(int dev, const BootConfig& config) {
  std::vector<uint8_t> written(kFlashSectorSize, 0);
  if (!vxVidHidCls_SPI_Flash_Read(dev, config.sectorAddress, kFlashSectorSize, written.data())) {
    return false;
  }
  std::memcpy(written.data() + config.offset, config.header, sizeof config.header);
  std::memcpy(written.data() + config.offset + offsetof(UserDataBlock, uvc), &config.uvc,
              sizeof config.uvc);
  vxVidHidCls_SPI_Flash_Write(dev, config.sectorAddress, kFlashSectorSize, written.data());

  std::vector<uint8_t> readBack(kFlashSectorSize, 0);
  const bool read =
      vxVidHidCls_SPI_Flash_Read(dev, config.sectorAddress, kFlashSectorSize, readBack.data());
  if (!read || readBack != written) {
    LibTrace("Write sector data != Read back verifier \n");
    return false;
  }
  return true;
}
