#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace cli {

// `list`: open the library session and show the transport, the camera count and each camera's
// chip generation.
void AddListCommand(CLI::App& app, CommandContext& context);

}  // namespace cli
