#include "ui/updater/main_dialog_template.h"

namespace ui {
namespace {

using window::ControlKind;
using window::ControlTemplate;

constexpr uint32_t kShown = window::kVisible;

window::DialogTemplate BuildMainDialogTemplate() {
  window::DialogTemplate dialog;
  dialog.id = kMainDialogTemplateId;
  dialog.frame = window::FrameKind::Captioned;
  dialog.appWindow = true;
  dialog.width = 319;
  dialog.height = 344;
  dialog.caption = "Tarn_Download_Tools";
  dialog.font = {"Segoe UI", 110, false};
  // Every control, hidden ones included, in template order; the engineering set stays hidden
  // and lies outside the shrunken window in the product.
  dialog.controls = {
      {kStatusText,
       ControlKind::Static,
       "Status Message",
       kShown | window::kCentred,
       {16, 15, 165, 24}},
      {kUpdateButton, ControlKind::PushButton, "Update", 0, {76, 36, 70, 10}},
      {kRingSurface, ControlKind::RingSurface, "", 0, {49, 7, 101, 69}},
      {kPercentText, ControlKind::Static, "0 %", window::kCentred, {62, 32, 62, 18}},
      {kRingText, ControlKind::Static, "", window::kCentred, {13, 80, 169, 33}},
      {kDownloadLink, ControlKind::Link, "", 0, {7, 7, 60, 14}},
      {kByteProgress, ControlKind::ProgressBar, "", window::kBorder, {7, 178, 307, 10}},
      {kFirmwarePathLabel, ControlKind::Static, "Firmware File Path :", 0, {7, 65, 73, 8}},
      {kFirmwarePath,
       ControlKind::Static,
       "Bin File Path",
       window::kSunken | window::kVerticallyCentred,
       {7, 73, 200, 10}},
      {kBrowseFirmware,
       ControlKind::PushButton,
       "Browse",
       kShown | window::kTabStop | window::kDefaultButton,
       {210, 73, 50, 10}},
      {kBytesText, ControlKind::Static, "0 Bytes", window::kRightAligned, {118, 63, 50, 8}},
      {kSecondsText, ControlKind::Static, "0 secs", window::kRightAligned, {260, 63, 50, 8}},
      {kBackendPathLabel, ControlKind::Static, "Backend  Path :", 0, {7, 129, 117, 8}},
      {kBackendPath,
       ControlKind::Static,
       "Backend setting file path",
       window::kSunken | window::kVerticallyCentred,
       {7, 139, 200, 10}},
      {kBrowseBackend,
       ControlKind::PushButton,
       "Browse",
       window::kTabStop | window::kDefaultButton,
       {210, 139, 50, 10}},
      {kSettingDownload, ControlKind::PushButton, "Download", window::kTabStop, {262, 139, 50, 10}},
      {kBackendAddressLabel, ControlKind::Static, "Addr(Hex):", 0, {130, 126, 36, 12}},
      {kBackendAddress,
       ControlKind::Edit,
       "",
       window::kBorder | window::kTabStop | window::kAutoHorizontalScroll,
       {167, 126, 40, 12}},
      {kBrowseText, ControlKind::PushButton, "Browse Txt", window::kTabStop, {210, 149, 50, 10}},
      {kTextMakeBin, ControlKind::PushButton, "Txt Make Bin", window::kTabStop, {262, 149, 50, 10}},
      {kSensorPathLabel, ControlKind::Static, "SensorSetting Path :", 0, {7, 154, 120, 8}},
      {kSensorPath,
       ControlKind::Static,
       "SensorSetting File Path",
       window::kSunken | window::kVerticallyCentred,
       {7, 164, 200, 10}},
      {kSensorAddressLabel, ControlKind::Static, "Addr(Hex):", 0, {129, 150, 36, 12}},
      {kSensorAddress,
       ControlKind::Edit,
       "",
       window::kBorder | window::kTabStop | window::kAutoHorizontalScroll,
       {166, 150, 40, 12}},
      {kBrowseSensor,
       ControlKind::PushButton,
       "Browse",
       window::kTabStop | window::kDefaultButton,
       {210, 164, 50, 10}},
      {kPanelAnchor, ControlKind::Static, "This is child dlg anchor!", kShown, {7, 209, 305, 116}},
      {kDumpRequested,
       ControlKind::CheckBox,
       "Dump bin file",
       kShown | window::kTabStop,
       {7, 327, 80, 10}},
  };
  return dialog;
}

}  // namespace

const window::DialogTemplate& MainDialogTemplate() {
  static const window::DialogTemplate dialog = BuildMainDialogTemplate();
  return dialog;
}

}  // namespace ui
