#include "transfer/worker_slot.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace transfer {
namespace {

struct WorkerSlot {
  std::mutex lock;
  std::condition_variable ended;
  WorkerHandle handle = nullptr;  // the running worker; null when none
  uintptr_t serial = 0;           // numbers the workers, so that no two handles are equal
};

WorkerSlot& Slot() {
  static WorkerSlot slot;
  return slot;
}

}  // namespace

bool WorkerSlotOccupied() {
  WorkerSlot& slot = Slot();
  std::lock_guard<std::mutex> guard(slot.lock);
  return slot.handle != nullptr;
}

// The job empties the slot in the same step in which its thread stops counting as running,
// so a slot that holds a worker always holds a running one.
bool WorkerStillRunning() {
  return WorkerSlotOccupied();
}

bool JobRunning() {
  return WorkerSlotOccupied();
}

WorkerHandle StartWorker(JobProcedure job) {
  WorkerSlot& slot = Slot();
  WorkerHandle handle;
  {
    std::lock_guard<std::mutex> guard(slot.lock);
    handle = reinterpret_cast<WorkerHandle>(++slot.serial);
    slot.handle = handle;
  }
  try {
    std::thread([job] { job(); }).detach();
  } catch (const std::system_error&) {
    std::lock_guard<std::mutex> guard(slot.lock);
    slot.handle = nullptr;
    slot.ended.notify_all();
    return nullptr;
  }
  return handle;
}

uint32_t EndJob() {
  WorkerSlot& slot = Slot();
  std::lock_guard<std::mutex> guard(slot.lock);
  slot.handle = nullptr;
  slot.ended.notify_all();
  return 0;
}

void WaitForWorkerToEnd() {
  WorkerSlot& slot = Slot();
  std::unique_lock<std::mutex> guard(slot.lock);
  slot.ended.wait(guard, [&] { return slot.handle == nullptr; });
}

}  // namespace transfer
