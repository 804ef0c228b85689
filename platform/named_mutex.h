#pragma once
// Named system mutexes: one lock shared by every process that opens the same name.
//
// Semantics follow a recursive, thread-owned mutex: the owning thread may wait again and must
// release as often as it waited. A process that dies while holding the mutex releases it.

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class NamedMutex {
 public:
  // Closing the handle releases whatever this handle's thread still owns through it.
  virtual ~NamedMutex() = default;

  // Waits up to timeoutMs for ownership. Returns true when the calling thread owns the mutex,
  // false on time-out or failure (the mutex is then not owned by the caller).
  virtual bool Wait(uint32_t timeoutMs) = 0;

  // Gives up one level of ownership. Returns false when the calling thread is not the owner.
  virtual bool Release() = 0;
};

class NamedMutexFactory {
 public:
  virtual ~NamedMutexFactory() = default;

  // Creates the mutex, not owned, or opens it when it exists already; alreadyExisted tells
  // which. Returns null when the mutex cannot be created or opened. The caller owns the handle.
  virtual std::unique_ptr<NamedMutex> CreateOrOpen(const std::string& name,
                                                   bool& alreadyExisted) = 0;
};

}  // namespace platform
