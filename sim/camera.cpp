// One simulated camera, and the embedded default one.

#include "sim/camera.h"

#include <stdexcept>
#include <string>

#include "sim/factory_contents.h"

namespace sim {
namespace {

const FlashPart& PartNamed(std::string_view name) {
  const FlashPart* part = FindFlashPart(name);
  if (part == nullptr) throw std::invalid_argument("no flash part named " + std::string(name));
  return *part;
}

constexpr uint8_t kStatusProtected = 0x0C;

}  // namespace

Camera::Camera(const CameraConfig& config, VirtualClock& clock)
    : chip_(config.chipId, std::make_unique<SpiFlash>(PartNamed(config.flashPart), clock),
            config.withEeprom ? std::make_unique<I2cEeprom>() : nullptr, config.bootsFromSpi),
      hid_(chip_, config.hid) {}

std::shared_ptr<Camera> MakeDefaultCamera(VirtualClock& clock) {
  auto camera = std::make_shared<Camera>(CameraConfig{}, clock);
  WriteFactoryContents(camera->flash());
  camera->flash().SetStatus(kStatusProtected);
  return camera;
}

}  // namespace sim
