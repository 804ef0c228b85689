#pragma once
// The updater's dialogs headless against the simulated camera: a main dialog opened on the
// headless window system, image files in a directory of the test's own that the detection
// looks in, and the camera's identity and firmware set per test.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "sim/sim_bench.h"
#include "ui/headless/headless_window_system.h"
#include "ui/language.h"
#include "ui/updater/main_dialog.h"

namespace updater_testing {

struct ImageSpec {
  uint16_t fwVersion = 0x0105;
  uint16_t pid = 3;
};

class UpdaterTest : public ::testing::Test {
 protected:
  UpdaterTest();
  ~UpdaterTest() override;

  // Rewrites the camera's boot configuration with this firmware version and product id.
  void SetCameraIdentity(uint16_t fwVersion, uint16_t pid);
  // Writes an image file into the test's directory; returns its full path.
  std::string WriteImage(const std::string& name, const ImageSpec& wanted = {});
  std::vector<uint8_t> ImageBytes(const ImageSpec& wanted) const;

  // Opens the main dialog (its initialisation runs the first detection pass) and paints it
  // once, as a desktop does when a window is shown.
  void OpenDialog(ui::Language language = ui::kEnglish);
  // A device change, and the 100 ms after it.
  void DeviceChangeAndWait();
  // Clicks Update and answers the confirmation with OK (or Cancel).
  void ClickUpdateAndConfirm(bool ok = true);
  // Lets the running job end and delivers everything it posted, then the ring's timer.
  void FinishJob();

  ui::headless::HeadlessWindowSystem& windows() { return windows_; }
  ui::headless::HeadlessDialog& window() { return *window_; }
  ui::CTarn_Download_OnlyDlg& dialog() { return *dialog_; }
  sim::SimBench& bench() { return *bench_; }
  const std::filesystem::path& directory() const { return directory_; }
  std::string Text(int controlId) const { return window_->Text(controlId); }
  bool Visible(int controlId) const { return window_->IsVisible(controlId); }

 private:
  std::unique_ptr<sim::SimBench> bench_;
  std::filesystem::path directory_;
  ui::headless::HeadlessWindowSystem windows_;
  std::unique_ptr<ui::CTarn_Download_OnlyDlg> dialog_;
  std::unique_ptr<ui::headless::HeadlessDialog> window_;
};

}  // namespace updater_testing
