#include "platform/services.h"

#include <utility>

namespace platform {
namespace {

Services& Current() {
  static Services services = SystemServices();
  return services;
}

}  // namespace

const Services& CurrentServices() {
  return Current();
}

void InstallServices(const Services& services) {
  Services& current = Current();
  Services next = services;
  if (next.clock == nullptr) next.clock = current.clock;
  if (next.mutexes == nullptr) next.mutexes = current.mutexes;
  current = std::move(next);
}

void ResetServices() {
  Current() = SystemServices();
}

void SetTraceSink(TraceSink sink) {
  Current().trace = std::move(sink);
}

}  // namespace platform
