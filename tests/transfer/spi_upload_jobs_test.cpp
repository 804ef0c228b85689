// SpiUploadJob and SpiFullDumpJob: the boot-record layout read back from SPI flash.

#include <gtest/gtest.h>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using namespace transfer;

class SpiUploadTest : public TransferTest {
 protected:
  void SetUp() override {
    camera_ = AddOlderCamera(true, false);
    OpenSession();
  }
  std::vector<uint8_t>& memory() { return camera_->flash().memory(); }
  std::shared_ptr<sim::Camera> camera_;
};

// Upload address 0 with the file's length, or 0xFFFF through the boot record: either way the
// file that SpiImageDownloadJob wrote comes back unchanged.
TEST_F(SpiUploadTest, DownloadedImageComesBackAsItsFile) {
  const std::vector<uint8_t> file = ImageFile(Pattern(1196, 3));
  DownloadJobRecord download = DownloadRecord(0, WriteFile("image.bin", file));
  download.imageType = 5;
  download.imageFlags = 0x01;
  ASSERT_TRUE(RunDownload(download));

  for (uint32_t address : {0u, 0xFFFFu}) {
    RecordingWindow events;
    UploadJobRecord upload = UploadRecord(0, address, 1200, PathOf("up.bin"));
    upload.window = &events;
    ASSERT_TRUE(RunUpload(upload));
    EXPECT_EQ(ReadFile(PathOf("up.bin")), file) << address;
    const std::vector<Event> posted = events.Events();
    EXPECT_EQ(posted, (std::vector<Event>{{SetTotal, 1200},
                                          {ReadStart, 0},
                                          {UploadDone, 0},
                                          {Elapsed, ValueOf(posted, Elapsed)}}));
  }
}

// Another address reads the second copy and its block at 0x2000.
TEST_F(SpiUploadTest, SecondCopyTakesTheBlockAt0x2000) {
  const std::vector<uint8_t> image = Pattern(600, 4);
  std::copy(image.begin(), image.end(), memory().begin() + 0x5000 + 0x1000);
  const std::vector<uint8_t> block = Pattern(256, 99);
  std::copy(block.begin(), block.end(), memory().begin() + 0x2000);
  ASSERT_TRUE(RunUpload(UploadRecord(0, 0x1000, 600, PathOf("up.bin"))));
  EXPECT_EQ(ValueOf(window().Events(), ReadStart), 1);
  const std::vector<uint8_t> up = ReadFile(PathOf("up.bin"));
  ASSERT_EQ(up.size(), 600u);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), up.begin() + 84));
  EXPECT_TRUE(std::equal(image.begin() + 340, image.end(), up.begin() + 340));
  EXPECT_TRUE(FileCrcOk(PathOf("up.bin").c_str()));
}

TEST_F(SpiUploadTest, ReadFailureLeavesNoFile) {
  // Not before the start: a failed read of register 0x05 would choose the EEPROM upload.
  window().SetHook([&](const Event& event) {
    if (event.code == ReadStart) hid().FailFrom(1);
  });
  ASSERT_TRUE(RunUpload(UploadRecord(0, 0, 600, PathOf("up.bin"))));
  EXPECT_EQ(window().Events(),
            (std::vector<Event>{{SetTotal, 600}, {ReadStart, 0}, {DeviceAccessFailed, 0}}));
  EXPECT_FALSE(std::filesystem::exists(PathOf("up.bin")));
}

TEST_F(SpiUploadTest, FullDumpCopiesTheFirst64Kb) {
  const std::vector<uint8_t> old = Pattern(0x10000, 0x33);
  std::copy(old.begin(), old.end(), memory().begin());
  ASSERT_TRUE(RunUpload(UploadRecord(0, 0x1234, 10, PathOf("full.bin"), 1)));
  EXPECT_EQ(ReadFile(PathOf("full.bin")), old);
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(events, (std::vector<Event>{{SetTotal, 65535},
                                        {ReadStart, 0},
                                        {UploadDone, 0},
                                        {Elapsed, ValueOf(events, Elapsed)}}));
}

TEST_F(SpiUploadTest, FullDumpIntoAFullDevice) {
  ASSERT_TRUE(RunUpload(UploadRecord(0, 0, 0, "/dev/full", 1)));
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{FileWriteFailed, 0}}));
}

}  // namespace
}  // namespace transfer_testing
