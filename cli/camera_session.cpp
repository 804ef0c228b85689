#include "cli/camera_session.h"

#include "cli/no_camera_report.h"
#include "device/vxVidHidCls.h"

namespace cli {

CameraSession::CameraSession(CommandContext& context) {
  if (!context.PrepareDevices()) return;
  vxVidHidCls_Init();
  found_ = vxVidHidCls_GetDevCount() > 0;
  if (!found_) {
    ReportNoCamera(context);
  }
}

CameraSession::~CameraSession() {
  vxVidHidCls_Exit();
}

}  // namespace cli
