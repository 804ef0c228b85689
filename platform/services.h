#pragma once
// The one process-wide place the library takes its platform services from.
//
// At start-up it holds the operating system's services. Tests and the command line's
// --simulate point it at the simulated camera before the library is initialised.

#include <functional>
#include <string_view>

#include "platform/clock.h"
#include "platform/hid.h"
#include "platform/named_mutex.h"

namespace platform {

// Receives one finished trace line, without a trailing newline.
using TraceSink = std::function<void(std::string_view line)>;

struct Services {
  Clock* clock = nullptr;
  NamedMutexFactory* mutexes = nullptr;
  HidSystem* hid = nullptr;  // null: this build has no HID backend, no interface is listed
  TraceSink trace;           // empty: trace lines are discarded
};

// The services in force. Never has a null clock or mutex factory.
const Services& CurrentServices();

// Replaces the services; null clock or mutex factory keep the current ones. Not thread-safe:
// call it before the library is initialised, never while an operation runs.
void InstallServices(const Services& services);

// Back to the operating system's services (tests call it in their tear-down).
void ResetServices();

// Sets only the trace sink of the services in force.
void SetTraceSink(TraceSink sink);

// The operating system's services; each platform backend defines it.
Services SystemServices();

}  // namespace platform
