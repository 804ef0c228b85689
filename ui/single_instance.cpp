#include "ui/single_instance.h"

#include <cstdlib>

namespace ui {
namespace {

std::string GetVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

}  // namespace

SessionEnvironment ReadSessionEnvironment() {
  SessionEnvironment environment;
  environment.runtimeDirectory = GetVariable("XDG_RUNTIME_DIR");
  environment.userName = GetVariable("USER");
  if (environment.userName.empty()) environment.userName = GetVariable("LOGNAME");
  return environment;
}

std::string SingleInstanceMutexName(const SessionEnvironment& environment) {
  std::string name(kSingleInstanceMutexName);
  if (environment.runtimeDirectory.empty() && !environment.userName.empty()) {
    name += '.';
    name += environment.userName;
  }
  return name;
}

SingleInstanceLock SingleInstanceLock::Acquire(platform::NamedMutexFactory& mutexes,
                                               const std::string& name) {
  SingleInstanceLock lock;
  bool alreadyExisted = false;
  lock.handle_ = mutexes.CreateOrOpen(name, alreadyExisted);
  if (lock.handle_ && alreadyExisted) {
    lock.anotherCopyRuns_ = true;
    lock.handle_.reset();  // the second copy lets go of its handle before it ends
  }
  return lock;
}

}  // namespace ui
