#include "transfer/flash_routines.h"

#include <algorithm>

#include "device/vxVidHidCls.h"
#include "transfer/engine_state.h"
#include "transfer/transfer_events.h"
#include "transfer/transfer_window.h"

namespace transfer {
namespace {

constexpr uint32_t SectorOf(uint32_t address) {
  return address & ~(kSectorSize - 1);
}

// Up to the end of the page that holds address: a page program wraps inside its page, so a
// chunk from an address that is not page-aligned must stop at the boundary.
uint32_t ChunkAt(uint32_t address, uint32_t remaining, uint32_t pageSize) {
  return std::min(remaining, pageSize - address % pageSize);
}

}  // namespace

bool ProgramWithProgress(uint32_t address, uint32_t length, const uint8_t* data) {
  SpiFlashInfo info{};
  if (!vxVidHidCls_SPI_Flash_GetInfo(0, &info) || info.pageSize == 0) return false;
  PostTransferEvent(SetTotal, static_cast<int32_t>(length));
  PostTransferEvent(WriteProgress, 0);
  for (uint32_t done = 0; done < length;) {
    const uint32_t chunk = ChunkAt(address, length - done, info.pageSize);
    if (!vxVidHidCls_SPI_Flash_PageProgram(0, address, chunk, data + done)) return false;
    address += chunk;
    done += chunk;
    PostTransferEvent(WriteProgress, static_cast<int32_t>(done));
  }
  return true;
}

bool EraseAndProgram(uint32_t address, uint32_t length, const uint8_t* data) {
  uint32_t current = SectorOf(address);
  SpiFlashInfo info{};
  if (!vxVidHidCls_SPI_Flash_GetInfo(0, &info) || info.pageSize == 0) return false;
  if (!EraseSector(current)) return false;
  if (Engine().job.progressSwitch) {
    PostTransferEvent(WriteProgress, 0);
    PostTransferEvent(SetTotal, static_cast<int32_t>(length));
  }
  for (uint32_t done = 0; done < length;) {
    const uint32_t chunk = ChunkAt(address, length - done, info.pageSize);
    // Every sector the chunk reaches is erased before it is programmed.
    for (uint32_t sector = SectorOf(address); sector <= SectorOf(address + chunk - 1);
         sector += kSectorSize) {
      if (sector == current) continue;
      current = sector;
      if (!EraseSector(current)) return false;
    }
    if (!vxVidHidCls_SPI_Flash_PageProgram(0, address, chunk, data + done)) return false;
    address += chunk;
    done += chunk;
  }
  return true;
}

bool EraseSector(uint32_t address) {
  return vxVidHidCls_SPI_Flash_SectorErase(0, address) != 0;
}

void ProtectFlashAgain() {
  vxVidHidCls_SPI_Flash_SetWriteEnable(0, 1);
  vxVidHidCls_SPI_Flash_SetProtect(0, 1);
  vxVidHidCls_SPI_Flash_SetWriteEnable(0, 0);
}

}  // namespace transfer
