#pragma once
// The test bench in one object: a virtual clock, a simulated HID system and, unless told
// otherwise, the default camera, installed as the process's platform services for its lifetime.

#include <memory>
#include <string>

#include "platform/services.h"
#include "sim/camera.h"
#include "sim/sim_hid_system.h"
#include "sim/virtual_clock.h"

namespace sim {

class SimBench {
 public:
  struct Options {
    bool defaultCamera = true;
    uint32_t clockStart = 0;
    uint32_t latencyMs = 1;
    platform::NamedMutexFactory* mutexes = nullptr;  // null: the system's
    platform::TraceSink trace = {};                  // empty: discard
  };

  SimBench();
  explicit SimBench(const Options& options);
  ~SimBench();  // restores the system's services
  SimBench(const SimBench&) = delete;
  SimBench& operator=(const SimBench&) = delete;

  VirtualClock& clock() { return clock_; }
  SimHidSystem& hid() { return hid_; }
  // The default camera (null when the bench was made without it) and its path.
  std::shared_ptr<Camera> camera() { return camera_; }
  const std::string& cameraPath() const { return cameraPath_; }

 private:
  VirtualClock clock_;
  SimHidSystem hid_;
  std::shared_ptr<Camera> camera_;
  std::string cameraPath_;
};

}  // namespace sim
