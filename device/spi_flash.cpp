// The SPI flash operations: identification, write enable, protection, erase, program, read.

#include <algorithm>

#include "device/lib_trace.h"
#include "device/spi_flash_commands.h"
#include "device/spi_flash_parts.h"
#include "device/vxVidHidCls.h"
#include "platform/services.h"

namespace {

void AddressBytes(uint8_t opcode, uint32_t address, uint8_t out[4]) {
  out[0] = opcode;
  out[1] = (address >> 16) & 0xFF;
  out[2] = (address >> 8) & 0xFF;
  out[3] = address & 0xFF;
}

bool WriteStatus(int dev, uint8_t status) {
  const uint8_t bytes[2] = {kOpWriteStatus, status};
  return SendFlashBytes(dev, bytes, 2);
}

}  // namespace

int vxVidHidCls_SPI_Flash_GetInfo(int dev, SpiFlashInfo* info) {
  static const char kTag[] = "vxVidHidCls_SPI_Flash_GetInfo";
  platform::Clock& clock = *platform::CurrentServices().clock;
  const uint32_t start = clock.TickCount();
  const uint8_t command[1] = {kOpReadId};
  while (clock.TickCount() - start < kIdentifyRetryMs) {
    uint8_t id[3] = {};
    if (vxVidHidCls_SPI_CmdReadDev(dev, 0, 1, 1, command, 3, id) < 0) return 0;
    if (const SpiFlashPart* part = FindSpiFlashPart(id)) {
      info->capacity = part->capacity;
      info->pageSize = part->pageSize;
      info->name = part->name;
      LibTrace("[%s] SPI FlashType : %s", kTag, part->name);
      return 1;
    }
    LibTrace("[%s] retry...", kTag);
  }
  LibTrace("[%s] Read SFlash Info fail.", kTag);
  return 0;
}

int vxVidHidCls_SPI_Flash_WriteEnable(int dev) {
  const uint8_t op[1] = {kOpWriteEnable};
  SendFlashBytes(dev, op, 1);  // the poll tells whether it took
  return PollFlashStatus(dev, kStatusBusy | kStatusWriteEnabled, kStatusWriteEnabled) ? 1 : 0;
}

int vxVidHidCls_SPI_Flash_WriteDisable(int dev) {
  const uint8_t op[1] = {kOpWriteDisable};
  SendFlashBytes(dev, op, 1);
  return PollFlashStatus(dev, kStatusBusy | kStatusWriteEnabled, 0) ? 1 : 0;
}

int vxVidHidCls_SPI_Flash_Unprotect(int dev) {
  // Without a status there is nothing to decide on: fail rather than guess.
  const std::optional<uint8_t> status = ReadFlashStatus(dev);
  if (!status) return 0;
  if (*status & kStatusProtection) {
    WriteStatus(dev, *status & 0xF3);
    if (!PollFlashStatus(dev, kStatusProtection, 0)) return 0;
  }
  vxVidHidCls_SPI_Flash_WriteEnable(dev);
  return 1;
}

int vxVidHidCls_SPI_Flash_Protect(int dev) {
  const std::optional<uint8_t> status = ReadFlashStatus(dev);
  if (!status) return 0;
  if ((*status & kStatusProtection) == kStatusProtection) return 1;
  WriteStatus(dev, *status | kStatusProtection);
  return PollFlashStatus(dev, kStatusProtection, kStatusProtection) ? 1 : 0;
}

int vxVidHidCls_SPI_Flash_SetProtect(int dev, int protect) {
  if (!vxVidHidCls_SPI_Flash_WriteEnable(dev)) return 0;
  const int changed =
      protect ? vxVidHidCls_SPI_Flash_Protect(dev) : vxVidHidCls_SPI_Flash_Unprotect(dev);
  if (!changed) return 0;
  return vxVidHidCls_SPI_Flash_WriteDisable(dev);
}

int vxVidHidCls_SPI_Flash_SetWriteEnable(int dev, int enable) {
  return enable == 1 ? vxVidHidCls_SPI_Flash_WriteEnable(dev)
                     : vxVidHidCls_SPI_Flash_WriteDisable(dev);
}

