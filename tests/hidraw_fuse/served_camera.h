#pragma once
// The simulated camera behind a served hidraw node, with the sysfs entry that points at it:
// what the hidraw code runs against end to end, in this process or in a tavelin-fw run.

#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/camera.h"
#include "sim/virtual_clock.h"
#include "tests/hidraw_fuse/fuse_hidraw_server.h"
#include "tests/platform_hid/sysfs_tree.h"

namespace testing_support {

// Answers feature transfers from the camera's HID function under lock, advancing the virtual
// clock by a millisecond per transfer as the simulated HID system does, so the flash's busy
// times pass. A report the camera refuses is a stalled request: EPIPE. Counts the transfers.
FeatureHandler CameraHandler(sim::Camera& camera, sim::VirtualClock& clock, std::mutex& lock,
                             std::atomic<size_t>& counter);

class ServedCamera {
 public:
  // The sysfs entry hidraw0 with the camera's descriptor, and the served node behind it.
  ServedCamera();

  // Mounts the node on the tree's /dev; false, with the reason, when FUSE cannot mount here.
  bool Mount(std::string& error) { return server_.Mount(tree_.dev(), error); }

  SysfsTree& tree() { return tree_; }
  FuseHidrawServer& server() { return server_; }
  // The camera's flash as it is now. The camera itself is the server thread's: this takes
  // the lock its answers are given under.
  std::vector<uint8_t> FlashMemory();
  std::string nodePath() const { return tree_.dev() + "/" + kNode; }
  size_t transfers() const { return transfers_.load(); }

  // Puts the camera's answers back in place after a test replaced the node's handler.
  void ServeCamera();

  // The environment that points a tavelin-fw run at this tree.
  std::string Environment() const;

  static constexpr const char* kNode = "hidraw0";

 private:
  // Declared in this order so the server unmounts before the camera and the tree go.
  SysfsTree tree_;
  sim::VirtualClock clock_;
  std::shared_ptr<sim::Camera> camera_;
  std::mutex cameraLock_;
  std::atomic<size_t> transfers_{0};
  FuseHidrawServer server_;
};

}  // namespace testing_support
