// The main dialog's set-up and its small handlers: initialisation, the commands, the browse
// buttons, the link, the timers, device changes, painting and the data exchange. The detection
// pass and the update flow have files of their own.

#include "ui/updater/main_dialog.h"

#include "transfer/engine.h"
#include "ui/build_switches.h"
#include "ui/status_texts.h"
#include "ui/text_table_a.h"
#include "ui/updater/confirm_dialog.h"
#include "ui/updater/interface_data.h"
#include "ui/updater/main_dialog_template.h"
#include "ui/updater/tool_icons.h"
#include "ui/window/scale.h"

namespace ui {

// The EEPROM settings panel and the setting download are not part of this program yet; a
// build that asks for them must not pretend to have them.
static_assert(!ENABLE_EEPROM_PANEL, "the EEPROM settings panel is not built yet");
static_assert(!ENABLE_SETTING_DOWNLOAD, "the setting download is not built yet");

namespace {

// The controls initialisation hides, in this order.
constexpr int kHiddenAtStart[] = {kBrowseFirmware, kBrowseBackend,      kSettingDownload,
                                  kBrowseSensor,   kBackendPathLabel,   kBackendAddressLabel,
                                  kBackendAddress, kSensorAddressLabel, kSensorAddress,
                                  kDumpRequested,  kDownloadLink};

// The controls EnableControls switches, in this order.
constexpr int kSwitchedControls[] = {kUpdateButton,    kBrowseFirmware, kBrowseBackend,
                                     kSettingDownload, kBrowseSensor,   kBackendAddress,
                                     kSensorAddress,   kDumpRequested};

constexpr const char* kFirmwareFilter = "Firmware File(*.bin)|*.bin||";
constexpr const char* kSettingFilter = "Setting Bin or Txt(*.bin, *.txt)|*.bin;*.txt||";
constexpr const char* kTextFilter = "Customer Txt File(*.txt)|*.txt||";

const window::FontDescription kPercentFont{"Segoe UI", 250, true};

}  // namespace

CTarn_Download_OnlyDlg::CTarn_Download_OnlyDlg(UpdaterHooks hooks) : hooks_(std::move(hooks)) {
  exchange_.BindText(kStatusText, statusText_);
  exchange_.BindText(kFirmwarePath, firmwarePath_);
  exchange_.BindText(kBackendPath, backendPath_);
  exchange_.BindText(kBytesText, bytesText_);
  exchange_.BindText(kSecondsText, secondsText_);
  exchange_.BindText(kPercentText, percentText_);
  exchange_.BindText(kRingText, completionText_);
  exchange_.BindText(kSensorPath, sensorPath_);
  exchange_.BindCheck(kDumpRequested, dumpRequested_);
  exchange_.BindText(kPanelAnchor, anchorText_);
}

CTarn_Download_OnlyDlg::~CTarn_Download_OnlyDlg() {
  Detach();
}

void CTarn_Download_OnlyDlg::Detach() {
  if (window_ == nullptr) return;
  // The window closes only while no job runs, so nothing else uses the session any more.
  if (sessionOpen_ != 0 && !transfer::JobRunning()) {
    transfer::CloseDeviceSession();
    sessionOpen_ = 0;
  }
  transferWindow_.Detach();
  messageBoxes_.Detach();
  transfer::SetMessageBoxes(nullptr);
  window_ = nullptr;
}

void CTarn_Download_OnlyDlg::OnInitDialog(window::DialogWindow& window) {
  window_ = &window;
  scale_ = window.ScaleFactor();
  transferWindow_.Attach(window);
  messageBoxes_.Attach(window);
  transfer::SetMessageBoxes(&messageBoxes_);
  if (hooks_.mainWindowReady) hooks_.mainWindowReady(window);

  static const std::vector<window::Picture> icon = ApplicationIconSizes();  // drawn once
  window.SetWindowIcon(icon);
  sessionOpen_ = 0;
  InterfaceData& data = Interface();
  data.language =
      hooks_.chooseLanguage ? hooks_.chooseLanguage() : ChooseLanguage(ReadLocaleVariables());
  data.modelName = FormModelName();
  data.windowTitle = ComposeWindowTitle(data.language);
  window.SetText(kUpdateButton, kTextTableA[data.language][kUpdateCaption]);
  for (const int id : kHiddenAtStart) window.Show(id, false);
  window.SetFont(kPercentText, kPercentFont);
  updateButtonHome_ = window.Rect(kUpdateButton);
  // Without the EEPROM panel the window is cut down to the status area by the detection pass.
  window.MoveTo(0, 0);
  RunDetectionPass();
  window.SetText(kBackendAddress, "11000");
  window.SetText(kSensorAddress, "12000");
  PushTexts();
}

bool CTarn_Download_OnlyDlg::AnyJobRunning() const {
  return transfer::JobRunning();
}

bool CTarn_Download_OnlyDlg::RefuseCloseWhileJobRuns() {
  // Ending the program in the middle of a download leaves the camera with half its firmware.
  if (!AnyJobRunning()) return false;
  Notify(Interface().windowTitle, kTextTableA[Interface().language][kRingInProgress], true);
  return true;
}

void CTarn_Download_OnlyDlg::Notify(std::string_view caption, std::string_view text, bool warning) {
  window::MessageBoxRequest request;
  request.caption = std::string(caption);
  request.text = std::string(text);
  request.warningIcon = warning;
  window_->ShowMessageBox(request);
}

bool CTarn_Download_OnlyDlg::OnCommand(window::DialogWindow& window, int controlId) {
  (void)window;
  switch (controlId) {
    case window::kResultOk:
    case window::kResultCancel:
      return RefuseCloseWhileJobRuns();
    case kBrowseFirmware:
      Browse(kFirmwareFilter, firmwarePath_);
      return true;
    case kBrowseBackend:
      Browse(kSettingFilter, backendPath_);
      return true;
    case kBrowseText:
      Browse(kTextFilter, backendPath_);
      return true;
    case kBrowseSensor:
      Browse(kSettingFilter, sensorPath_);
      return true;
    case kUpdateButton:
      TheConfirmationDialog().Run(*this, *window_);
      return true;
    default:
      return false;
  }
}

void CTarn_Download_OnlyDlg::Browse(const char* filter, std::string& target) {
  const std::optional<std::string> chosen = window_->ShowOpenFileDialog(filter);
  if (!chosen) return;
  PullTexts();
  target.clear();
  PushTexts();
  window_->Invalidate();
  target = *chosen;
  PushTexts();
}

void CTarn_Download_OnlyDlg::OnTimer(window::DialogWindow& window, int timerId) {
  if (timerId == kDetectionTimer) {
    window.KillTimer(kDetectionTimer);
    if (AnyJobRunning()) {
      // A pass would close the session under the worker: look again once the job is over.
      passWaitingForJob_ = true;
      window.SetTimer(kDetectionTimer, kDetectionDelayMs);
    } else {
      passWaitingForJob_ = false;
      RunDetectionPass();
    }
  } else if (timerId == kRingTimer) {
    window.KillTimer(kRingTimer);
    if (Progress().percent <= 100) DrawRingStep();
  }
  PushTexts();
}

void CTarn_Download_OnlyDlg::OnMessage(window::DialogWindow& window, uint32_t message,
                                       uint32_t wParam, int32_t lParam) {
  (void)window;
  if (message == transfer::WM_TRANSFER_EVENT) OnTransferEvent(wParam, lParam);
}

void CTarn_Download_OnlyDlg::OnDeviceChange(window::DialogWindow& window) {
  // Restarting the timer makes a burst of notices one pass, 100 ms after the last.
  window.SetTimer(kDetectionTimer, kDetectionDelayMs);
}

void CTarn_Download_OnlyDlg::OnLinkClick(window::DialogWindow& window, int controlId,
                                         const std::string& url) {
  if (controlId == kDownloadLink) window.OpenUrl(url);
}

void CTarn_Download_OnlyDlg::EnableControls(bool enable) {
  if (window_ == nullptr) return;
  for (const int id : kSwitchedControls) window_->Enable(id, enable);
}

void CTarn_Download_OnlyDlg::PushTexts() {
  if (window_ != nullptr) exchange_.Push(*window_);
}

void CTarn_Download_OnlyDlg::PullTexts() {
  if (window_ != nullptr) exchange_.Pull(*window_);
}

window::PixelRect CTarn_Download_OnlyDlg::Scaled(int x, int y, int width, int height) const {
  return window::Scaled(window::PixelRect{x, y, width, height}, scale_);
}

}  // namespace ui
