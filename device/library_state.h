#pragma once
// The library's one global record: the open session, its devices and its mutex.
//
// Not locked: init and exit run on one thread while no operation is in progress; the
// currentDevice field is written only while the library mutex is held.

#include <array>
#include <cstdint>
#include <memory>

#include "device/vxVidHidCls.h"
#include "platform/hid.h"
#include "platform/named_mutex.h"

inline constexpr const char* kLibraryMutexName = "Vexor VideoClass HidClass Library";

// What a slot holds: for kind Hid the interface's platform::HidDevice (owned by the
// HidDeviceSet); null is an empty slot.
using DeviceHandle = void*;

// The opened HID interfaces; slot i takes handle i.
struct HidDeviceSet {
  uint32_t count = 0;
  std::array<std::unique_ptr<platform::HidDevice>, kMaxDevices> handles;
};

struct DeviceSlot {
  char16_t devicePath[256] = {};  // written by the video-stack discoveries only
  DeviceHandle device = nullptr;
  uint32_t subtype = 0;  // kind VideoClass: which extension unit
  uint8_t chipGen = 0;   // probed at discovery
};

struct LibraryState {
  DeviceKind kind = DeviceKind::None;
  std::unique_ptr<platform::NamedMutex> mutex;
  HidDeviceSet hid;
  int32_t deviceCount = 0;
  int32_t currentDevice = 0;
  uint32_t aveoNode = 0;
  uint32_t vexorNode = 0;
  uint32_t etronNode = 0;
  int32_t previousVideoCount = 0;  // kept across exit and init
  std::array<DeviceSlot, kMaxDevices> slots;
};

LibraryState& Library();

// The device of slot dev, or null for an empty slot or an index outside 0..23.
DeviceHandle SlotDevice(int dev);

// Creates or opens the library mutex into the state; false when it cannot be had.
bool CreateLibraryMutex();
// Waits for the library mutex; false on time-out or when no mutex is open.
bool WaitLibraryMutex(uint32_t timeoutMs);
void ReleaseLibraryMutex();

// Closes any session and clears the whole record, the fields that survive exit included.
// For tests only.
void ResetLibraryForTests();
