// Test tool: takes a named mutex in a process of its own and holds it until killed.
// Usage: hold_named_mutex DIRECTORY NAME. Prints "held" once it owns the mutex.

#include <unistd.h>

#include <cstdio>

#include "platform/linux/linux_named_mutex.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: hold_named_mutex DIRECTORY NAME\n");
    return 2;
  }
  platform::linux_backend::LinuxNamedMutexFactory factory(argv[1]);
  bool existed = false;
  auto mutex = factory.CreateOrOpen(argv[2], existed);
  if (!mutex || !mutex->Wait(60000)) {
    std::fprintf(stderr, "hold_named_mutex: cannot take the mutex\n");
    return 1;
  }
  std::printf("held\n");
  std::fflush(stdout);
  for (;;) pause();
}
