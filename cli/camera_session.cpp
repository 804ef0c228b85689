#include "cli/camera_session.h"

#include "device/vxVidHidCls.h"

namespace cli {

CameraSession::CameraSession(CommandContext& context) {
  if (!context.PrepareDevices()) return;
  vxVidHidCls_Init();
  found_ = vxVidHidCls_GetDevCount() > 0;
  if (!found_) {
    std::fprintf(context.err, "tavelin-fw: no camera found\n");
    context.exitCode = kExitNoCamera;
  }
}

CameraSession::~CameraSession() {
  vxVidHidCls_Exit();
}

}  // namespace cli
