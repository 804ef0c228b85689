#pragma once
// What the tool says when the library found no camera: that none is there, or, when the
// system refused this user a camera's interface, that access was denied and how to grant it.

#include <string>

#include "cli/command_context.h"

namespace cli {

// "no camera found", or "access denied to /dev/hidraw3 (Permission denied): ..." with what to
// do. Asks the HID system of the services in force, so it is right just after a discovery.
std::string NoCameraMessage();

// Prints "tavelin-fw: " and NoCameraMessage() on stderr and sets kExitNoCamera.
void ReportNoCamera(CommandContext& context);

}  // namespace cli
