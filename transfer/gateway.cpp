// The gateway: synchronous camera reads and writes for the dialogs, on their own thread, safe
// beside a running job because the library serialises each single operation.

#include "transfer/engine.h"
#include "transfer/engine_state.h"

namespace transfer {

int GetFirmwareVersion(uint8_t* high, uint8_t* low) {
  if (!Engine().sessionOpen) return 0;
  *high = 0;
  *low = 0;
  return vxVidHidCls_GetFwVersion(high, low) >= 0 ? 1 : 0;
}

int ReadRegister(uint16_t address, uint8_t length, uint32_t* value) {
  if (!Engine().sessionOpen) return 0;
  return vxVidHidCls_RegRead(address, length, value) >= 0 ? 1 : 0;
}

int WriteRegister(uint16_t address, uint8_t length, uint32_t value) {
  if (!Engine().sessionOpen) return 0;
  return vxVidHidCls_RegWrite(address, length, &value) >= 0 ? 1 : 0;
}

int ReadDeviceInfo(DeviceInfo* info) {
  return vxVidHidCls_GetDevInfo(0, info) != 0 ? 1 : 0;
}

int WriteDeviceInfo(const DeviceInfo* info) {
  return vxVidHidCls_SetDevInfo(0, info) != 0 ? 1 : 0;
}

}  // namespace transfer
