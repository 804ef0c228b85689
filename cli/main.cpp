// tavelin-fw: the TAVELIN camera firmware tool for engineers and scripted roll-outs.

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/command_context.h"
#include "cli/list_command.h"
#include "cli/settings_command.h"
#include "cli/simulation.h"
#include "cli/trace_sink.h"
#include "platform/services.h"

int main(int argc, char** argv) {
  cli::CommandContext context;
  CLI::App app{"TAVELIN camera firmware tool", "tavelin-fw"};
  app.require_subcommand(1);
  app.add_flag("--simulate", context.simulate, "Use the built-in simulated camera");
  app.add_flag("--trace", context.trace, "Print the camera library's trace lines to stderr");

  std::unique_ptr<sim::SimBench> simulation;
  context.prepareDevices = [&] {
    if (context.simulate) {
      if (!simulation) simulation = cli::StartSimulation(context);
    } else if (context.trace) {
      platform::SetTraceSink(cli::StderrTraceSink(context));
    }
  };

  cli::AddListCommand(app, context);
  cli::AddSettingsCommand(app, context);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return code == 0 ? cli::kExitOk : cli::kExitUsage;
  }
  return context.exitCode;
}
