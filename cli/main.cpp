// tavelin-fw: the TAVELIN camera firmware tool for engineers and scripted roll-outs.

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/check_command.h"
#include "cli/command_context.h"
#include "cli/identity_command.h"
#include "cli/image_command.h"
#include "cli/info_command.h"
#include "cli/list_command.h"
#include "cli/settings_command.h"
#include "cli/simulation.h"
#include "cli/trace_sink.h"
#include "cli/update_command.h"
#include "cli/upload_command.h"
#include "cli/watch_command.h"
#include "platform/services.h"
#include "ui/language.h"

int main(int argc, char** argv) {
  cli::CommandContext context;
  CLI::App app{"TAVELIN camera firmware tool", "tavelin-fw"};
  app.require_subcommand(1);
  CLI::Option* simulateFlag =
      app.add_flag("--simulate", context.simulate, "Use the built-in simulated camera");
  app.add_flag("--trace", context.trace, "Print the camera library's trace lines to stderr");
  app.add_option("--sim-flash", context.simFlashFile,
                 "With --simulate: keep the simulated flash in FILE (created from the factory "
                 "contents when missing, written back after the command)")
      ->needs(simulateFlag);
  app.add_option("--sim-log", context.simLogFile,
                 "With --simulate: append one line per HID transfer to FILE (set or get, the "
                 "report id, the bytes in hex)")
      ->needs(simulateFlag);
  context.language = ui::ChooseLanguage(ui::ReadLocaleVariables());
  app.add_option_function<std::string>(
         "--lang",
         [&context](const std::string& code) { context.language = ui::LanguageFromCode(code); },
         "The language of the GUI's status texts that check prints: de, fr, it, ja or nl, "
         "with any country or code set (fr_BE.UTF-8); any other code gives English. Default: "
         "the locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG)")
      ->type_name("CODE");

  std::unique_ptr<cli::Simulation> simulation;
  bool simulationLoaded = false;
  context.prepareDevices = [&] {
    if (!context.simulate) {
      if (context.trace) platform::SetTraceSink(cli::StderrTraceSink(context));
      return true;
    }
    if (simulation) return simulationLoaded;
    simulation = std::make_unique<cli::Simulation>(context);
    std::string error;
    simulationLoaded = simulation->Load(error);
    if (!simulationLoaded) {
      std::fprintf(context.err, "tavelin-fw: --sim-flash: %s\n", error.c_str());
      context.exitCode = cli::kExitFailure;
    }
    return simulationLoaded;
  };

  cli::AddListCommand(app, context);
  cli::AddInfoCommand(app, context);
  cli::AddIdentityCommand(app, context);
  cli::AddSettingsCommand(app, context);
  cli::AddImageCommand(app, context);
  cli::AddCheckCommand(app, context);
  cli::AddUpdateCommand(app, context);
  cli::AddUploadCommands(app, context);
  cli::AddWatchCommand(app, context);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return code == 0 ? cli::kExitOk : cli::kExitUsage;
  }
  // A flash file that could not be loaded is left as it was.
  if (simulation && simulationLoaded) {
    std::string error;
    if (!simulation->Save(error)) {
      std::fprintf(context.err, "tavelin-fw: --simulate: %s\n", error.c_str());
      return cli::kExitFailure;
    }
  }
  return context.exitCode;
}
