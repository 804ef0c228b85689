#include "ui/programs/paced_hid_system.h"

#include <thread>

namespace ui::demo {

class PacedHidSystem::PacedDevice final : public platform::HidDevice {
 public:
  PacedDevice(PacedHidSystem& system, std::unique_ptr<platform::HidDevice> inner)
      : system_(system), inner_(std::move(inner)) {}

  bool GetAttributes(platform::HidAttributes& out) override { return inner_->GetAttributes(out); }
  bool GetFeatureCaps(platform::HidFeatureCaps& out) override {
    return inner_->GetFeatureCaps(out);
  }

  // The pause comes before the lock, so that a reader waits for one transfer at most.
  bool SetFeature(const uint8_t* buffer, size_t length) override {
    std::this_thread::sleep_for(system_.pause_);
    const std::lock_guard<std::mutex> lock(system_.transfer_);
    return inner_->SetFeature(buffer, length);
  }
  bool GetFeature(uint8_t* buffer, size_t length) override {
    std::this_thread::sleep_for(system_.pause_);
    const std::lock_guard<std::mutex> lock(system_.transfer_);
    return inner_->GetFeature(buffer, length);
  }

 private:
  PacedHidSystem& system_;
  std::unique_ptr<platform::HidDevice> inner_;
};

PacedHidSystem::PacedHidSystem(platform::HidSystem& inner,
                               std::chrono::microseconds pausePerTransfer)
    : inner_(inner), pause_(pausePerTransfer) {}

bool PacedHidSystem::ListInterfaces(std::vector<std::string>& paths) {
  return inner_.ListInterfaces(paths);
}

std::unique_ptr<platform::HidDevice> PacedHidSystem::Open(const std::string& path,
                                                          const platform::HidOpenMode& mode) {
  std::unique_ptr<platform::HidDevice> device = inner_.Open(path, mode);
  if (device == nullptr) return nullptr;
  return std::make_unique<PacedDevice>(*this, std::move(device));
}

platform::HidOpenFailure PacedHidSystem::LastOpenFailure() const {
  return inner_.LastOpenFailure();
}

}  // namespace ui::demo
