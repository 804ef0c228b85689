#pragma once
// The frame around every device operation: check the slot, take the library mutex for one
// transaction, address the slot, run the transport call, release.

#include <cstdint>

#include "device/library_state.h"
#include "device/vxVidHidCls.h"

inline constexpr uint32_t kMutexWaitMs = 1000;
inline constexpr uint32_t kSpiReadMutexWaitMs = 100;

// Runs call(device) as one transaction on slot dev. An empty slot fails without touching the
// mutex; a mutex time-out fails without traffic.
template <typename Call>
VxStatus RunDeviceTransaction(int dev, uint32_t mutexWaitMs, Call&& call) {
  DeviceHandle device = SlotDevice(dev);
  if (device == nullptr) return E_FAIL;
  if (!WaitLibraryMutex(mutexWaitMs)) return E_FAIL;
  Library().currentDevice = dev;
  const bool ok = call(device);
  ReleaseLibraryMutex();
  return ok ? S_OK : E_FAIL;
}
