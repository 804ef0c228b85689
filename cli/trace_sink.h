#pragma once
// --trace: the library's trace lines on standard error.

#include "cli/command_context.h"
#include "platform/services.h"

namespace cli {

platform::TraceSink StderrTraceSink(const CommandContext& context);

}  // namespace cli
