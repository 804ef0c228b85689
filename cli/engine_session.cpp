#include "cli/engine_session.h"

#include "cli/no_camera_report.h"
#include "transfer/engine.h"

namespace cli {

EngineSession::EngineSession(CommandContext& context) {
  if (!context.PrepareDevices()) return;
  open_ = transfer::OpenDeviceSession() != 0;
  if (!open_) {
    ReportNoCamera(context);
  }
}

EngineSession::~EngineSession() {
  transfer::CloseDeviceSession();
}

}  // namespace cli
