// The Linux build's platform services.

#include <cstdlib>

#include "platform/linux/hidraw_system.h"
#include "platform/linux/linux_clock.h"
#include "platform/linux/linux_named_mutex.h"
#include "platform/services.h"

namespace platform {
namespace {

// TAVELIN_SYSFS_ROOT and TAVELIN_DEV_ROOT move the hidraw view onto another tree, so that the
// tool can be run end to end against a test tree and its served device nodes.
linux_backend::HidrawRoots HidrawRootsFromEnvironment() {
  linux_backend::HidrawRoots roots;
  if (const char* sysfs = std::getenv("TAVELIN_SYSFS_ROOT"); sysfs != nullptr && *sysfs != '\0') {
    roots.sysfs = sysfs;
  }
  if (const char* dev = std::getenv("TAVELIN_DEV_ROOT"); dev != nullptr && *dev != '\0') {
    roots.dev = dev;
  }
  return roots;
}

}  // namespace

Services SystemServices() {
  static linux_backend::LinuxClock clock;
  static linux_backend::LinuxNamedMutexFactory mutexes;
  static linux_backend::HidrawSystem hid(HidrawRootsFromEnvironment());
  Services services;
  services.clock = &clock;
  services.mutexes = &mutexes;
  services.hid = &hid;
  return services;
}

}  // namespace platform
