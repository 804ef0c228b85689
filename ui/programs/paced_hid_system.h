#pragma once
// The demo's simulated camera at a pace a person can follow: a HID system in front of another
// that sleeps a little before each feature transfer, so that an update the simulator would
// finish at once lasts a few seconds and the ring visibly moves.
//
// Every feature transfer passes here one at a time, and the simulated camera's flash changes
// only in a transfer: WhileNoTransfer runs a function while none is under way, so the flash
// can be read or rewritten safely while the update's worker thread is writing it.

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid.h"

namespace ui::demo {

class PacedHidSystem final : public platform::HidSystem {
 public:
  // inner must outlive this system and every handle it opens.
  PacedHidSystem(platform::HidSystem& inner, std::chrono::microseconds pausePerTransfer);

  bool ListInterfaces(std::vector<std::string>& paths) override;
  // The inner system's handle, paced; null as the inner system says.
  std::unique_ptr<platform::HidDevice> Open(const std::string& path,
                                            const platform::HidOpenMode& mode) override;
  platform::HidOpenFailure LastOpenFailure() const override;

  // Runs action with no feature transfer under way; none starts until it returns.
  template <typename Action>
  auto WhileNoTransfer(Action&& action) {
    const std::lock_guard<std::mutex> lock(transfer_);
    return action();
  }

 private:
  class PacedDevice;

  platform::HidSystem& inner_;
  const std::chrono::microseconds pause_;
  std::mutex transfer_;  // held for the whole of each feature transfer
};

}  // namespace ui::demo
