#include "cli/no_camera_report.h"

#include "platform/services.h"

namespace cli {

std::string NoCameraMessage() {
  const platform::HidSystem* hid = platform::CurrentServices().hid;
  const platform::HidOpenFailure failure =
      hid != nullptr ? hid->LastOpenFailure() : platform::HidOpenFailure{};
  if (failure.error != platform::HidOpenError::AccessDenied) return "no camera found";
  return "access denied to " + failure.path + " (" + failure.reason +
         "): this user may not open the camera; install the udev rule "
         "packaging/70-tavelin-camera.rules (README, \"Camera access on Linux\"), then "
         "reconnect the camera";
}

void ReportNoCamera(CommandContext& context) {
  std::fprintf(context.err, "tavelin-fw: %s\n", NoCameraMessage().c_str());
  context.exitCode = kExitNoCamera;
}

}  // namespace cli
