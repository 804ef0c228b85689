// The demo's "Simulated camera" window, offscreen: its buttons unplug and plug the simulated
// camera and tell the main window, it puts another firmware into the unplugged camera, and its
// line reads the firmware version from the flash.

#include "ui/programs/simulated_camera_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <optional>
#include <vector>

#include "device/flash_layout.h"
#include "sim/factory_contents.h"
#include "tests/support/isolated_mutexes.h"
#include "ui/qt/qt_dialog.h"

namespace {

namespace window = ui::window;

class ChangeCounter final : public window::DialogHandler {
 public:
  void OnInitDialog(window::DialogWindow&) override {}
  void OnDeviceChange(window::DialogWindow&) override { ++changes; }
  int changes = 0;
};

window::DialogTemplate MainStandIn() {
  window::DialogTemplate dialog;
  dialog.width = 100;
  dialog.height = 40;
  dialog.caption = "main";
  return dialog;
}

sim::SimBench::Options BenchOptions() {
  sim::SimBench::Options options;
  options.mutexes = &testing_support::IsolatedMutexes();
  return options;
}

void ProcessEventsFor(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

class SimulatedCameraWindowTest : public ::testing::Test {
 protected:
  SimulatedCameraWindowTest()
      : bench_(BenchOptions()),
        paced_(bench_.hid(), std::chrono::microseconds(0)),
        main_(MainStandIn(), counter_, nullptr),
        camera_(bench_, paced_, main_) {
    main_.InitialiseAndShow();
    camera_.show();
  }

  QPushButton* Button(const QString& caption) {
    for (QPushButton* button : camera_.findChildren<QPushButton*>()) {
      if (button->text() == caption) return button;
    }
    ADD_FAILURE() << "no button " << caption.toStdString();
    return nullptr;
  }
  bool ShowsLine(const QString& text) {
    const QList<QLabel*> labels = camera_.findChildren<QLabel*>();
    return std::any_of(labels.begin(), labels.end(),
                       [&text](const QLabel* label) { return label->text() == text; });
  }
  bool CameraListed() {
    std::vector<std::string> paths;
    bench_.hid().ListInterfaces(paths);
    return std::find(paths.begin(), paths.end(), bench_.cameraPath()) != paths.end();
  }

  sim::SimBench bench_;
  ui::demo::PacedHidSystem paced_;
  ChangeCounter counter_;
  ui::qt::QtDialog main_;
  ui::demo::SimulatedCameraWindow camera_;
};

TEST_F(SimulatedCameraWindowTest, UnplugsPutsAnotherFirmwareAndPlugsTellingTheMainWindow) {
  EXPECT_EQ(camera_.windowTitle(), "Simulated camera");
  EXPECT_TRUE(ShowsLine("The camera is plugged in."));
  EXPECT_TRUE(ShowsLine("Firmware in its flash: 0x0102"));
  EXPECT_FALSE(Button("Plug")->isEnabled());
  EXPECT_FALSE(Button("Put into the camera")->isEnabled());  // only while unplugged

  Button("Unplug")->click();
  ProcessEventsFor(50);
  EXPECT_FALSE(CameraListed());
  EXPECT_EQ(counter_.changes, 1);
  EXPECT_TRUE(ShowsLine("The camera is unplugged."));
  ASSERT_TRUE(Button("Put into the camera")->isEnabled());

  auto* choice = camera_.findChild<QComboBox*>();
  ASSERT_NE(choice, nullptr);
  choice->setCurrentIndex(choice->findData(0x0200));
  Button("Put into the camera")->click();
  EXPECT_TRUE(ShowsLine("Firmware in its flash: 0x0200"));
  EXPECT_EQ(ui::demo::FirmwareVersionInFlash(bench_.camera()->flash().memory()), 0x0200);
  EXPECT_EQ(counter_.changes, 1);  // nothing the system would see

  Button("Plug")->click();
  ProcessEventsFor(50);
  EXPECT_TRUE(CameraListed());
  EXPECT_EQ(counter_.changes, 2);
  EXPECT_TRUE(ShowsLine("The camera is plugged in."));
  ASSERT_TRUE(QDir().mkpath(SCREENSHOT_DIR));
  EXPECT_TRUE(camera_.grab().save(QString(SCREENSHOT_DIR) + "/simulated_camera_window.png"));

  // Someone else's unplug shows at the next refresh, a quarter of a second later at most.
  bench_.hid().Unplug(bench_.cameraPath());
  ProcessEventsFor(400);
  EXPECT_TRUE(ShowsLine("The camera is unplugged."));
}

TEST(FirmwareVersionInFlash, IsReadFromTheUserDataBlockOnlyWhenHeaderAndBlockAreThere) {
  sim::VirtualClock clock;
  std::shared_ptr<sim::Camera> camera = sim::MakeDefaultCamera(clock);
  std::vector<uint8_t>& flash = camera->flash().memory();
  EXPECT_EQ(ui::demo::FirmwareVersionInFlash(flash), 0x0102);

  std::string problem;
  for (const ui::demo::FirmwareChoice& choice : ui::demo::kFirmwareChoices) {
    ASSERT_TRUE(ui::demo::PutFirmware(camera->flash(), choice.version, problem)) << problem;
    EXPECT_EQ(ui::demo::FirmwareVersionInFlash(flash), choice.version) << choice.label;
  }

  const uint32_t block = UserDataAddress(sim::FactoryBootHeader());
  std::fill(flash.begin() + block, flash.begin() + block + 4, uint8_t{0xFF});
  EXPECT_EQ(ui::demo::FirmwareVersionInFlash(flash), std::nullopt) << "no block signature";
  std::fill(flash.begin(), flash.end(), uint8_t{0xFF});
  EXPECT_EQ(ui::demo::FirmwareVersionInFlash(flash), std::nullopt) << "erased";
  EXPECT_EQ(ui::demo::FirmwareVersionInFlash(std::span<const uint8_t>(flash).first(8)),
            std::nullopt);
}

}  // namespace
