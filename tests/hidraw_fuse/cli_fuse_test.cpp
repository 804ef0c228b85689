// tavelin-fw end to end through the hidraw code: the tool runs as a user runs it, on the
// machine's own HID backend, pointed at a fixture tree whose node this process serves from
// the simulated camera.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/hidraw_fuse/served_camera.h"

namespace {

struct ToolRun {
  int exitCode;
  std::string out;
};

class CliFuseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    if (!served_.Mount(error)) GTEST_SKIP() << "FUSE cannot mount here: " << error;
  }

  ToolRun Run(const std::string& arguments) {
    const std::string command =
        served_.Environment() + " " + TAVELIN_FW + " " + arguments + " 2>&1 </dev/null";
    ToolRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) run.out += buffer.data();
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  testing_support::ServedCamera served_;
};

TEST_F(CliFuseTest, ListFindsTheCameraOnHid) {
  const ToolRun run = Run("list");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out, "kind: Hid\ncount: 1\nslot 0: chip generation 2\n");
}

TEST_F(CliFuseTest, InfoReadsTheFlashAndTheIdentity) {
  const ToolRun run = Run("info");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  for (const char* line : {"flash: WinBond 20X40 - 4Mbit, 524288 bytes, page 256 bytes\n",
                           "firmware version: 0x0102\n", "product: TAVELIN Q2\n"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
  }
}

TEST_F(CliFuseTest, UpdateWritesTheImageIntoTheCamerasFlash) {
  const std::string image = served_.tree().root() + "/tavelin-q2-0105.bin";
  const ToolRun made = Run("image make " + image + " --version 0105 --pid 0003 --size 65536");
  ASSERT_EQ(made.exitCode, 0) << made.out;

  const ToolRun update = Run("update " + image + " --yes");
  EXPECT_EQ(update.exitCode, 0) << update.out;
  EXPECT_NE(update.out.find("update done"), std::string::npos) << update.out;

  // The flash holds the image's payload from address 0 (the file's first 4 bytes are its
  // CRC-32), and the camera now reports the new version.
  std::ifstream file(image, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 65536u);
  const std::vector<uint8_t> flash = served_.FlashMemory();
  EXPECT_TRUE(std::equal(bytes.begin() + 4, bytes.end(), flash.begin()));
  const ToolRun info = Run("info");
  EXPECT_NE(info.out.find("firmware version: 0x0105\n"), std::string::npos) << info.out;
}

TEST_F(CliFuseTest, WatchListsTheCameraAndEndsAtItsTimeout) {
  const ToolRun run = Run("watch --timeout 0.2");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out.rfind("list: kind Hid, count 1, slot 0: chip generation 2\n", 0), 0u)
      << run.out;
}

TEST_F(CliFuseTest, RefusedOpenSaysAccessDeniedAndWhatToDo) {
  served_.server().RefuseOpens(testing_support::ServedCamera::kNode, EACCES);
  const ToolRun run = Run("list");
  EXPECT_EQ(run.exitCode, 3) << run.out;
  EXPECT_NE(run.out.find("access denied to " + served_.nodePath()), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("70-tavelin-camera.rules"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("no camera found"), std::string::npos) << run.out;
}

}  // namespace
