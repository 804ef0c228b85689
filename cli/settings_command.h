#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace cli {

// `settings convert IN.txt OUT.bin`: convert a setting text into the camera's setting binary,
// with the log written beside tavelin-fw. Needs no camera.
void AddSettingsCommand(CLI::App& app, CommandContext& context);

}  // namespace cli
