#pragma once
// The transfer engine's device session for one command: opened on construction, closed on
// destruction.

#include "cli/command_context.h"

namespace cli {

class EngineSession {
 public:
  // Prepares the devices and opens the session; without a camera it says so on stderr and
  // sets the exit code to kExitNoCamera.
  explicit EngineSession(CommandContext& context);
  ~EngineSession();
  EngineSession(const EngineSession&) = delete;
  EngineSession& operator=(const EngineSession&) = delete;

  bool open() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace cli
