// Opening and closing the library session.

#include "device/hid_transport.h"
#include "device/lib_trace.h"
#include "device/library_state.h"
#include "device/session_info.h"

namespace {

// The discoveries in the order they are tried; the first that finds a camera decides the kind.
struct Discovery {
  bool (*run)();
  const char* found;  // trace text after a success
};

constexpr Discovery kDiscoveries[] = {
    {hidreq_Init, "%s Is HID Device"},
};

}  // namespace

int vxVidHidCls_Init() {
  LibTrace("LibBuildTime%s %s ", __DATE__, __TIME__);
  if (Library().kind != DeviceKind::None) vxVidHidCls_Exit();
  for (const Discovery& discovery : kDiscoveries) {
    if (discovery.run()) {
      LibTrace(discovery.found, "vxVidHidCls_Init");
      return 1;
    }
  }
  return 0;
}

void vxVidHidCls_Exit() {
  LibraryState& lib = Library();
  if (lib.kind == DeviceKind::None) return;
  if (lib.kind == DeviceKind::Hid) {
    hidreq_CloseAll(lib.hid);
    for (int32_t i = 0; i < lib.deviceCount; ++i)
      lib.slots[static_cast<size_t>(i)].device = nullptr;
  }
  lib.mutex.reset();
  lib.kind = DeviceKind::None;
  lib.deviceCount = 0;
}

int32_t vxVidHidCls_GetDevCount() {
  const LibraryState& lib = Library();
  return lib.kind == DeviceKind::None ? 0 : lib.deviceCount;
}

DeviceKind CurrentDeviceKind() {
  return Library().kind;
}

const char* DeviceKindName(DeviceKind kind) {
  switch (kind) {
    case DeviceKind::None:
      return "None";
    case DeviceKind::VideoClass:
      return "VideoClass";
    case DeviceKind::Hid:
      return "Hid";
    case DeviceKind::VendorVideo:
      return "VendorVideo";
    case DeviceKind::BdaVendor:
      return "BdaVendor";
  }
  return "?";
}
