#include "transfer/transfer_events.h"

#include "platform/services.h"
#include "transfer/engine_state.h"
#include "transfer/transfer_window.h"

namespace transfer {

void PostTransferEvent(uint16_t code, int32_t value) {
  if (TransferWindow* window = Engine().job.window) window->Post(WM_TRANSFER_EVENT, code, value);
}

void NoteJobStart() {
  Engine().job.startTime = platform::CurrentServices().clock->TickCount();
}

int32_t JobElapsedMs() {
  const uint32_t now = platform::CurrentServices().clock->TickCount();
  const uint32_t start = Engine().job.startTime;
  return now > start ? static_cast<int32_t>(now - start) : 0;
}

void JobSleep(uint32_t milliseconds) {
  platform::CurrentServices().clock->Sleep(milliseconds);
}

}  // namespace transfer
