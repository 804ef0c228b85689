// The firmware version: from the user data of generation-2 chips, through a pointer chain in
// the boot record of older ones.

#include <cstring>

#include "device/boot_config.h"
#include "device/i2c_internal.h"
#include "device/library_state.h"
#include "platform/services.h"

namespace {

constexpr uint8_t kEepromSlave = 0xA0;

// One read of the EEPROM at a two-byte offset, high byte first.
bool ReadEeprom(uint16_t offset, uint8_t length, uint8_t* data) {
  const uint8_t sub[2] = {static_cast<uint8_t>(offset >> 8), static_cast<uint8_t>(offset & 0xFF)};
  return I2cReadTransaction(0, kEepromSlave, 2, sub, length, data, false) >= 0;
}

}  // namespace

VxStatus ReadVersionEepromChain(uint8_t* high, uint8_t* low) {
  if (PrepareEepromPath(0) < 0) return E_FAIL;
  uint8_t x = 0;
  uint8_t y = 0;
  uint8_t version[2] = {};
  if (!ReadEeprom(0x0001, 1, &x)) return E_FAIL;
  if (!ReadEeprom(static_cast<uint16_t>(x << 8 | 0x32), 1, &y)) return E_FAIL;
  if (!ReadEeprom(static_cast<uint16_t>(x << 8 | ((y + 2) & 0xFF)), 2, version)) return E_FAIL;
  *high = version[0];
  *low = version[1];
  return S_OK;
}

VxStatus ReadVersionEepromRecord(uint8_t* high, uint8_t* low) {
  if (PrepareEepromPath(0) < 0) return E_FAIL;
  uint8_t record[4] = {};
  uint8_t version[2] = {};
  if (!ReadEeprom(0x0000, 4, record)) return E_FAIL;
  const uint8_t page = static_cast<uint8_t>(record[1] + 1);
  if (!ReadEeprom(static_cast<uint16_t>(page << 8 | 0x54), 2, version)) return E_FAIL;
  *high = version[0];
  *low = version[1];
  return S_OK;
}

VxStatus ReadVersionFlashRecord(uint8_t* high, uint8_t* low) {
  uint8_t record[4] = {};
  uint8_t version[2] = {};
  if (!vxVidHidCls_SPI_Flash_Read(0, 0, 4, record)) return E_FAIL;
  if (!vxVidHidCls_SPI_Flash_Read(0, (uint32_t{record[1]} << 8) + 0x154, 2, version)) {
    return E_FAIL;
  }
  *high = version[0];
  *low = version[1];
  return S_OK;
}

VxStatus vxVidHidCls_GetFwVersion(uint8_t* high, uint8_t* low) {
  if (SlotDevice(0) == nullptr) return E_FAIL;
  if (Library().slots[0].chipGen == 2) {
    *high = 0xFF;
    *low = 0xFF;
    BootConfig config;
    if (ReadBootConfig(0, config)) {
      UserDataBlock block{};
      std::memcpy(&block, config.header, sizeof config.header);
      *high = block.fwVersion >> 8;
      *low = block.fwVersion & 0xFF;
    }
    platform::CurrentServices().clock->Sleep(1);
    return S_OK;
  }
  uint32_t selector = 0;
  if (vxVidHidCls_RegRead(0x000A, 1, &selector) < 0) selector = 0;
  if ((selector & 0xFF) >= 0xA0) return ReadVersionEepromChain(high, low);
  uint32_t boot = 0;
  if (vxVidHidCls_RegRead(0x0005, 1, &boot) >= 0 && (boot & 0x80)) {
    return ReadVersionFlashRecord(high, low);
  }
  return ReadVersionEepromRecord(high, low);
}
