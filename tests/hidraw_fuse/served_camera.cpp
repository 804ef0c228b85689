#include "tests/hidraw_fuse/served_camera.h"

#include <cerrno>

#include "tests/platform_hid/sample_descriptors.h"

namespace testing_support {

FeatureHandler CameraHandler(sim::Camera& camera, sim::VirtualClock& clock, std::mutex& lock,
                             std::atomic<size_t>& counter) {
  return [&camera, &clock, &lock, &counter](bool set, uint8_t* buffer, size_t length) {
    std::lock_guard<std::mutex> guard(lock);
    ++counter;
    clock.Advance(1);
    const bool ok =
        set ? camera.hid().SetFeature(buffer, length) : camera.hid().GetFeature(buffer, length);
    return ok ? static_cast<int>(length) : -EPIPE;
  };
}

ServedCamera::ServedCamera() : camera_(sim::MakeDefaultCamera(clock_)) {
  SysfsHidDevice device;
  device.node = kNode;
  device.vendorId = camera_->hid().attributes().vendorId;
  device.productId = camera_->hid().attributes().productId;
  device.bcdDevice = camera_->hid().attributes().versionNumber;
  device.descriptor = kCameraDescriptor;
  tree_.Add(device);
  ServeCamera();
}

void ServedCamera::ServeCamera() {
  server_.AddNode(kNode, CameraHandler(*camera_, clock_, cameraLock_, transfers_));
}

std::vector<uint8_t> ServedCamera::FlashMemory() {
  std::lock_guard<std::mutex> guard(cameraLock_);
  return camera_->flash().memory();
}

std::string ServedCamera::Environment() const {
  return "TAVELIN_SYSFS_ROOT=" + tree_.sysfs() + " TAVELIN_DEV_ROOT=" + tree_.dev();
}

}  // namespace testing_support
