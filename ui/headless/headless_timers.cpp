#include "ui/headless/headless_timers.h"

namespace ui::headless {

void HeadlessTimers::Set(const Key& key, uint32_t intervalMs) {
  const uint32_t interval = intervalMs == 0 ? 1 : intervalMs;
  timers_[key] = {interval, now_ + interval, nextOrder_++};
}

void HeadlessTimers::Kill(const Key& key) {
  timers_.erase(key);
}

void HeadlessTimers::KillAllOf(const void* owner) {
  for (auto it = timers_.begin(); it != timers_.end();) {
    it = it->first.first == owner ? timers_.erase(it) : std::next(it);
  }
}

std::optional<uint32_t> HeadlessTimers::Interval(const Key& key) const {
  const auto it = timers_.find(key);
  if (it == timers_.end()) return std::nullopt;
  return it->second.interval;
}

void HeadlessTimers::Advance(uint32_t ms, const FireFunction& fire) {
  const uint64_t target = now_ + ms;
  for (;;) {
    auto earliest = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due > target) continue;
      if (earliest == timers_.end() || it->second.due < earliest->second.due ||
          (it->second.due == earliest->second.due && it->second.order < earliest->second.order)) {
        earliest = it;
      }
    }
    if (earliest == timers_.end()) break;
    now_ = earliest->second.due;
    earliest->second.due += earliest->second.interval;
    earliest->second.order = nextOrder_++;
    const Key key = earliest->first;
    fire(key);
  }
  now_ = target;
}

}  // namespace ui::headless
