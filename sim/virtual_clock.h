#pragma once
// A clock that only moves when told to: the simulated camera advances it per transfer, and
// Sleep advances it instead of blocking, so time-outs run without real waiting.

#include <atomic>
#include <cstdint>

#include "platform/clock.h"

namespace sim {

class VirtualClock final : public platform::Clock {
 public:
  explicit VirtualClock(uint32_t start = 0) : now_(start) {}

  uint32_t TickCount() override { return now_.load(std::memory_order_relaxed); }
  void Sleep(uint32_t milliseconds) override { Advance(milliseconds); }

  void Set(uint32_t now) { now_.store(now, std::memory_order_relaxed); }
  // Wraps at 2^32 like the tick count it stands for.
  void Advance(uint32_t milliseconds) { now_.fetch_add(milliseconds, std::memory_order_relaxed); }

 private:
  std::atomic<uint32_t> now_;
};

}  // namespace sim
