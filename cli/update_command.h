#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace cli {

// `update IMAGE [--yes] [--force] [--json]`: the product's update path. The image is checked
// against the camera as the detection does, the user confirms, and the engine erases, writes,
// verifies and protects the flash while the progress is shown.
void AddUpdateCommand(CLI::App& app, CommandContext& context);

}  // namespace cli
