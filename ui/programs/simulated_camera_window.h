#pragma once
// The demo's second window, "Simulated camera": unplug and plug the built-in camera, see which
// firmware its flash holds, and, while it is unplugged, put another firmware into it. Each plug
// and unplug is told to the updater's main window as a device change, as the system would.

#include <QWidget>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "sim/sim_bench.h"
#include "ui/programs/paced_hid_system.h"
#include "ui/window/dialog_window.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace ui::demo {

// The firmware the demo can put into the camera.
struct FirmwareChoice {
  uint16_t version;
  const char* label;
};
inline constexpr FirmwareChoice kFirmwareChoices[] = {
    {0x0102, "0x0102 (as from the factory)"},
    {0x0105, "0x0105 (the image beside the tool)"},
    {0x0200, "0x0200 (newer than the image)"},
};

// The firmware version the flash's user-data block names, or nothing when the boot header or
// the block is not there (an erased or half-written flash).
std::optional<uint16_t> FirmwareVersionInFlash(std::span<const uint8_t> flash);

// Rewrites the whole flash as a camera with that firmware leaves the factory: 0x0102 is the
// simulator's own factory contents, any other version a TAVELIN Q2 image of the image builder
// written from address 0. False, with the reason, when the image cannot be built.
bool PutFirmware(sim::SpiFlash& flash, uint16_t version, std::string& problem);

class SimulatedCameraWindow final : public QWidget {
 public:
  // bench's default camera is the one shown; its transfers pass through paced. mainWindow is
  // the updater's main dialog (a QtDialog), told of each plug and unplug and stood beside.
  SimulatedCameraWindow(sim::SimBench& bench, PacedHidSystem& paced,
                        window::DialogWindow& mainWindow);
  ~SimulatedCameraWindow() override;

 protected:
  // The window lives as long as the main window: closing it would strand the camera.
  void closeEvent(QCloseEvent* event) override;

 private:
  void Unplug();
  void Plug();
  void PutChosenFirmware();
  // The plug state, the buttons that fit it and the firmware line.
  void Refresh();
  // Next to the main window's right edge, whenever the main window moves or changes size.
  void StandBesideMainWindow();

  sim::SimBench& bench_;
  PacedHidSystem& paced_;
  window::DialogWindow& mainWindow_;
  bool plugged_ = true;  // as of the last Refresh
  QRect mainGeometry_;
  QLabel* plugState_ = nullptr;
  QLabel* firmware_ = nullptr;
  QPushButton* unplug_ = nullptr;
  QPushButton* plug_ = nullptr;
  QComboBox* choice_ = nullptr;
  QPushButton* put_ = nullptr;
  QLabel* putResult_ = nullptr;
  QTimer* refresh_ = nullptr;
};

}  // namespace ui::demo
