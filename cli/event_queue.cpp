#include "cli/event_queue.h"

namespace cli {

void EventQueue::Post(uint32_t message, uint32_t wParam, int32_t lParam) {
  if (message != transfer::WM_TRANSFER_EVENT) return;
  {
    std::lock_guard<std::mutex> guard(lock_);
    events_.push_back({static_cast<uint16_t>(wParam), lParam});
  }
  arrived_.notify_one();
}

PostedEvent EventQueue::Next() {
  std::unique_lock<std::mutex> guard(lock_);
  arrived_.wait(guard, [this] { return !events_.empty(); });
  const PostedEvent event = events_.front();
  events_.pop_front();
  return event;
}

bool EventQueue::TryNext(PostedEvent& event) {
  std::lock_guard<std::mutex> guard(lock_);
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  return true;
}

}  // namespace cli
