#include "tests/support/mutex_holder.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "tests/support/isolated_mutexes.h"

extern char** environ;

namespace testing_support {

MutexHolder::MutexHolder(const std::string& name) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  std::string directory = ProcessMutexDirectory();
  std::string tool = HOLD_NAMED_MUTEX_TOOL;
  std::string mutexName = name;
  char* argv[] = {tool.data(), directory.data(), mutexName.data(), nullptr};
  const int spawned = posix_spawn(&pid_, tool.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    pid_ = -1;
    close(pipeFds[0]);
    return;
  }
  char line[8] = {};
  size_t got = 0;
  while (got < 5) {
    const ssize_t n = read(pipeFds[0], line + got, 5 - got);
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  close(pipeFds[0]);
  started_ = got == 5 && std::memcmp(line, "held\n", 5) == 0;
}

MutexHolder::~MutexHolder() {
  Kill();
}

void MutexHolder::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
}

}  // namespace testing_support
