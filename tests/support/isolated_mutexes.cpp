#include "tests/support/isolated_mutexes.h"

#include <stdlib.h>

#include <stdexcept>

namespace testing_support {

const std::string& ProcessMutexDirectory() {
  static const std::string directory = [] {
    char pattern[] = "/tmp/tavelin-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    return std::string(pattern);
  }();
  return directory;
}

platform::linux_backend::LinuxNamedMutexFactory& IsolatedMutexes() {
  static platform::linux_backend::LinuxNamedMutexFactory factory(ProcessMutexDirectory());
  return factory;
}

}  // namespace testing_support
