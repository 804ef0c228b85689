#pragma once

#include "platform/clock.h"

namespace platform::linux_backend {

// Milliseconds of CLOCK_MONOTONIC, truncated to 32 bits.
class LinuxClock final : public Clock {
 public:
  uint32_t TickCount() override;
  void Sleep(uint32_t milliseconds) override;
};

}  // namespace platform::linux_backend
