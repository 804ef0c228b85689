#pragma once
// Only one copy of the tool per logon session: the first copy creates a named mutex and keeps
// it open for its whole life; a copy that finds the mutex already there is a second copy and
// ends at once, silently.

#include <memory>
#include <string>
#include <string_view>

#include "platform/named_mutex.h"

namespace ui {

inline constexpr std::string_view kSingleInstanceMutexName = "TAVELIN_Firmware_Update_Tool";

// What decides which copies see each other.
struct SessionEnvironment {
  std::string runtimeDirectory;  // XDG_RUNTIME_DIR: one per user and logon session
  std::string userName;          // USER, else LOGNAME
};

SessionEnvironment ReadSessionEnvironment();

// The mutex name for this session. The system's mutexes live in the session's runtime
// directory, so there the plain name is per session already. Without one they fall back to a
// directory all users share, and the user's name in the mutex name keeps one user's copy from
// stopping another's.
std::string SingleInstanceMutexName(const SessionEnvironment& environment);

class SingleInstanceLock {
 public:
  // Creates or opens the mutex without taking ownership; the handle stays open with the lock.
  // A mutex that cannot be created at all does not keep the tool from running.
  static SingleInstanceLock Acquire(platform::NamedMutexFactory& mutexes, const std::string& name);

  // Another copy has the mutex open: this copy must end.
  bool AnotherCopyRuns() const { return anotherCopyRuns_; }

 private:
  std::unique_ptr<platform::NamedMutex> handle_;
  bool anotherCopyRuns_ = false;
};

}  // namespace ui
