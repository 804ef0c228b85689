#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace cli {

// `check IMAGE [--json]`: the image file's checks and identity and, with a camera, whether it
// is an update for it.
void AddCheckCommand(CLI::App& app, CommandContext& context);

}  // namespace cli
