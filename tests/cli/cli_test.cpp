// The command-line tool as a user runs it.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/run_tool.h"

namespace {

using testing_support::ToolRun;

ToolRun RunTool(const std::string& arguments) {
  return testing_support::RunProgram(TAVELIN_FW, arguments);
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

TEST(CliTest, InfoShowsTheFactoryIdentity) {
  const ToolRun run = RunTool("--simulate info");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  for (const char* line : {"flash: WinBond 20X40 - 4Mbit, 524288 bytes, page 256 bytes\n",
                           "firmware version: 0x0102\n", "chip name: VX5290\n", "layout: 1\n",
                           "product id: 0x0003\n", "product: TAVELIN Q2\n"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
  }
  const ToolRun json = RunTool("--simulate info --json");
  EXPECT_EQ(json.exitCode, 0) << json.out;
  EXPECT_NE(json.out.find("\"product\": \"TAVELIN Q2\""), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"firmwareVersion\": \"0x0102\""), std::string::npos) << json.out;
}

class SimFlashFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavelin-cli-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    file_ = directory_ + "/flash.bin";
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::string directory_;
  std::string file_;
};

TEST_F(SimFlashFileTest, IdentityChangeLastsIntoTheNextRun) {
  const ToolRun set = RunTool("--simulate --sim-flash " + file_ +
                              " identity set --serial X-77 --pid 8021 --vendor 'Tävelin'");
  ASSERT_EQ(set.exitCode, 0) << set.out;
  EXPECT_EQ(std::filesystem::file_size(file_), 524288u);
  const ToolRun info = RunTool("--simulate --sim-flash " + file_ + " info");
  EXPECT_NE(info.out.find("serial: X-77\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("product id: 0x8021\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("vendor: Tävelin\n"), std::string::npos) << info.out;
  EXPECT_EQ(RunTool("--simulate info").out.find("X-77"), std::string::npos)
      << "without the file the camera starts from the factory contents";
}

TEST_F(SimFlashFileTest, RefusedInputChangesNothing) {
  ASSERT_EQ(RunTool("--simulate --sim-flash " + file_ + " info").exitCode, 0);
  const ToolRun tooLong =
      RunTool("--simulate --sim-flash " + file_ + " identity set --serial " + std::string(31, 'S'));
  EXPECT_EQ(tooLong.exitCode, 4) << tooLong.out;
  EXPECT_NE(tooLong.out.find("does not fit"), std::string::npos) << tooLong.out;
  EXPECT_EQ(RunTool("--simulate identity set --vid 12345").exitCode, 4);
  EXPECT_EQ(RunTool("--simulate identity set").exitCode, 2);
  EXPECT_EQ(RunTool("--sim-flash " + file_ + " info").exitCode, 64) << "needs --simulate";
  EXPECT_NE(RunTool("--simulate --sim-flash " + file_ + " info").out.find("serial: Q2S0000417"),
            std::string::npos);
}

TEST_F(SimFlashFileTest, FlashFileOfTheWrongSizeIsRefusedAndKept) {
  {
    std::FILE* f = std::fopen(file_.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("short", f);
    std::fclose(f);
  }
  const ToolRun run = RunTool("--simulate --sim-flash " + file_ + " info");
  EXPECT_EQ(run.exitCode, 1) << run.out;
  EXPECT_NE(run.out.find("--sim-flash"), std::string::npos) << run.out;
  EXPECT_EQ(std::filesystem::file_size(file_), 5u);
}

TEST(CliTest, UsageErrorsExitSixtyFourAndHelpZero) {
  EXPECT_EQ(RunTool("").exitCode, 64);
  EXPECT_EQ(RunTool("frobnicate").exitCode, 64);
  const ToolRun help = RunTool("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--simulate"), std::string::npos) << help.out;
}

}  // namespace
