#pragma once
// Timers on a virtual clock: nothing fires until a test advances the time.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace ui::headless {

class HeadlessTimers {
 public:
  // Timers are keyed by an owner (a dialog) and the owner's timer id.
  using Key = std::pair<const void*, int>;
  using FireFunction = std::function<void(const Key&)>;

  // Starts the timer, or restarts it: it comes due interval ms from now, and every interval
  // after that. An interval of 0 counts as 1 ms so that time always moves on.
  void Set(const Key& key, uint32_t intervalMs);
  void Kill(const Key& key);
  void KillAllOf(const void* owner);

  // The interval of a running timer.
  std::optional<uint32_t> Interval(const Key& key) const;

  // Moves the clock forward by ms and fires every timer that comes due, earliest first (equal
  // times in the order they were set); fire may set and kill timers.
  void Advance(uint32_t ms, const FireFunction& fire);

  uint64_t Now() const { return now_; }

 private:
  struct Timer {
    uint32_t interval;
    uint64_t due;
    uint64_t order;  // breaks ties between timers due at the same time
  };
  std::map<Key, Timer> timers_;
  uint64_t now_ = 0;
  uint64_t nextOrder_ = 0;
};

}  // namespace ui::headless
