#pragma once
// Time as the camera library sees it: a 32-bit millisecond tick count.

#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds since an arbitrary origin. Wraps from 0xFFFFFFFF to 0, as a 32-bit
  // tick counter does after 49.7 days; callers handle the wrap themselves.
  virtual uint32_t TickCount() = 0;

  // Blocks the calling thread for about the given time (a virtual clock advances instead).
  virtual void Sleep(uint32_t milliseconds) = 0;
};

}  // namespace platform
