#include "ui/programs/simulated_camera_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "device/flash_layout.h"
#include "sim/factory_contents.h"
#include "transfer/image_builder.h"

namespace ui::demo {
namespace {

// Often enough to watch the flash change while an update writes it.
constexpr int kRefreshIntervalMs = 250;
constexpr int kGapToMainWindow = 12;

QString VersionText(std::optional<uint16_t> version) {
  if (!version) return "Firmware in its flash: none readable (erased or being written)";
  char text[64];
  std::snprintf(text, sizeof text, "Firmware in its flash: 0x%04X",
                static_cast<unsigned>(*version));
  return text;
}

}  // namespace

std::optional<uint16_t> FirmwareVersionInFlash(std::span<const uint8_t> flash) {
  if (flash.size() < kBootHeaderSize) return std::nullopt;
  const BootHeader header = DecodeBootHeader(flash.data());
  if (header.magic[0] != kBootMagic0 || header.magic[1] != kBootMagic1) return std::nullopt;
  const uint32_t address = UserDataAddress(header);
  if (address > flash.size() || flash.size() - address < sizeof(UserDataBlock)) {
    return std::nullopt;
  }
  UserDataBlock block;
  std::memcpy(&block, flash.data() + address, sizeof block);
  if (block.signature != kUserDataSignature) return std::nullopt;
  return block.fwVersion;
}

bool PutFirmware(sim::SpiFlash& flash, uint16_t version, std::string& problem) {
  if (version == sim::FactoryIdentity().fwVersion) {
    sim::WriteFactoryContents(flash);
    return true;
  }
  transfer::ImageRecipe recipe;
  recipe.identity = sim::FactoryIdentity();
  recipe.identity.fwVersion = version;
  std::vector<uint8_t> file;
  if (!transfer::BuildImage(recipe, file, problem)) return false;
  // The file is the flash image from address 0 behind its 4-byte checksum.
  std::vector<uint8_t>& memory = flash.memory();
  const size_t payload = std::min(file.size() - transfer::kImageChecksumSize, memory.size());
  std::fill(memory.begin(), memory.end(), uint8_t{0xFF});
  std::copy_n(file.begin() + transfer::kImageChecksumSize, payload, memory.begin());
  return true;
}

SimulatedCameraWindow::SimulatedCameraWindow(sim::SimBench& bench, PacedHidSystem& paced,
                                             window::DialogWindow& mainWindow)
    : QWidget(nullptr, Qt::Window), bench_(bench), paced_(paced), mainWindow_(mainWindow) {
  setWindowTitle("Simulated camera");

  plugState_ = new QLabel(this);
  firmware_ = new QLabel(this);
  unplug_ = new QPushButton("Unplug", this);
  plug_ = new QPushButton("Plug", this);
  auto* plugRow = new QHBoxLayout;
  plugRow->addWidget(unplug_);
  plugRow->addWidget(plug_);
  plugRow->addStretch();

  auto* firmwareBox =
      new QGroupBox("Firmware to put into the camera (while it is unplugged)", this);
  choice_ = new QComboBox(firmwareBox);
  for (const FirmwareChoice& firmware : kFirmwareChoices) {
    choice_->addItem(firmware.label, static_cast<int>(firmware.version));
  }
  put_ = new QPushButton("Put into the camera", firmwareBox);
  putResult_ = new QLabel(firmwareBox);
  putResult_->setWordWrap(true);
  auto* firmwareLayout = new QVBoxLayout(firmwareBox);
  firmwareLayout->addWidget(choice_);
  auto* putRow = new QHBoxLayout;
  putRow->addWidget(put_);
  putRow->addStretch();
  firmwareLayout->addLayout(putRow);
  firmwareLayout->addWidget(putResult_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel("A TAVELIN Q2 on the simulated USB, for the update tool beside.", this));
  layout->addWidget(plugState_);
  layout->addWidget(firmware_);
  layout->addLayout(plugRow);
  layout->addWidget(firmwareBox);
  layout->addStretch();

  connect(unplug_, &QPushButton::clicked, this, [this] { Unplug(); });
  connect(plug_, &QPushButton::clicked, this, [this] { Plug(); });
  connect(put_, &QPushButton::clicked, this, [this] { PutChosenFirmware(); });
  refresh_ = new QTimer(this);
  connect(refresh_, &QTimer::timeout, this, [this] {
    Refresh();
    StandBesideMainWindow();
  });
  refresh_->start(kRefreshIntervalMs);
  Refresh();
}

SimulatedCameraWindow::~SimulatedCameraWindow() = default;

void SimulatedCameraWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
}

void SimulatedCameraWindow::Unplug() {
  bench_.hid().Unplug(bench_.cameraPath());
  putResult_->clear();
  mainWindow_.PostDeviceChange();
  Refresh();
}

void SimulatedCameraWindow::Plug() {
  bench_.hid().Plug(bench_.cameraPath());
  putResult_->clear();
  mainWindow_.PostDeviceChange();
  Refresh();
}

void SimulatedCameraWindow::PutChosenFirmware() {
  Refresh();
  if (plugged_) return;
  const auto version = static_cast<uint16_t>(choice_->currentData().toInt());
  std::string problem;
  // Unplugged, nothing reaches the flash; the lock keeps it so should a transfer be on its way.
  const bool put = paced_.WhileNoTransfer(
      [&] { return PutFirmware(bench_.camera()->flash(), version, problem); });
  putResult_->setText(put ? "Done: plug the camera in to let the tool see it."
                          : QString("Not put: ") + QString::fromStdString(problem));
  Refresh();
}

void SimulatedCameraWindow::Refresh() {
  // Asked of the simulated system each time: whoever unplugged the camera, this shows it.
  std::vector<std::string> paths;
  bench_.hid().ListInterfaces(paths);
  plugged_ = std::find(paths.begin(), paths.end(), bench_.cameraPath()) != paths.end();
  plugState_->setText(plugged_ ? "The camera is plugged in." : "The camera is unplugged.");
  unplug_->setEnabled(plugged_);
  plug_->setEnabled(!plugged_);
  choice_->setEnabled(!plugged_);
  put_->setEnabled(!plugged_);
  // The flash changes only inside a transfer, so between two it reads whole even while the
  // update's worker is writing it.
  const std::optional<uint16_t> version = paced_.WhileNoTransfer(
      [this] { return FirmwareVersionInFlash(bench_.camera()->flash().memory()); });
  firmware_->setText(VersionText(version));
}

void SimulatedCameraWindow::StandBesideMainWindow() {
  auto* main = dynamic_cast<QWidget*>(&mainWindow_);
  if (main == nullptr || !main->isVisible()) return;
  const QRect geometry = main->frameGeometry();
  if (geometry == mainGeometry_) return;
  mainGeometry_ = geometry;
  move(geometry.right() + 1 + kGapToMainWindow, geometry.top());
}

}  // namespace ui::demo
