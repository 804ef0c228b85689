#pragma once
// The updater's main dialog: the status area that tells the user what the detection found,
// the Update button, the progress ring of a running update and the download-page link, with
// the engineering controls of the template kept hidden.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/updater/engine_bridge.h"
#include "ui/updater/updater_hooks.h"
#include "ui/window/dialog_handler.h"
#include "ui/window/dialog_window.h"
#include "ui/window/geometry.h"
#include "ui/window/text_exchange.h"

namespace ui {

// The dialog's timers.
inline constexpr int kDetectionTimer = 1;  // 100 ms after the last device change
inline constexpr int kRingTimer = 2;       // 0 ms after the percent changed
inline constexpr uint32_t kDetectionDelayMs = 100;

inline constexpr std::string_view kToolCaption = "TAVELIN Firmware Update Tool";

class CTarn_Download_OnlyDlg final : public window::DialogHandler {
 public:
  explicit CTarn_Download_OnlyDlg(UpdaterHooks hooks = {});
  ~CTarn_Download_OnlyDlg() override;
  CTarn_Download_OnlyDlg(const CTarn_Download_OnlyDlg&) = delete;
  CTarn_Download_OnlyDlg& operator=(const CTarn_Download_OnlyDlg&) = delete;

  // --- The window layer's calls. ---
  void OnInitDialog(window::DialogWindow& window) override;
  bool OnCommand(window::DialogWindow& window, int controlId) override;
  void OnTimer(window::DialogWindow& window, int timerId) override;
  void OnMessage(window::DialogWindow& window, uint32_t message, uint32_t wParam,
                 int32_t lParam) override;
  void OnDeviceChange(window::DialogWindow& window) override;
  void OnLinkClick(window::DialogWindow& window, int controlId, const std::string& url) override;
  void OnPaint(window::DialogWindow& window) override;

  // The modal run has ended: no more events or message boxes reach the window.
  void Detach();

  // --- Operations the dialogs share. ---
  // Enables or disables the Update button and the engineering controls, hidden or not.
  void EnableControls(bool enable);
  void PushTexts();
  void PullTexts();
  // Reopens the session and shows what it finds: please connect, another model's image, up to
  // date, or an update available.
  void RunDetectionPass();
  // Reads the camera's identity record into the dialog's members.
  bool ReadCameraIdentity();
  // Checks the image and hands it to the engine (the confirmation's OK calls it).
  void StartUpdate();
  // The reaction to one transfer event; always 1.
  int OnTransferEvent(uint32_t code, int32_t value);
  // Draws the ring up to the current percent.
  void DrawRingStep();
  // The older chip family's GPIO around a download: mode 0 before, 1 after.
  void SetUpdateGpio(int mode, uint8_t chipType);

  // --- State, for the confirmation and for tests. ---
  bool SessionOpen() const { return sessionOpen_ != 0; }
  uint8_t ChipType() const { return chipType_; }
  uint8_t ChipVariant() const { return chipVariant_; }
  uint16_t DeviceFwVersion() const { return deviceFwVersion_; }
  uint16_t DevicePid() const { return devicePid_; }
  const std::string& DeviceModelName() const { return deviceModelName_; }
  const std::string& FirmwarePath() const { return firmwarePath_; }
  const std::string& StatusText() const { return statusText_; }
  // Detection passes that ran to their end or stopped early, for tests.
  int DetectionPasses() const { return detectionPasses_; }

 private:
  bool AnyJobRunning() const;
  // A modal message box on the dialog with an OK button.
  void Notify(std::string_view caption, std::string_view text, bool warning = false);
  bool RefuseCloseWhileJobRuns();
  void Browse(const char* filter, std::string& target);
  void ShowStatusArrangement();
  void ShowOtherModel();
  void ShowUpdateStopped(const std::string& reason);
  // Tells the user why the update cannot start, in a message box and under the ring.
  void RefuseUpdate(const char* reason);
  void SuccessSequence();
  void CreateRingResources();
  void RedrawRing();
  window::PixelRect Scaled(int x, int y, int width, int height) const;
  std::string CurrentDirectory() const;

  UpdaterHooks hooks_;
  window::DialogWindow* window_ = nullptr;
  window::TextExchange exchange_;
  DialogTransferWindow transferWindow_;
  DialogMessageBoxes messageBoxes_;
  double scale_ = 1.0;

  // Members bound to controls.
  std::string statusText_;      // 1004
  std::string firmwarePath_;    // 1008
  std::string backendPath_;     // 1009
  std::string bytesText_;       // 1006
  std::string secondsText_;     // 1007
  std::string percentText_;     // 1043
  std::string completionText_;  // 1045
  std::string sensorPath_;      // 1014
  bool dumpRequested_ = false;  // 1019
  std::string anchorText_;      // 1022

  // What the detection knows of the camera.
  int sessionOpen_ = 0;
  uint8_t chipVariant_ = 0;
  uint8_t chipType_ = 0;
  uint16_t deviceFwVersion_ = 0;
  uint16_t devicePid_ = 0;
  std::string deviceModelName_;

  // Where the Update button sits in the status arrangement; a stopped update moves it under
  // the ring so the user can start again.
  window::PixelRect updateButtonHome_;
  // The ring's drawing surface once created, and the angles of the dots drawn on it since the
  // last detection pass, so a repaint can put them back.
  window::RingSurface* ringTarget_ = nullptr;
  bool ringResourcesTried_ = false;
  std::vector<float> ringDots_;
  bool passWaitingForJob_ = false;
  int detectionPasses_ = 0;
};

}  // namespace ui
