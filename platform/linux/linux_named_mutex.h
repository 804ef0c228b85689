#pragma once
// Named mutexes across processes: a lock file per name with open-file-description locks.
//
// Byte 0 of the file is the ownership lock, byte 1 the presence lock that every open handle
// holds shared (so "already existed" means some handle, here or in another process, is open).
// The kernel drops both when a process dies, so a crashed owner never locks others out.
// Inside one process all handles of a name share one entry that tracks the owning thread and
// its recursion count, as a thread-owned mutex does.

#include <string>

#include "platform/named_mutex.h"

namespace platform::linux_backend {

class LinuxNamedMutexFactory final : public NamedMutexFactory {
 public:
  // Lock files live in directory; empty means $XDG_RUNTIME_DIR, or /tmp without it.
  explicit LinuxNamedMutexFactory(std::string directory = {});

  std::unique_ptr<NamedMutex> CreateOrOpen(const std::string& name, bool& alreadyExisted) override;

  // The lock file that stands for name.
  std::string LockFilePath(const std::string& name) const;

 private:
  std::string directory_;
};

}  // namespace platform::linux_backend
