#include "cli/simulation.h"

#include "cli/trace_sink.h"

namespace cli {

std::unique_ptr<sim::SimBench> StartSimulation(const CommandContext& context) {
  sim::SimBench::Options options;
  if (context.trace) options.trace = StderrTraceSink(context);
  return std::make_unique<sim::SimBench>(options);
}

}  // namespace cli
