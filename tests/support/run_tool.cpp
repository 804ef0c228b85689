#include "tests/support/run_tool.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace testing_support {

ToolRun RunProgram(const std::string& program, const std::string& arguments, bool withStderr) {
  const std::string command = program + " " + arguments + (withStderr ? " 2>&1" : " 2>/dev/null");
  FILE* pipe = popen(command.c_str(), "r");
  ToolRun run{-1, {}};
  if (pipe == nullptr) return run;
  std::array<char, 256> buffer{};
  while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) run.out += buffer.data();
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace testing_support
