#pragma once
// --simulate: the built-in simulated camera in place of the machine's devices, and with
// --sim-flash its flash kept in a file from one run to the next.

#include <memory>
#include <string>

#include "cli/command_context.h"
#include "sim/sim_bench.h"

namespace cli {

class Simulation {
 public:
  // Installs the simulated camera as the platform's devices for the object's lifetime. With a
  // flash file, loads it when it exists (false, with a reason, when it cannot be used).
  explicit Simulation(const CommandContext& context);
  bool Load(std::string& error);
  // Writes the flash back to the file, replacing it whole, and appends the transfer log to the
  // log file; false with a reason on failure.
  bool Save(std::string& error) const;

 private:
  std::unique_ptr<sim::SimBench> bench_;
  std::string flashFile_;
  std::string logFile_;
};

}  // namespace cli
