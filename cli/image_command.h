#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace cli {

// `image make OUT.bin --version HEX --pid HEX [...]`: writes a firmware image file.
void AddImageCommand(CLI::App& app, CommandContext& context);

}  // namespace cli
