// Register access and the live chip-generation probe.

#include "device/device_transaction.h"
#include "device/dispatch.h"
#include "device/lib_trace.h"

int vxVidHidCls_GetDevChipGen(int dev, uint8_t* chipGen) {
  *chipGen = 0;
  DeviceHandle device = SlotDevice(dev);
  if (device == nullptr) return 0;
  if (!WaitLibraryMutex(kMutexWaitMs)) {
    LibTrace("[%s] mutex time-out ", "vxVidHidCls_GetDevChipGen");
    return 0;
  }
  Library().currentDevice = dev;
  DispatchChipGen(device, *chipGen);  // a failed probe leaves generation 0, still a result
  ReleaseLibraryMutex();
  return 1;
}

VxStatus vxVidHidCls_RegReadDev(int dev, uint16_t address, uint8_t length, uint32_t* value) {
  RegRequest request{address, length, 0};
  return RunDeviceTransaction(dev, kMutexWaitMs, [&](DeviceHandle device) {
    if (!DispatchRegRead(device, request)) return false;
    *value = request.value;
    return true;
  });
}

VxStatus vxVidHidCls_RegRead(uint16_t address, uint8_t length, uint32_t* value) {
  return vxVidHidCls_RegReadDev(0, address, length, value);
}

VxStatus vxVidHidCls_RegWriteDev(int dev, uint16_t address, uint8_t length, const uint32_t* value) {
  RegRequest request{address, length, *value};
  return RunDeviceTransaction(
      dev, kMutexWaitMs, [&](DeviceHandle device) { return DispatchRegWrite(device, request); });
}

VxStatus vxVidHidCls_RegWrite(uint16_t address, uint8_t length, const uint32_t* value) {
  return vxVidHidCls_RegWriteDev(0, address, length, value);
}
