#pragma once
// --simulate: the built-in simulated camera in place of the machine's devices.

#include <memory>

#include "cli/command_context.h"
#include "sim/sim_bench.h"

namespace cli {

// Installs the simulated camera as the platform's devices for as long as the result lives.
std::unique_ptr<sim::SimBench> StartSimulation(const CommandContext& context);

}  // namespace cli
