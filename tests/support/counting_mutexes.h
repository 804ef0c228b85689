#pragma once
// A mutex factory that counts what the library does with its mutex, around a real one.

#include <atomic>
#include <memory>

#include "platform/named_mutex.h"

namespace testing_support {

struct MutexCounts {
  std::atomic<int> opened{0};
  std::atomic<int> closed{0};
  std::atomic<int> waits{0};
  std::atomic<int> releases{0};
};

class CountingMutexFactory final : public platform::NamedMutexFactory {
 public:
  explicit CountingMutexFactory(platform::NamedMutexFactory& inner) : inner_(inner) {}

  std::unique_ptr<platform::NamedMutex> CreateOrOpen(const std::string& name,
                                                     bool& alreadyExisted) override;
  MutexCounts& counts() { return counts_; }

 private:
  platform::NamedMutexFactory& inner_;
  MutexCounts counts_;
};

}  // namespace testing_support
