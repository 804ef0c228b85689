#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace cli {

// `info [--json]`: the flash part, the firmware version and the camera's identity record.
void AddInfoCommand(CLI::App& app, CommandContext& context);

}  // namespace cli
