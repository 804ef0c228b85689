// update, dump and --sim-log as a user runs them against the simulated camera.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/run_tool.h"
#include "transfer/crc32.h"

namespace {

using testing_support::ToolRun;

ToolRun RunTool(const std::string& arguments) {
  return testing_support::RunProgram(TAVELIN_FW, arguments);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool Has(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

class UpdateCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavelin-update-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    flash_ = directory_ + "/flash.bin";
    image_ = directory_ + "/new.bin";
    ASSERT_EQ(RunTool("image make " + image_ + " --version 0105 --pid 3").exitCode, 0);
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::string Camera() const { return "--simulate --sim-flash " + flash_ + " "; }

  std::string directory_;
  std::string flash_;
  std::string image_;
};

TEST_F(UpdateCommandTest, UpdateLeavesTheImageInFlashAndTheNewVersionShows) {
  const ToolRun update = RunTool(Camera() + "update " + image_ + " --yes");
  ASSERT_EQ(update.exitCode, 0) << update.out;
  for (const char* phase : {"erase: ", "write: ", "verify: "}) {
    EXPECT_TRUE(Has(update.out, phase)) << phase << update.out;
  }
  EXPECT_TRUE(Has(update.out, "now holds firmware 0x0105")) << update.out;

  // The flash holds the image's payload from address 0, byte for byte.
  const std::vector<uint8_t> file = ReadFile(image_);
  const std::vector<uint8_t> flash = ReadFile(flash_);
  ASSERT_GT(flash.size(), file.size());
  EXPECT_TRUE(std::equal(file.begin() + 4, file.end(), flash.begin()));

  EXPECT_TRUE(Has(RunTool(Camera() + "info").out, "firmware version: 0x0105\n"));
  const ToolRun again = RunTool(Camera() + "update " + image_ + " --yes");
  EXPECT_EQ(again.exitCode, 2) << "up to date: nothing to do\n" << again.out;
}

TEST_F(UpdateCommandTest, WithoutATerminalOrYesNothingIsWritten) {
  ASSERT_EQ(RunTool(Camera() + "info").exitCode, 0);
  const std::vector<uint8_t> before = ReadFile(flash_);
  const ToolRun run = RunTool(Camera() + "update " + image_ + " < /dev/null");
  EXPECT_EQ(run.exitCode, 4) << run.out;
  EXPECT_TRUE(Has(run.out, "--yes")) << run.out;
  EXPECT_EQ(ReadFile(flash_), before);
}

TEST_F(UpdateCommandTest, ImagesThatAreNotForThisCameraAreRefused) {
  const std::string other = directory_ + "/other.bin";
  ASSERT_EQ(RunTool("image make " + other + " --version 0200 --pid 8021").exitCode, 0);
  const ToolRun run = RunTool(Camera() + "update " + other + " --yes --json");
  EXPECT_EQ(run.exitCode, 4) << run.out;
  EXPECT_TRUE(Has(run.out, "\"outcome\": \"other-model\"")) << run.out;

  std::vector<uint8_t> broken = ReadFile(image_);
  broken[100] ^= 0xFF;  // the checksum no longer fits
  const std::string bad = directory_ + "/bad.bin";
  std::ofstream(bad, std::ios::binary)
      .write(reinterpret_cast<const char*>(broken.data()),
             static_cast<std::streamsize>(broken.size()));
  EXPECT_EQ(RunTool(Camera() + "update " + bad + " --yes").exitCode, 4);
}

TEST_F(UpdateCommandTest, JsonNamesTheClosingEvent) {
  const ToolRun run = RunTool(Camera() + "update " + image_ + " --yes --json");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_TRUE(Has(run.out, "\"name\": \"DownloadDone\"")) << run.out;
  EXPECT_TRUE(Has(run.out, "\"newVersion\": \"0x0105\"")) << run.out;
}

TEST_F(UpdateCommandTest, DumpWritesAnImageFileWhoseChecksumHolds) {
  const std::string dump = directory_ + "/dump.bin";
  const ToolRun run = RunTool(Camera() + "dump " + dump);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  const std::vector<uint8_t> file = ReadFile(dump);
  ASSERT_EQ(file.size(), 131076u);
  const uint32_t stored = file[0] | file[1] << 8 | file[2] << 16 | uint32_t{file[3]} << 24;
  EXPECT_EQ(stored, transfer::Crc32(0, file.data() + 4, file.size() - 4));
  const std::vector<uint8_t> flash = ReadFile(flash_);
  EXPECT_TRUE(std::equal(file.begin() + 4, file.end(), flash.begin()));
}

TEST_F(UpdateCommandTest, SimLogShowsEveryTransfer) {
  const std::string log = directory_ + "/wire.log";
  ASSERT_EQ(RunTool("--simulate --sim-log " + log + " list").exitCode, 0);
  std::ifstream in(log);
  std::string first, second;
  std::getline(in, first);
  std::getline(in, second);
  EXPECT_EQ(first, "set 87 08000004");  // the chip-generation probe
  EXPECT_EQ(second, "get 93 b2530100" + std::string(72, '0'));
}

}  // namespace
