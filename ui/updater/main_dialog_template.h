#pragma once
// Template 102, the main dialog: the product's status area and the engineering controls, all
// of them present whether shown or not.

#include "ui/window/dialog_template.h"

namespace ui {

inline constexpr int kMainDialogTemplateId = 102;

// The main dialog's controls.
enum MainControl : int {
  kBrowseFirmware = 1000,
  kUpdateButton = 1001,
  kByteProgress = 1002,
  kBrowseBackend = 1003,
  kStatusText = 1004,
  kFirmwarePathLabel = 1005,
  kBytesText = 1006,
  kSecondsText = 1007,
  kFirmwarePath = 1008,
  kBackendPath = 1009,
  kBackendPathLabel = 1010,
  kSettingDownload = 1011,
  kBackendAddressLabel = 1012,
  kBackendAddress = 1013,
  kSensorPath = 1014,
  kBrowseText = 1015,
  kTextMakeBin = 1016,
  kSensorPathLabel = 1017,
  kSensorAddressLabel = 1018,
  kDumpRequested = 1019,
  kSensorAddress = 1020,
  kBrowseSensor = 1021,
  kPanelAnchor = 1022,
  kPercentText = 1043,
  kRingSurface = 1044,
  kRingText = 1045,
  kDownloadLink = 1060,
};

const window::DialogTemplate& MainDialogTemplate();

}  // namespace ui
