#pragma once
// Named mutexes whose lock files live in a directory of this test process's own, so test
// programs running side by side never contend for the library mutex.

#include <memory>
#include <string>

#include "platform/linux/linux_named_mutex.h"

namespace testing_support {

// A fresh directory under the system's temporary directory, made once per process.
const std::string& ProcessMutexDirectory();

// The Linux mutex factory rooted in that directory.
platform::linux_backend::LinuxNamedMutexFactory& IsolatedMutexes();

}  // namespace testing_support
