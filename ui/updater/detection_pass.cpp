// The detection pass: reopen the session, look at the camera and at the image beside the
// program, and tell the user which of the four outcomes it is.

#include "device/vxVidHidCls.h"
#include "transfer/engine.h"
#include "ui/build_switches.h"
#include "ui/camera_model.h"
#include "ui/image_identity.h"
#include "ui/status_texts.h"
#include "ui/update_outcome.h"
#include "ui/updater/confirm_dialog.h"
#include "ui/updater/firmware_file_search.h"
#include "ui/updater/interface_data.h"
#include "ui/updater/main_dialog.h"
#include "ui/updater/main_dialog_template.h"
#include "ui/window/scale.h"

namespace ui {
namespace {

struct OtherModelLayout {
  int status[4];
  int link[4];
};

// Per language: where the other-model text and the link go (design pixels).
constexpr OtherModelLayout kOtherModelLayouts[kLanguageCount] = {
    {{25, 20, 380, 70}, {130, 60, 380, 30}},  // English
    {{25, 20, 400, 80}, {130, 80, 380, 30}},  // French
    {{25, 20, 400, 80}, {130, 60, 380, 30}},  // German
    {{25, 20, 400, 80}, {130, 80, 380, 30}},  // Japanese
    {{25, 20, 400, 80}, {130, 60, 380, 30}},  // Italian
    {{25, 20, 380, 80}, {120, 60, 380, 30}},  // Dutch
};

}  // namespace

void CTarn_Download_OnlyDlg::ShowStatusArrangement() {
  window::DialogWindow& window = *window_;
  window.Move(kStatusText, Scaled(50, 45, 340, 70));
  window.Show(kUpdateButton, false);
  window.Move(kUpdateButton, updateButtonHome_);
  window.Resize({ui::window::Scaled(460, scale_), ui::window::Scaled(170, scale_)});
  window.Show(kStatusText, true);
  window.Show(kRingSurface, false);
  window.Show(kPercentText, false);
  window.Show(kRingText, false);
  window.Show(kDownloadLink, false);
  Progress().drawnAngle = 0;
  ringDots_.clear();
}

void CTarn_Download_OnlyDlg::ShowOtherModel() {
  const Language language = Interface().language;
  const OtherModelLayout& layout = kOtherModelLayouts[language];
  window_->Show(kDownloadLink, true);
  window_->Move(kStatusText,
                Scaled(layout.status[0], layout.status[1], layout.status[2], layout.status[3]));
  window_->Move(kDownloadLink,
                Scaled(layout.link[0], layout.link[1], layout.link[2], layout.link[3]));
  statusText_ = OtherModelText(language, Interface().modelName);
  window_->SetText(kDownloadLink, DownloadLinkMarkup());
}

void CTarn_Download_OnlyDlg::RunDetectionPass() {
  if (window_ == nullptr) return;
  ++detectionPasses_;
  InterfaceData& data = Interface();
  const Language language = data.language;
  data.imageFwVersion = 0;
  data.imagePid = 0;
  EnableControls(false);
  int result = 0;

  ShowStatusArrangement();
  statusText_ = PleaseConnectText(language, data.modelName);

  const auto finish = [&] {
    window_->SetTitle(data.windowTitle);
    EnableControls(result != 0);
    PushTexts();
  };

  if (sessionOpen_ != 0) transfer::CloseDeviceSession();
  sessionOpen_ = transfer::OpenDeviceSession();
  if (sessionOpen_ == 0) {
    // No update may start for a camera that went away.
    if (TheConfirmationDialog().IsOpen()) TheConfirmationDialog().Close(0);
    return finish();
  }

  uint32_t chipRegister = 0;
  if (transfer::ReadRegister(kChipTypeRegister, 4, &chipRegister) != 0) {
    chipType_ = ChipTypeFromRegister(chipRegister);
  }
  if (chipType_ == 0 && !ENABLE_LEGACY_CHIP) return finish();

  ReadCameraIdentity();  // the EEPROM panel, which would take the result, is not built

  const std::string fileName = FindFirstFirmwareFile(CurrentDirectory());
  if (chipVariant_ != 1) {
    ShowOtherModel();
    return finish();
  }

  firmwarePath_ = JoinDirectory(CurrentDirectory(), fileName);
  PushTexts();
  if (fileName.empty() || !ReadFileStart(firmwarePath_, data.fileBuffer)) {
    Notify(kToolCaption, "Firmware File open Error!!");
    PushTexts();
    return;  // the title stays and the controls stay disabled
  }

  const ImageIdentity image = ImageIdentityFromBytes(data.fileBuffer);
  data.imageFwVersion = image.fwVersion;
  data.imagePid = image.pid;
  if (!ModelAcceptsImage(data.modelKind, image.pid)) {
    ShowOtherModel();
    return finish();
  }

  if (UpdateOffered(deviceFwVersion_, image.fwVersion)) {
    window_->Move(kStatusText, Scaled(20, 15, 410, 70));
    window_->Show(kUpdateButton, true);
    window_->Show(kDownloadLink, false);
    statusText_ =
        UpdateAvailableText(language, deviceModelName_, image.fwVersion, deviceFwVersion_);
  } else {
    window_->Move(kStatusText, Scaled(50, 30, 340, 70));
    statusText_ = UpToDateText(language, deviceModelName_, deviceFwVersion_);
  }
  result = 1;
  finish();
}

bool CTarn_Download_OnlyDlg::ReadCameraIdentity() {
  if (sessionOpen_ == 0) return false;
  DeviceInfo info{};
  if (transfer::ReadDeviceInfo(&info) == 0) {
    statusText_ = "Read user data Fail.";
    return false;
  }
  const CameraModel model = CameraModelFromIdentity(info);
  deviceFwVersion_ = model.fwVersion;
  chipVariant_ = model.chipVariant;
  devicePid_ = model.pid;
  Interface().modelKind = model.kind;
  // A camera on the user-code layout names no model: the name of the last one stays.
  if (!model.modelName.empty()) deviceModelName_ = std::string(model.modelName);
  statusText_ = "Read eeprom OK.";
  PushTexts();
  return true;
}

std::string CTarn_Download_OnlyDlg::CurrentDirectory() const {
  return hooks_.currentDirectory ? hooks_.currentDirectory() : ProcessCurrentDirectory();
}

}  // namespace ui
