#pragma once
// One transport's row of the routing table: the operation for each kind of request, or null
// where that transport does not carry it.

#include <cstdint>

#include "device/library_state.h"
#include "device/requests.h"

struct TransportOps {
  bool (*chipGen)(DeviceHandle device, uint8_t& chipGen);
  bool (*regRead)(DeviceHandle device, RegRequest& request);
  bool (*regWrite)(DeviceHandle device, const RegRequest& request);
  bool (*i2cRead)(DeviceHandle device, I2cRequest& request);
  bool (*i2cWrite)(DeviceHandle device, const I2cRequest& request);
  bool (*flashCmdRead)(DeviceHandle device, FlashCmdRequest& request);
  bool (*flashCmdWrite)(DeviceHandle device, const FlashCmdRequest& request);
};

// The row for HID feature reports.
extern const TransportOps kHidTransportOps;
