#include "device/library_state.h"

#include "platform/services.h"

LibraryState& Library() {
  static LibraryState state;
  return state;
}

DeviceHandle SlotDevice(int dev) {
  if (dev < 0 || dev >= kMaxDevices) return nullptr;
  return Library().slots[static_cast<size_t>(dev)].device;
}

bool CreateLibraryMutex() {
  LibraryState& lib = Library();
  if (lib.mutex) return true;
  bool alreadyExisted = false;
  lib.mutex = platform::CurrentServices().mutexes->CreateOrOpen(kLibraryMutexName, alreadyExisted);
  return lib.mutex != nullptr;
}

bool WaitLibraryMutex(uint32_t timeoutMs) {
  LibraryState& lib = Library();
  return lib.mutex && lib.mutex->Wait(timeoutMs);
}

void ReleaseLibraryMutex() {
  LibraryState& lib = Library();
  if (lib.mutex) lib.mutex->Release();
}

void ResetLibraryForTests() {
  vxVidHidCls_Exit();
  Library() = LibraryState{};
}
