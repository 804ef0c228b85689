#pragma once
// I2C steps for the library's own multi-step readers.

#include <cstdint>

#include "device/vxVidHidCls.h"

// One mutex hold: opens the chip's path to the EEPROM (register 0x0006 bit 2 cleared).
VxStatus PrepareEepromPath(int dev);

// One I2C read as its own transaction, without the EEPROM preparation.
VxStatus I2cReadTransaction(int dev, uint8_t slave, uint8_t subLength, const uint8_t* subAddress,
                            uint8_t dataLength, uint8_t* data, bool prepareEeprom);
