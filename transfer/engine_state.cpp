#include "transfer/engine_state.h"

#include <algorithm>

namespace transfer {

EngineState& Engine() {
  static EngineState state;
  return state;
}

void ResetEngineState() {
  EngineState& state = Engine();
  state.sessionOpen = false;
  state.deviceCount = 0;
  state.job = JobParameters{};
  std::fill(std::begin(state.ImageBuffer), std::end(state.ImageBuffer), uint8_t{0});
  std::fill(std::begin(state.dumpBuffer), std::end(state.dumpBuffer), uint8_t{0});
}

}  // namespace transfer
