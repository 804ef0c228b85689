#include "platform/linux/linux_clock.h"

#include <time.h>

#include <cerrno>

namespace platform::linux_backend {

uint32_t LinuxClock::TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + now.tv_nsec / 1000000;
  return static_cast<uint32_t>(ms);
}

void LinuxClock::Sleep(uint32_t milliseconds) {
  timespec left{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

}  // namespace platform::linux_backend
