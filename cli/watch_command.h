#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>

#include "cli/command_context.h"
#include "platform/device_notifier.h"

namespace cli {

// How long the notices of one burst must have been quiet before the cameras are looked up
// again: the detection pass runs this long after the last device change.
inline constexpr uint32_t kWatchSettleMs = 100;

struct WatchLimits {
  std::optional<uint64_t> count;         // stop once this many notices have come and been listed
  std::optional<double> timeoutSeconds;  // stop after this long, listed or not
};

// `watch [--count N] [--timeout S]`: shows what the camera list is, then one line per device
// notice and, once a burst of notices has settled, what the list finds then. Without a limit
// it runs until interrupted.
void AddWatchCommand(CLI::App& app, CommandContext& context);

// The watch on a given notifier.
void RunWatch(CommandContext& context, platform::DeviceNotifier& notifier,
              const WatchLimits& limits);

}  // namespace cli
