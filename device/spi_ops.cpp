// The SPI pass-through: one piece of an SPI transaction per call.

#include <cstring>

#include "device/device_transaction.h"
#include "device/dispatch.h"

namespace {

// False when the lengths do not fit the request record.
bool BuildSpiRequest(FlashCmdRequest& request, uint8_t port, uint8_t endFlag, uint8_t commandLength,
                     const uint8_t* command, uint8_t dataLength) {
  if (commandLength > sizeof request.command || dataLength > sizeof request.data) return false;
  request.endFlag = endFlag;
  request.port = port;
  if (commandLength > 0) {
    request.commandLength = commandLength;
    std::memcpy(request.command, command, commandLength);
  }
  request.dataLength = dataLength;
  return true;
}

}  // namespace

VxStatus vxVidHidCls_SPI_CmdReadDev(int dev, uint8_t port, uint8_t endFlag, uint8_t commandLength,
                                    const uint8_t* command, uint8_t dataLength, uint8_t* data) {
  FlashCmdRequest request{};
  if (!BuildSpiRequest(request, port, endFlag, commandLength, command, dataLength)) return E_FAIL;
  return RunDeviceTransaction(dev, kSpiReadMutexWaitMs, [&](DeviceHandle device) {
    if (!DispatchFlashCmdRead(device, request)) return false;
    std::memcpy(data, request.data, dataLength);
    return true;
  });
}

VxStatus vxVidHidCls_SPI_CmdRead(uint8_t port, uint8_t endFlag, uint8_t commandLength,
                                 const uint8_t* command, uint8_t dataLength, uint8_t* data) {
  return vxVidHidCls_SPI_CmdReadDev(0, port, endFlag, commandLength, command, dataLength, data);
}

VxStatus vxVidHidCls_SPI_CmdWriteDev(int dev, uint8_t port, uint8_t endFlag, uint8_t commandLength,
                                     const uint8_t* command, uint8_t dataLength,
                                     const uint8_t* data) {
  FlashCmdRequest request{};
  if (!BuildSpiRequest(request, port, endFlag, commandLength, command, dataLength)) return E_FAIL;
  if (dataLength > 0) std::memcpy(request.data, data, dataLength);
  return RunDeviceTransaction(dev, kMutexWaitMs, [&](DeviceHandle device) {
    return DispatchFlashCmdWrite(device, request);
  });
}

VxStatus vxVidHidCls_SPI_CmdWrite(uint8_t port, uint8_t endFlag, uint8_t commandLength,
                                  const uint8_t* command, uint8_t dataLength, const uint8_t* data) {
  return vxVidHidCls_SPI_CmdWriteDev(0, port, endFlag, commandLength, command, dataLength, data);
}
