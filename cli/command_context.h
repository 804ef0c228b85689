#pragma once
// What every subcommand of tavelin-fw shares: the global options and the exit code it sets.

#include <cstdio>
#include <functional>
#include <string>

#include "ui/language.h"

namespace cli {

// Exit codes of tavelin-fw.
enum ExitCode : int {
  kExitOk = 0,
  kExitFailure = 1,      // the operation failed
  kExitNothingToDo = 2,  // for example the camera is up to date already
  kExitNoCamera = 3,     // no camera found
  kExitRefused = 4,      // refused: a bad image, another model's image, a declined question
  kExitUsage = 64,       // bad command line
};

struct CommandContext {
  bool simulate = false;     // use the built-in simulated camera
  bool trace = false;        // print the library's trace lines to stderr
  std::string simFlashFile;  // with simulate: the simulated flash kept in this file
  std::string simLogFile;    // with simulate: every HID transfer appended to this file
  // The language of the texts the GUI would show (`check`'s status line): --lang, else the
  // user's locale.
  ui::Language language = ui::kEnglish;
  int exitCode = kExitOk;
  std::FILE* out = stdout;
  std::FILE* err = stderr;

  // Points the platform at the simulated camera or the machine's devices, per the global
  // options. Every command that talks to a camera calls it first; false (with the reason
  // printed and exitCode set) when the devices cannot be had.
  std::function<bool()> prepareDevices;
  bool PrepareDevices() { return !prepareDevices || prepareDevices(); }
};

}  // namespace cli
