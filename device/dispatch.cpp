#include "device/dispatch.h"

#include "device/transport_ops.h"

namespace {

// The row for the session's kind and, for kinds whose transport depends on the extension unit
// found, the subtype of the slot addressed last. Null: the kind carries no request at all.
const TransportOps* Route() {
  const LibraryState& lib = Library();
  switch (lib.kind) {
    case DeviceKind::Hid:
      return &kHidTransportOps;
    case DeviceKind::None:
    case DeviceKind::VideoClass:
    case DeviceKind::VendorVideo:
    case DeviceKind::BdaVendor:
      break;
  }
  return nullptr;
}

template <typename Op, typename... Args>
bool Call(Op TransportOps::*op, Args&&... args) {
  const TransportOps* row = Route();
  if (row == nullptr || row->*op == nullptr) return false;
  return (row->*op)(std::forward<Args>(args)...);
}

}  // namespace

bool DispatchChipGen(DeviceHandle device, uint8_t& chipGen) {
  uint8_t reported = 0;
  const bool ok = Call(&TransportOps::chipGen, device, reported);
  chipGen = (ok && reported == 2) ? 2 : 0;
  return ok;
}

bool DispatchRegRead(DeviceHandle device, RegRequest& request) {
  return Call(&TransportOps::regRead, device, request);
}

bool DispatchRegWrite(DeviceHandle device, const RegRequest& request) {
  return Call(&TransportOps::regWrite, device, request);
}

bool DispatchI2cRead(DeviceHandle device, I2cRequest& request) {
  return Call(&TransportOps::i2cRead, device, request);
}

bool DispatchI2cWrite(DeviceHandle device, const I2cRequest& request) {
  return Call(&TransportOps::i2cWrite, device, request);
}

bool DispatchFlashCmdRead(DeviceHandle device, FlashCmdRequest& request) {
  return Call(&TransportOps::flashCmdRead, device, request);
}

bool DispatchFlashCmdWrite(DeviceHandle device, const FlashCmdRequest& request) {
  return Call(&TransportOps::flashCmdWrite, device, request);
}
