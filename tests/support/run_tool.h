#pragma once
// Runs a program of the build as a user would, through the shell, and collects what it says.

#include <string>

namespace testing_support {

struct ToolRun {
  int exitCode;     // -1 when it did not exit normally
  std::string out;  // standard output, and standard error too unless left out
};

ToolRun RunProgram(const std::string& program, const std::string& arguments,
                   bool withStderr = true);

}  // namespace testing_support
