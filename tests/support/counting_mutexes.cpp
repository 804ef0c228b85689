#include "tests/support/counting_mutexes.h"

namespace testing_support {
namespace {

class CountingMutex final : public platform::NamedMutex {
 public:
  CountingMutex(std::unique_ptr<platform::NamedMutex> inner, MutexCounts& counts)
      : inner_(std::move(inner)), counts_(counts) {
    ++counts_.opened;
  }
  ~CountingMutex() override { ++counts_.closed; }

  bool Wait(uint32_t timeoutMs) override {
    ++counts_.waits;
    return inner_->Wait(timeoutMs);
  }
  bool Release() override {
    ++counts_.releases;
    return inner_->Release();
  }

 private:
  std::unique_ptr<platform::NamedMutex> inner_;
  MutexCounts& counts_;
};

}  // namespace

std::unique_ptr<platform::NamedMutex> CountingMutexFactory::CreateOrOpen(const std::string& name,
                                                                         bool& alreadyExisted) {
  auto inner = inner_.CreateOrOpen(name, alreadyExisted);
  if (!inner) return nullptr;
  return std::make_unique<CountingMutex>(std::move(inner), counts_);
}

}  // namespace testing_support
