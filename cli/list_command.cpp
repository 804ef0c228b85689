#include "cli/list_command.h"

#include "cli/no_camera_report.h"
#include "device/session_info.h"
#include "device/vxVidHidCls.h"

namespace cli {
namespace {

void RunList(CommandContext& context) {
  if (!context.PrepareDevices()) return;
  vxVidHidCls_Init();
  const int32_t count = vxVidHidCls_GetDevCount();
  std::fprintf(context.out, "kind: %s\n", DeviceKindName(CurrentDeviceKind()));
  std::fprintf(context.out, "count: %d\n", count);
  for (int32_t dev = 0; dev < count; ++dev) {
    uint8_t chipGen = 0;
    if (vxVidHidCls_GetDevChipGen(dev, &chipGen)) {
      std::fprintf(context.out, "slot %d: chip generation %u\n", dev, chipGen);
    } else {
      std::fprintf(context.out, "slot %d: chip generation unknown (camera busy)\n", dev);
    }
  }
  vxVidHidCls_Exit();
  if (count == 0) {
    ReportNoCamera(context);
  }
}

}  // namespace

void AddListCommand(CLI::App& app, CommandContext& context) {
  CLI::App* list = app.add_subcommand("list", "Find cameras and show their transport and chip");
  list->callback([&context] { RunList(context); });
}

}  // namespace cli
