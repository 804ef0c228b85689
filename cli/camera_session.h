#pragma once
// The library session for one command: opened on construction, closed on destruction.

#include "cli/command_context.h"

namespace cli {

class CameraSession {
 public:
  // Prepares the devices and opens the session; without a camera it says so on stderr and
  // sets the exit code to kExitNoCamera.
  explicit CameraSession(CommandContext& context);
  ~CameraSession();
  CameraSession(const CameraSession&) = delete;
  CameraSession& operator=(const CameraSession&) = delete;

  bool found() const { return found_; }

 private:
  bool found_ = false;
};

}  // namespace cli
