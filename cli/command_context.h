#pragma once
// What every subcommand of tavelin-fw shares: the global options and the exit code it sets.

#include <cstdio>
#include <functional>
#include <string>

namespace cli {

// Exit codes of tavelin-fw.
enum ExitCode : int {
  kExitOk = 0,
  kExitFailure = 1,   // the operation failed
  kExitUsage = 2,     // bad command line
  kExitNoCamera = 3,  // no camera found
  kExitRefused = 4,   // the input was refused (bad file, nothing to do)
};

struct CommandContext {
  bool simulate = false;     // use the built-in simulated camera
  bool trace = false;        // print the library's trace lines to stderr
  std::string simFlashFile;  // with simulate: the simulated flash kept in this file
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
