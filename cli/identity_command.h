#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace cli {

// `identity set [--vid HEX] [--pid HEX] [--vendor TEXT] [--product TEXT] [--serial TEXT]`:
// change what was given in the camera's identity record and write it back.
void AddIdentityCommand(CLI::App& app, CommandContext& context);

}  // namespace cli
