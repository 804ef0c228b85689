#include "cli/simulation.h"

#include <filesystem>
#include <system_error>

#include "cli/sim_log.h"
#include "cli/trace_sink.h"

namespace cli {

Simulation::Simulation(const CommandContext& context)
    : flashFile_(context.simFlashFile), logFile_(context.simLogFile) {
  sim::SimBench::Options options;
  if (context.trace) options.trace = StderrTraceSink(context);
  bench_ = std::make_unique<sim::SimBench>(options);
}

bool Simulation::Load(std::string& error) {
  if (flashFile_.empty()) return true;
  std::error_code ec;
  // A missing file starts from the factory contents; it is created when the command ends.
  if (!std::filesystem::exists(flashFile_, ec)) return true;
  return bench_->camera()->flash().Load(flashFile_, error);
}

bool Simulation::Save(std::string& error) const {
  if (!logFile_.empty() && !AppendSimLog(logFile_, bench_->hid().Log(), error)) return false;
  if (flashFile_.empty()) return true;
  const std::string temporary = flashFile_ + ".tmp";
  if (!bench_->camera()->flash().Save(temporary, error)) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temporary, flashFile_, ec);
  if (ec) {
    error = "cannot replace " + flashFile_ + ": " + ec.message();
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

}  // namespace cli
