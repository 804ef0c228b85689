#pragma once
// Another process that holds a named mutex of the test's isolated directory, until killed.

#include <sys/types.h>

#include <string>

namespace testing_support {

class MutexHolder {
 public:
  // Starts the holder and returns once it owns the mutex; started() tells whether it does.
  explicit MutexHolder(const std::string& name);
  ~MutexHolder();  // kills the holder if it still runs

  bool started() const { return started_; }
  // Kills the holder with SIGKILL, as a crash would, and reaps it.
  void Kill();

 private:
  pid_t pid_ = -1;
  bool started_ = false;
};

}  // namespace testing_support
