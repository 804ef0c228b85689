// The command-line tool as a user runs it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

struct ToolRun {
  int exitCode;
  std::string out;
};

ToolRun RunTool(const std::string& arguments) {
  const std::string command = std::string(TAVELIN_FW) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ToolRun run{-1, {}};
  if (pipe == nullptr) return run;
  std::array<char, 256> buffer{};
  while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) run.out += buffer.data();
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(CliTest, SimulatedCameraIsListedOnHidWithChipGenerationTwo) {
  const ToolRun run = RunTool("--simulate list");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out, "kind: Hid\ncount: 1\nslot 0: chip generation 2\n");
}

TEST(CliTest, NoCameraExitsThree) {
  const ToolRun run = RunTool("list");
  EXPECT_EQ(run.exitCode, 3) << run.out;
  EXPECT_NE(run.out.find("no camera found"), std::string::npos) << run.out;
}

TEST(CliTest, TraceShowsTheLibrarysLines) {
  const ToolRun run = RunTool("--simulate --trace list");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("trace: vxVidHidCls_Init Is HID Device"), std::string::npos) << run.out;
}

TEST(CliTest, UsageErrorsExitTwoAndHelpZero) {
  EXPECT_EQ(RunTool("").exitCode, 2);
  EXPECT_EQ(RunTool("frobnicate").exitCode, 2);
  const ToolRun help = RunTool("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--simulate"), std::string::npos) << help.out;
}

}  // namespace
