// I2C transfers through the camera chip.

#include <cstring>

#include "device/device_transaction.h"
#include "device/dispatch.h"
#include "device/i2c_internal.h"

namespace {

constexpr uint8_t kEepromSlave = 0xA0;
constexpr uint16_t kI2cControlRegister = 0x0006;
constexpr uint32_t kEepromGateBit = 0x04;

// The chip reaches the EEPROM only while bit 2 of register 0x0006 is clear. A failed read skips
// the write; the transfer is tried in any case.
void PrepareEepromAccess(DeviceHandle device) {
  RegRequest control{kI2cControlRegister, 1, 0};
  if (!DispatchRegRead(device, control)) return;
  control.value &= ~kEepromGateBit & 0xFF;
  DispatchRegWrite(device, control);
}

}  // namespace

VxStatus PrepareEepromPath(int dev) {
  return RunDeviceTransaction(dev, kMutexWaitMs, [](DeviceHandle device) {
    PrepareEepromAccess(device);
    return true;
  });
}

VxStatus I2cReadTransaction(int dev, uint8_t slave, uint8_t subLength, const uint8_t* subAddress,
                            uint8_t dataLength, uint8_t* data, bool prepareEeprom) {
  I2cRequest request{};
  if (subLength > sizeof request.subAddress || dataLength > sizeof request.data) return E_FAIL;
  request.slave = slave;
  if (subLength > 0) {
    request.flags = kI2cFlagSubAddress;
    request.subAddressLength = subLength;
    std::memcpy(request.subAddress, subAddress, subLength);
  }
  request.dataLength = dataLength;
  return RunDeviceTransaction(dev, kMutexWaitMs, [&](DeviceHandle device) {
    if (prepareEeprom && slave == kEepromSlave) PrepareEepromAccess(device);
    if (!DispatchI2cRead(device, request)) return false;
    std::memcpy(data, request.data, dataLength);
    return true;
  });
}

VxStatus vxVidHidCls_I2C_Read(uint8_t slave, uint8_t subLength, const uint8_t* subAddress,
                              uint8_t dataLength, uint8_t* data) {
  return I2cReadTransaction(0, slave, subLength, subAddress, dataLength, data, true);
}

VxStatus vxVidHidCls_I2C_WriteDev(int dev, uint8_t slave, uint8_t length, const uint8_t* data) {
  I2cRequest request{};
  if (length > sizeof request.data) return E_FAIL;
  request.slave = slave;
  request.dataLength = length;
  std::memcpy(request.data, data, length);
  return RunDeviceTransaction(dev, kMutexWaitMs, [&](DeviceHandle device) {
    if (slave == kEepromSlave) PrepareEepromAccess(device);
    return DispatchI2cWrite(device, request);
  });
}