int vxVidHidCls_SPI_Flash_PageProgram(int dev, uint32_t address, uint32_t length,
                                      const uint8_t* data) {
  if (!vxVidHidCls_SPI_Flash_WriteEnable(dev)) return 0;
  uint8_t command[4];
  AddressBytes(kOpPageProgram, address, command);
  if (length <= kPieceData) {
    if (vxVidHidCls_SPI_CmdWriteDev(dev, 0, 1, 4, command, static_cast<uint8_t>(length), data) <
        0) {
      return 0;
    }
  } else {
    if (vxVidHidCls_SPI_CmdWriteDev(dev, 0, 0, 0, nullptr, 4, command) < 0) return 0;
    for (uint32_t done = 0; done < length;) {
      const uint32_t piece = std::min(length - done, kPieceData);
      const uint8_t last = done + piece == length ? 1 : 0;
      if (vxVidHidCls_SPI_CmdWriteDev(dev, 0, last, 0, nullptr, static_cast<uint8_t>(piece),
                                      data + done) < 0) {
        return 0;
      }
      done += piece;
    }
  }
  if (!PollFlashStatus(dev, kStatusBusy | kStatusWriteEnabled, 0)) return 0;
  vxVidHidCls_SPI_Flash_WriteDisable(dev);
  return 1;
}

int vxVidHidCls_SPI_Flash_Read(int dev, uint32_t address, uint32_t length, uint8_t* data) {
  uint8_t command[4];
  AddressBytes(kOpRead, address, command);
  if (length <= kPieceData) {
    return vxVidHidCls_SPI_CmdReadDev(dev, 0, 1, 4, command, static_cast<uint8_t>(length), data) >=
           0;
  }
  if (vxVidHidCls_SPI_CmdWriteDev(dev, 0, 0, 0, nullptr, 4, command) < 0) return 0;
  for (uint32_t done = 0; done < length;) {
    const uint32_t piece = std::min(length - done, kPieceData);
    const uint8_t last = done + piece == length ? 1 : 0;
    if (vxVidHidCls_SPI_CmdReadDev(dev, 0, last, 0, nullptr, static_cast<uint8_t>(piece),
                                   data + done) < 0) {
      return 0;
    }
    done += piece;
  }
  return 1;
}

int vxVidHidCls_SPI_Flash_SectorErase(int dev, uint32_t address) {
  if (!vxVidHidCls_SPI_Flash_WriteEnable(dev)) return 0;
  vxVidHidCls_SPI_Flash_Unprotect(dev);  // ends with another write enable
  uint8_t command[4];
  AddressBytes(kOpSectorErase, address, command);
  if (!SendFlashBytes(dev, command, 4)) return 0;
  if (!PollFlashStatus(dev, kStatusBusy | kStatusWriteEnabled, 0)) return 0;
  vxVidHidCls_SPI_Flash_WriteDisable(dev);
  return 1;
}

void vxVidHidCls_SPI_Flash_Write(int dev, uint32_t address, uint32_t length, const uint8_t* data) {
  constexpr uint32_t kSectorMask = ~(kSectorSize - 1);
  uint32_t current = address & kSectorMask;
  SpiFlashInfo info{};
  if (!vxVidHidCls_SPI_Flash_GetInfo(dev, &info)) return;
  if (!vxVidHidCls_SPI_Flash_SectorErase(dev, current)) return;
  while (length > 0) {
    // Up to the end of the page, so that no piece wraps inside its page even from an address
    // that is not page-aligned; pages never straddle sectors.
    const uint32_t piece = std::min(length, info.pageSize - address % info.pageSize);
    if ((address & kSectorMask) != current) {
      current = address & kSectorMask;
      if (!vxVidHidCls_SPI_Flash_SectorErase(dev, current)) return;
    }
    if (!vxVidHidCls_SPI_Flash_PageProgram(dev, address, piece, data)) return;
    address += piece;
    data += piece;
    length -= piece;
  }
}
