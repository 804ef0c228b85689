#pragma once
// The one worker thread: the slot that holds it while its job runs, and the job's way out.

#include <cstdint>

#include "transfer/engine.h"

namespace transfer {

// A thread procedure: no argument, all input from the engine state; returns 0.
using JobProcedure = uint32_t (*)();

// True while the slot holds a worker (the upload start's test).
bool WorkerSlotOccupied();
// True while the slot holds a worker whose thread has not returned (the download start's test).
bool WorkerStillRunning();

// Puts a new worker into the slot and starts job on its own thread, which is let go at once.
// The slot is filled before the thread runs, so even a job that ends at once leaves it empty.
// Null, with the slot empty again, when no thread could be created.
WorkerHandle StartWorker(JobProcedure job);

// The job's last act: empties the slot and wakes WaitForWorkerToEnd. Returns the job's
// result, 0.
uint32_t EndJob();

}  // namespace transfer
