#pragma once
// The command line's window for the engine: events posted from the worker thread, taken in
// order on the main thread.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

#include "transfer/transfer_window.h"

namespace cli {

struct PostedEvent {
  uint16_t code;
  int32_t value;
};

class EventQueue final : public transfer::TransferWindow {
 public:
  // Never blocks the worker: the event is queued and the waiting thread woken.
  void Post(uint32_t message, uint32_t wParam, int32_t lParam) override;
  // Blocks until an event arrives.
  PostedEvent Next();
  // The next event if one is queued.
  bool TryNext(PostedEvent& event);

 private:
  std::mutex lock_;
  std::condition_variable arrived_;
  std::deque<PostedEvent> events_;
};

}  // namespace cli
