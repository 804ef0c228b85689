#pragma once
// How every job reports: WM_TRANSFER_EVENT posted to the target window, and the job's
// duration on the platform clock.

#include <cstdint>

namespace transfer {

// Posts WM_TRANSFER_EVENT (code in wParam, value in lParam) to the target window; nothing
// when there is none.
void PostTransferEvent(uint16_t code, int32_t value);

// The job's first act: notes the tick count it started at.
void NoteJobStart();

// Milliseconds since the job started; 0 when the tick count is not past the start.
int32_t JobElapsedMs();

// Waits on the platform clock (the simulator's virtual clock advances instead).
void JobSleep(uint32_t milliseconds);

}  // namespace transfer
