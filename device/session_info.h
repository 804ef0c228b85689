#pragma once
// What the open session looks like, for tools that report on it.

#include <cstdint>

#include "device/vxVidHidCls.h"

DeviceKind CurrentDeviceKind();
const char* DeviceKindName(DeviceKind kind);
