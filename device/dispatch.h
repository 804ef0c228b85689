#pragma once
// Routing of every camera request to the transport of the open session.
//
// Each takes the device (a slot's handle, or a candidate's during discovery) and one request;
// none locks or traces. A request the session's transport does not carry fails without traffic.

#include <cstdint>

#include "device/library_state.h"
#include "device/requests.h"

bool DispatchChipGen(DeviceHandle device, uint8_t& chipGen);  // chipGen 0 unless 2 is reported
bool DispatchRegRead(DeviceHandle device, RegRequest& request);
bool DispatchRegWrite(DeviceHandle device, const RegRequest& request);
bool DispatchI2cRead(DeviceHandle device, I2cRequest& request);
bool DispatchI2cWrite(DeviceHandle device, const I2cRequest& request);
bool DispatchFlashCmdRead(DeviceHandle device, FlashCmdRequest& request);
bool DispatchFlashCmdWrite(DeviceHandle device, const FlashCmdRequest& request);
