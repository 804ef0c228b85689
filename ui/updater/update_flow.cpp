// The update: the checks and the job record that hand the image to the engine, the reaction to
// each event the worker posts, the success and failure texts under the ring, and the GPIO of
// the older chip family.

#include <cstdio>
#include <cstring>

#include "device/flash_layout.h"
#include "transfer/engine.h"
#include "transfer/job_records.h"
#include "ui/build_switches.h"
#include "ui/status_texts.h"
#include "ui/text_table_a.h"
#include "ui/updater/interface_data.h"
#include "ui/updater/main_dialog.h"
#include "ui/updater/main_dialog_template.h"
#include "ui/updater/progress_ring.h"
#include "ui/window/scale.h"

namespace ui {
namespace {

constexpr const char* kFailureText = "Firmware Download/Validate Failure.";

// Events 1, 3, 5 and 6 up to this value are the header's and boot record's small writes; they
// never move or re-range the progress.
constexpr int32_t kSmallWrite = 16;

std::string Format(const char* format, int value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// (value ÷ total) × 100 in float, truncated. Without a total yet, or far beyond it, the
// percent is held above 100 so that nothing is drawn (and no float overflows an int).
int PercentOf(int32_t value, int totalBytes) {
  if (totalBytes <= 0) return 101;
  const float percent = static_cast<float>(value) / static_cast<float>(totalBytes) * 100;
  return percent >= 1000.0f ? 1000 : static_cast<int>(percent);
}

}  // namespace

void CTarn_Download_OnlyDlg::StartUpdate() {
  if (window_ == nullptr) return;
  window::DialogWindow& window = *window_;
  transfer::DownloadJobRecord record{};
  record.bootHeader[0] = kBootMagic0;
  record.bootHeader[1] = kBootMagic1;
  PullTexts();

  window.Resize({ui::window::Scaled(400, scale_), ui::window::Scaled(320, scale_)});
  window.Show(kStatusText, false);
  window.Show(kUpdateButton, false);
  window.Show(kRingSurface, true);
  window.Show(kPercentText, true);
  window.Show(kRingText, true);
  window.Show(kDownloadLink, false);
  const Language language = Interface().language;
  completionText_ = std::string(kTextTableA[language][kRingInProgress]);

  std::FILE* file = std::fopen(firmwarePath_.c_str(), "rb");
  if (file == nullptr) {
    return RefuseUpdate("Firmware File1 open Error!!");
  }
  record.window = &transferWindow_;
  record.file0Size = transfer::FileSize(firmwarePath_.c_str());
  std::snprintf(record.file0Path, sizeof record.file0Path, "%s", firmwarePath_.c_str());
  if (firmwarePath_.size() >= sizeof record.file0Path) {
    // The engine would open another file under the cut name.
    std::fclose(file);
    return RefuseUpdate("Firmware File1 open Error!!");
  }
  if (record.file0Size == 0) {
    std::fclose(file);
    return RefuseUpdate("Firmware size Error!!");
  }

  if (chipType_ == kChipTypeSupported) {
    record.kind = 2;
    uint8_t header[kBootHeaderSize] = {};
    const bool headerRead = std::fseek(file, 4, SEEK_SET) == 0 &&
                            std::fread(header, 1, sizeof header, file) == sizeof header;
    std::fclose(file);
    // Without the boot header's magic the job would program the header and the start of the
    // image over each other at address 0.
    if (!headerRead || header[0] != kBootMagic0 || header[1] != kBootMagic1) {
      constexpr const char* kNoHeader =
          "This firmware file has no boot header (1A EB). It cannot be written to the camera.";
      return RefuseUpdate(kNoHeader);
    }
    statusText_ = "Erase all EEPROM content, please wait ...";
    header[2] = header[3] = header[4] = 0;
    std::memcpy(record.bootHeader, header, sizeof header);
    EnableControls(false);
  } else {
    std::fclose(file);
    if (!ENABLE_LEGACY_CHIP) {
      return RefuseUpdate("FW download does not support this device!!");
    }
    record.imageFlags |= 1;
    record.kind = 0;
    record.imageType = 5;
    SetUpdateGpio(0, chipType_);
  }

  messageBoxes_.ForgetLastText();
  if (transfer::StartFirmwareDownload(record) == nullptr) {
    const std::string reason = messageBoxes_.LastText();
    ShowUpdateStopped(reason.empty() ? kFailureText : reason);
    return;
  }
  PushTexts();
}

void CTarn_Download_OnlyDlg::RefuseUpdate(const char* reason) {
  Notify(kToolCaption, reason);
  ShowUpdateStopped(reason);
}

void CTarn_Download_OnlyDlg::ShowUpdateStopped(const std::string& reason) {
  // The reason goes under the ring and the Update button into it, in place of the percent, so
  // the user can start again without reconnecting the camera. The ring starts over.
  completionText_ = reason;
  const window::PixelRect percent = window_->Rect(kPercentText);
  window_->Move(kUpdateButton, {percent.x + (percent.width - updateButtonHome_.width) / 2,
                                percent.y + (percent.height - updateButtonHome_.height) / 2,
                                updateButtonHome_.width, updateButtonHome_.height});
  window_->Show(kPercentText, false);
  window_->Show(kUpdateButton, true);
  ProgressData& progress = Progress();
  progress.percent = progress.armedPercent = progress.drawnAngle = 0;
  ringDots_.clear();
  percentText_ = "0%";
  window_->Invalidate();
  EnableControls(true);
  PushTexts();
}

int CTarn_Download_OnlyDlg::OnTransferEvent(uint32_t code, int32_t value) {
  PullTexts();
  ProgressData& progress = Progress();
  switch (code) {
    case transfer::WriteStart:
      statusText_ = value != 0 ? "Download Firmware to EEPROM Page_1."
                               : "Download Firmware to EEPROM Page_0.";
      break;
    case transfer::VerifyStart:
      statusText_ = value != 0 ? "Validate Firmware in EEPROM Page_1."
                               : "Validate Firmware in EEPROM Page_0.";
      break;
    case transfer::ReadStart:
      statusText_ = value != 0 ? "Upload Firmware from EEPROM Page_1."
                               : "Upload Firmware from EEPROM Page_0.";
      break;
    case transfer::WriteProgress:
    case transfer::VerifyProgress:
    case transfer::ReadProgress:
      PullTexts();
      if (value > kSmallWrite) {
        window_->SetProgressPosition(kByteProgress, value);
        progress.percent = PercentOf(value, progress.totalBytes);
        if (progress.percent != progress.armedPercent) {
          window_->SetTimer(kRingTimer, 0);
          progress.armedPercent = progress.percent;
        }
      }
      PushTexts();
      break;
    case transfer::SetTotal:
      if (value > kSmallWrite) {
        window_->SetProgressRange(kByteProgress, 0, value);
        progress.totalBytes = value;
        bytesText_ = Format("%d bytes", value);
      }
      break;
    case transfer::FileWriteFailed:
      statusText_ = "Write Binary File Failure.";
      ShowUpdateStopped(statusText_);
      break;
    case transfer::UploadDone:
      statusText_ = "Firmware Upload Success.";
      break;
    case transfer::UploadFailed:
      statusText_ = "Firmware Upload Failure.";
      ShowUpdateStopped(statusText_);
      break;
    case transfer::DownloadDone:
      SuccessSequence();
      break;
    case transfer::DownloadFailed:
      statusText_ = kFailureText;
      ShowUpdateStopped(statusText_);
      break;
    case transfer::DeviceAccessFailed:
      statusText_ = "EEPROM Access Failure.";
      ShowUpdateStopped(statusText_);
      break;
    case transfer::Elapsed:
      if (value != 0) {
        char text[64];
        std::snprintf(text, sizeof text, "%2.3f secs",
                      static_cast<double>(static_cast<float>(value) / 1000));
        secondsText_ = text;
      } else {
        secondsText_ = "0 secs";
      }
      break;
    case transfer::EraseEnd:
    case transfer::VerifyResult:
      // The header-layout job ends with these when an erase or the read-back fails; its
      // failure must not go unseen.
      if (value == 0) {
        statusText_ = kFailureText;
        ShowUpdateStopped(statusText_);
      }
      break;
    default:
      break;
  }
  if (code >= transfer::FileWriteFailed && code <= transfer::DeviceAccessFailed) {
    SetUpdateGpio(1, chipType_);
  }
  PushTexts();
  return 1;
}

void CTarn_Download_OnlyDlg::SuccessSequence() {
  const InterfaceData& data = Interface();
  completionText_ = CompletionText(data.language, data.imageFwVersion, deviceModelName_);
  statusText_ = "Firmware Download/Validate custom txt/bin files......";
  if constexpr (ENABLE_DUMP_UPLOAD) {
    if (dumpRequested_) {
      transfer::UploadJobRecord dump{};
      dump.window = nullptr;
      dump.kind = 2;
      dump.address = 0;
      dump.size = 0x20000;
      std::snprintf(dump.path, sizeof dump.path, "%s", "Dump.bin_");
      dump.option = 0;
      transfer::StartFirmwareUpload(dump);
    }
  }
  EnableControls(true);
  statusText_ = "Firmware Download/Validate Success.";
}

void CTarn_Download_OnlyDlg::SetUpdateGpio(int mode, uint8_t chipType) {
  if (sessionOpen_ == 0 || chipType != 0) return;
  constexpr uint16_t kGpioIn = 0x84, kGpioOut = 0x80, kGpio2In = 0x85, kGpio2Out = 0x81;
  uint32_t value = 0;
  if (mode == 1) {
    if (transfer::ReadRegister(kGpioIn, 1, &value) == 0) {
      statusText_ = "GPIO Read Error...";
      return;
    }
    if (transfer::WriteRegister(kGpioOut, 1, (value | 0x80) & 0xFF) == 0) {
      statusText_ = "GPIO Write Error...";
    }
    return;
  }
  if (transfer::ReadRegister(kGpioIn, 1, &value) == 0) {
    statusText_ = "GPIO Read Error...";
  } else if (transfer::WriteRegister(kGpioOut, 1, value & 0x7F) == 0) {
    statusText_ = "GPIO Write Error...";
  }
  if (transfer::ReadRegister(kGpio2In, 1, &value) == 0) {
    statusText_ = "GPIO Read Error...";
    return;
  }
  if (transfer::WriteRegister(kGpio2Out, 1, value & 0xFE) == 0) {
    statusText_ = "GPIO Write Error...";
  }
}

// --- The ring. ---

void CTarn_Download_OnlyDlg::CreateRingResources() {
  if (ringResourcesTried_) return;
  ringResourcesTried_ = true;
  // The drawing factory, the brushes and the circles are plain values here; only the surface
  // the ring is drawn on can be missing.
  ringTarget_ = window_->Ring(kRingSurface);
  if (ringTarget_ == nullptr) {
    Notify("Error", "Create render target failed!");
  }
}

void CTarn_Download_OnlyDlg::DrawRingStep() {
  CreateRingResources();
  if (ringTarget_ == nullptr) return;
  ProgressData& progress = Progress();
  std::vector<float> dots;
  const float target = RingTargetAngle(progress.percent);
  ringTarget_->BeginDraw();
  for (const float angle : RingDotAngles(static_cast<float>(progress.drawnAngle), target)) {
    DrawRingDot(*ringTarget_, angle);
    dots.push_back(angle);
  }
  if (!ringTarget_->EndDraw()) return;  // the angle and the percent text stay as they were
  ringDots_.insert(ringDots_.end(), dots.begin(), dots.end());
  progress.drawnAngle = static_cast<int>(target);
  percentText_ = Format("%d%%", progress.percent);
}

void CTarn_Download_OnlyDlg::RedrawRing() {
  if (ringTarget_ == nullptr || ringDots_.empty()) return;
  ringTarget_->BeginDraw();
  for (const float angle : ringDots_) DrawRingDot(*ringTarget_, angle);
  ringTarget_->EndDraw();
}

void CTarn_Download_OnlyDlg::OnPaint(window::DialogWindow& window) {
  (void)window;
  CreateRingResources();
  if (ringTarget_ == nullptr) return;
  ringTarget_->BeginDraw();
  ringTarget_->Clear(kRingBackground);
  if (!ringTarget_->EndDraw()) {
    Notify("Error", "Draw failed!");
    return;
  }
  // The repaint erased the dots: put back every one drawn so far.
  RedrawRing();
}

}  // namespace ui
