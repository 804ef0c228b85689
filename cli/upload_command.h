#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace cli {

// `dump FILE [--size N] [--address A]`: the flash from the camera into an image file
// (checksum, then the bytes), and `upload FILE --kind 0|1|2 [--address A] [--size N]
// [--option N]` for every upload the engine has.
void AddUploadCommands(CLI::App& app, CommandContext& context);

}  // namespace cli
