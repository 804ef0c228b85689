// The test bench: the simulator installed as the process's platform services.

#include "sim/sim_bench.h"

namespace sim {

SimBench::SimBench() : SimBench(Options{}) {}

SimBench::SimBench(const Options& options) : clock_(options.clockStart), hid_(clock_) {
  hid_.SetLatencyMs(options.latencyMs);
  platform::Services services;
  services.clock = &clock_;
  services.mutexes =
      options.mutexes != nullptr ? options.mutexes : platform::CurrentServices().mutexes;
  services.hid = &hid_;
  services.trace = options.trace;
  platform::InstallServices(services);
  if (options.defaultCamera) {
    camera_ = MakeDefaultCamera(clock_);
    cameraPath_ = hid_.AddCamera(camera_);
  }
}

SimBench::~SimBench() {
  platform::ResetServices();
}

}  // namespace sim
