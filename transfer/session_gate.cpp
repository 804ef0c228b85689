// The engine's device session: open only while the library has found a camera.

#include "transfer/engine.h"
#include "transfer/engine_state.h"
#include "transfer/worker_slot.h"

namespace transfer {

int OpenDeviceSession() {
  EngineState& engine = Engine();
  if (engine.sessionOpen) {
    vxVidHidCls_Exit();
    engine.sessionOpen = false;
  }
  engine.sessionOpen = vxVidHidCls_Init() != 0;
  engine.deviceCount = 0;
  engine.deviceCount = vxVidHidCls_GetDevCount();
  if (engine.deviceCount == 0) {
    vxVidHidCls_Exit();
    engine.sessionOpen = false;
    return 0;
  }
  return engine.sessionOpen ? 1 : 0;
}

void CloseDeviceSession() {
  EngineState& engine = Engine();
  engine.deviceCount = 0;
  if (engine.sessionOpen) {
    vxVidHidCls_Exit();
    engine.sessionOpen = false;
  }
}

void ResetEngineForTests() {
  WaitForWorkerToEnd();
  ResetEngineState();
  SetMessageBoxes(nullptr);
}

}  // namespace transfer
