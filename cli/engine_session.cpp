#include "cli/engine_session.h"

#include "transfer/engine.h"

namespace cli {

EngineSession::EngineSession(CommandContext& context) {
  if (!context.PrepareDevices()) return;
  open_ = transfer::OpenDeviceSession() != 0;
  if (!open_) {
    std::fprintf(context.err, "tavelin-fw: no camera found\n");
    context.exitCode = kExitNoCamera;
  }
}

EngineSession::~EngineSession() {
  transfer::CloseDeviceSession();
}

}  // namespace cli
