// The HID transport's row of the routing table.

#include "device/hid_transport.h"
#include "device/transport_ops.h"

namespace {

platform::HidDevice* AsHid(DeviceHandle device) {
  return static_cast<platform::HidDevice*>(device);
}

}  // namespace

const TransportOps kHidTransportOps = {
    [](DeviceHandle d, uint8_t& gen) { return hidreg_GetChipGen(AsHid(d), gen); },
    [](DeviceHandle d, RegRequest& r) { return hidreg_RegRead(AsHid(d), r); },
    [](DeviceHandle d, const RegRequest& r) { return hidreg_RegWrite(AsHid(d), r); },
    [](DeviceHandle d, I2cRequest& r) { return hidreg_I2cRead(AsHid(d), r); },
    [](DeviceHandle d, const I2cRequest& r) { return hidreg_I2cWrite(AsHid(d), r); },
    [](DeviceHandle d, FlashCmdRequest& r) { return hidreg_FlashCmdRead(AsHid(d), r); },
    [](DeviceHandle d, const FlashCmdRequest& r) { return hidreg_FlashCmdWrite(AsHid(d), r); },
};
