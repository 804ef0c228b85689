// FlashDumpJob: the header layout's dump as an image file, its two read shapes, and failures.

#include <gtest/gtest.h>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using namespace transfer;

class FlashDumpTest : public TransferTest {
 protected:
  void SetUp() override {
    camera_ = AddDefaultCamera();
    OpenSession();
  }
  std::vector<uint8_t>& memory() { return camera_->flash().memory(); }
  std::shared_ptr<sim::Camera> camera_;
};

// The update flow's dump after a download: no window, 128 KB into "Dump.bin_".
TEST_F(FlashDumpTest, DumpAfterADownloadIsAnImageFile) {
  const std::vector<uint8_t> payload = RawPayload(5000);
  ASSERT_TRUE(RunDownload(DownloadRecord(2, WriteFile("image.bin", ImageFile(payload)))));
  UploadJobRecord dump = UploadRecord(2, 0, 131072, PathOf("Dump.bin_"));
  dump.window = nullptr;
  ASSERT_NE(StartFirmwareUpload(dump), nullptr);
  WaitForWorkerToEnd();

  const std::vector<uint8_t> file = ReadFile(PathOf("Dump.bin_"));
  ASSERT_EQ(file.size(), 131076u);
  EXPECT_TRUE(FileCrcOk(PathOf("Dump.bin_").c_str()));
  EXPECT_TRUE(std::equal(file.begin() + 4, file.end(), memory().begin()));
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), file.begin() + 4));
}

TEST_F(FlashDumpTest, UpTo64KbReadsFromTheAddress) {
  ASSERT_TRUE(RunUpload(UploadRecord(2, 0x1000, 65536, PathOf("d.bin"))));
  const std::vector<uint8_t> file = ReadFile(PathOf("d.bin"));
  ASSERT_EQ(file.size(), 65540u);
  EXPECT_TRUE(std::equal(file.begin() + 4, file.end(), memory().begin() + 0x1000));
  EXPECT_TRUE(FileCrcOk(PathOf("d.bin").c_str()));
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(events, (std::vector<Event>{{SetTotal, 65536},
                                        {ReadStart, 0},
                                        {UploadDone, 0},
                                        {Elapsed, ValueOf(events, Elapsed)},
                                        {WriteProgress, 65536}}));
}

// Above 64 KB the address is not used: two halves from 0, with a 100 ms pause between.
TEST_F(FlashDumpTest, Above64KbReadsTwoHalvesFromZero) {
  // Reads alone take no virtual time here, so the time between the halves is the pause.
  hid().SetLatencyMs(0);
  std::vector<uint32_t> halves;
  window().SetHook([&](const Event& event) {
    if (event.code == SetTotal && event.value == 65536) halves.push_back(clock().TickCount());
  });
  ASSERT_TRUE(RunUpload(UploadRecord(2, 0x1000, 65537, PathOf("d.bin"))));
  const std::vector<uint8_t> file = ReadFile(PathOf("d.bin"));
  ASSERT_EQ(file.size(), 65541u);
  EXPECT_TRUE(std::equal(file.begin() + 4, file.end(), memory().begin()));
  EXPECT_TRUE(FileCrcOk(PathOf("d.bin").c_str()));
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(events, (std::vector<Event>{{SetTotal, 65537},
                                        {ReadStart, 0},
                                        {SetTotal, 65536},
                                        {SetTotal, 65536},
                                        {UploadDone, 0},
                                        {Elapsed, ValueOf(events, Elapsed)},
                                        {WriteProgress, 65537}}));
  ASSERT_EQ(halves.size(), 2u);
  EXPECT_EQ(halves[1] - halves[0], 100u);
}

TEST_F(FlashDumpTest, LargestDumpKeepsZerosBeyond128Kb) {
  ASSERT_TRUE(RunUpload(UploadRecord(2, 0, 262144, PathOf("d.bin"))));
  const std::vector<uint8_t> file = ReadFile(PathOf("d.bin"));
  ASSERT_EQ(file.size(), 262148u);
  EXPECT_TRUE(std::equal(file.begin() + 4, file.begin() + 4 + 131072, memory().begin()));
  EXPECT_TRUE(std::all_of(file.begin() + 4 + 131072, file.end(), [](uint8_t b) { return b == 0; }));
  EXPECT_TRUE(BufferCrcOk(file.data(), static_cast<int32_t>(file.size())));
}

TEST_F(FlashDumpTest, HeaderReadFailure) {
  hid().FailFrom(1);
  ASSERT_TRUE(RunUpload(UploadRecord(2, 0, 1024, PathOf("d.bin"))));
  EXPECT_EQ(window().Events(), (std::vector<Event>{{DeviceAccessFailed, 0}}));
  EXPECT_FALSE(std::filesystem::exists(PathOf("d.bin")));
}

TEST_F(FlashDumpTest, SecondHalfReadFailure) {
  int halves = 0;
  window().SetHook([&](const Event& event) {
    if (event.code == SetTotal && event.value == 65536 && ++halves == 2) hid().FailFrom(1);
  });
  ASSERT_TRUE(RunUpload(UploadRecord(2, 0, 131072, PathOf("d.bin"))));
  EXPECT_EQ(window().Events().back(), (Event{DeviceAccessFailed, 0}));
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{DeviceAccessFailed, 0}}));
  EXPECT_FALSE(std::filesystem::exists(PathOf("d.bin")));
}

TEST_F(FlashDumpTest, DumpIntoAFullDevice) {
  ASSERT_TRUE(RunUpload(UploadRecord(2, 0, 1024, "/dev/full")));
  EXPECT_EQ(window().Events().back(), (Event{FileWriteFailed, 0}));
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{FileWriteFailed, 0}}));
}

}  // namespace
}  // namespace transfer_testing
