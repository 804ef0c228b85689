// The Linux build's platform services.

#include "platform/linux/linux_clock.h"
#include "platform/linux/linux_named_mutex.h"
#include "platform/services.h"

namespace platform {

Services SystemServices() {
  static linux_backend::LinuxClock clock;
  static linux_backend::LinuxNamedMutexFactory mutexes;
  Services services;
  services.clock = &clock;
  services.mutexes = &mutexes;
  // No HID backend yet on Linux: hid stays null and discovery finds no interface.
  return services;
}

}  // namespace platform
