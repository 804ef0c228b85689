#include "transfer/eeprom_transfers.h"

#include <cstring>

#include "device/vxVidHidCls.h"
#include "platform/services.h"
#include "transfer/engine_state.h"

namespace transfer {
namespace {

constexpr uint32_t kLargestTransfer = 62;  // the library takes 64 bytes, two are the offset

// Repeats transfer until it succeeds or kEepromRetryMs have passed since the first attempt.
// A tick count below the start means it wrapped: counting goes on from there, keeping what had
// passed. A failed attempt waits 1 ms, so the retries neither spin a core nor stop a virtual
// clock that only the transfers would move.
template <typename Transfer>
bool Retried(Transfer&& transfer) {
  platform::Clock& clock = *platform::CurrentServices().clock;
  uint32_t start = clock.TickCount();
  uint32_t elapsed = 0;
  for (;;) {
    const uint32_t now = clock.TickCount();
    if (now < start) {
      start = now;
    } else {
      elapsed = now - start;
    }
    if (elapsed >= kEepromRetryMs) return false;
    if (transfer()) return true;
    clock.Sleep(1);
  }
}

}  // namespace

bool EepromRead(uint16_t offset, uint32_t length, uint8_t* destination) {
  if (length > kLargestTransfer) return false;
  const uint8_t sub[2] = {static_cast<uint8_t>(offset >> 8), static_cast<uint8_t>(offset & 0xFF)};
  return Retried([&] {
    return vxVidHidCls_I2C_Read(kEepromSlave, 2, sub, static_cast<uint8_t>(length), destination) >=
           0;
  });
}

bool EepromWrite(uint16_t offset, uint32_t length, const uint8_t* data) {
  if (length > kLargestTransfer) return false;
  uint8_t buffer[2 + kLargestTransfer];
  buffer[0] = static_cast<uint8_t>(offset >> 8);
  buffer[1] = static_cast<uint8_t>(offset & 0xFF);
  if (length > 0) std::memcpy(buffer + 2, data, length);
  return Retried([&] {
    bool ok = false;
    const int32_t devices = Engine().deviceCount;
    for (int dev = 0; dev < devices; ++dev) {
      ok = vxVidHidCls_I2C_WriteDev(dev, kEepromSlave, static_cast<uint8_t>(2 + length), buffer) >=
           0;
    }
    return ok;
  });
}

}  // namespace transfer
