#pragma once
// A library session against the simulated bench: fresh library state, isolated mutexes, the
// trace lines collected.

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/library_state.h"
#include "device/vxVidHidCls.h"
#include "sim/sim_bench.h"
#include "tests/support/counting_mutexes.h"
#include "tests/support/isolated_mutexes.h"
#include "tests/support/wire.h"

namespace testing_support {

class DeviceFixture : public ::testing::Test {
 protected:
  // Without the default camera: tests add the interfaces they need.
  DeviceFixture() : mutexes_(IsolatedMutexes()) {
    ResetLibraryForTests();
    sim::SimBench::Options options;
    options.defaultCamera = false;
    options.mutexes = &mutexes_;
    options.trace = [this](std::string_view line) {
      std::lock_guard<std::mutex> guard(traceLock_);
      trace_.emplace_back(line);
    };
    bench_ = std::make_unique<sim::SimBench>(options);
  }
  ~DeviceFixture() override { ResetLibraryForTests(); }

  std::shared_ptr<sim::Camera> AddCamera(const sim::CameraConfig& config = {}) {
    auto camera = std::make_shared<sim::Camera>(config, bench_->clock());
    bench_->hid().AddCamera(camera);
    return camera;
  }

  // Init with the interfaces added so far; log and fault counting start afresh afterwards.
  void Open() {
    ASSERT_EQ(vxVidHidCls_Init(), 1);
    hid().ClearLog();
    hid().ClearFaults();
  }

  std::vector<Frame> Frames() const { return FramesOf(bench_->hid().FeatureLog()); }

  bool Traced(const std::string& line) {
    std::lock_guard<std::mutex> guard(traceLock_);
    for (const std::string& t : trace_) {
      if (t == line) return true;
    }
    return false;
  }

  bool TracedPrefix(const std::string& prefix) {
    std::lock_guard<std::mutex> guard(traceLock_);
    for (const std::string& t : trace_) {
      if (t.rfind(prefix, 0) == 0) return true;
    }
    return false;
  }

  sim::SimHidSystem& hid() { return bench_->hid(); }
  sim::VirtualClock& clock() { return bench_->clock(); }
  MutexCounts& mutexCounts() { return mutexes_.counts(); }

 private:
  CountingMutexFactory mutexes_;
  std::mutex traceLock_;
  std::vector<std::string> trace_;
  std::unique_ptr<sim::SimBench> bench_;
};

// A camera with a chip of generation 0 (chip id low byte 0xA0).
inline sim::CameraConfig OlderChip() {
  sim::CameraConfig config;
  config.chipId = 0x000000A0;
  return config;
}

}  // namespace testing_support
