// EepromUploadJob: the EEPROM read back into an image file or as stored, its events, and its
// failures.

#include <gtest/gtest.h>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using namespace transfer;

class EepromUploadTest : public TransferTest {
 protected:
  void SetUp() override {
    camera_ = AddOlderCamera(false, true);
    OpenSession();
  }
  std::vector<uint8_t>& eeprom() { return camera_->eeprom()->memory(); }
  std::shared_ptr<sim::Camera> camera_;
};

// What an EEPROM download stored comes back as the image file it came from.
TEST_F(EepromUploadTest, DownloadedImageComesBackAsItsFile) {
  const std::vector<uint8_t> file = ImageFile(Pattern(96, 3));
  DownloadJobRecord download = DownloadRecord(0, WriteFile("image.bin", file));
  download.imageType = 5;
  download.imageFlags = 0x01;
  ASSERT_TRUE(RunDownload(download));
  RecordingWindow events;
  UploadJobRecord upload = UploadRecord(0, 0xFFFF, 100, PathOf("up.bin"));
  upload.window = &events;
  ASSERT_TRUE(RunUpload(upload));

  EXPECT_EQ(ReadFile(PathOf("up.bin")), file);
  const std::vector<Event> posted = events.Events();
  EXPECT_EQ(posted, (std::vector<Event>{{SetTotal, 100},
                                        {ReadStart, 0},
                                        {ReadProgress, 0},
                                        {ReadProgress, 32},
                                        {ReadProgress, 64},
                                        {ReadProgress, 96},
                                        {ReadProgress, 100},
                                        {UploadDone, 0},
                                        {Elapsed, ValueOf(posted, Elapsed)}}));
}

TEST_F(EepromUploadTest, RawCopyCarriesTheStoredBootRecord) {
  const std::vector<uint8_t> record = {0x26, 0x10, 0x03, 0x00};  // image at 0x1000
  std::copy(record.begin(), record.end(), eeprom().begin());
  const std::vector<uint8_t> image = Pattern(64, 5);
  std::copy(image.begin(), image.end(), eeprom().begin() + 0x1000);
  ASSERT_TRUE(RunUpload(UploadRecord(0, 0xFFFF, 64, PathOf("raw.bin"), 1)));
  EXPECT_EQ(ValueOf(window().Events(), ReadStart), 1) << "read from the second copy";
  std::vector<uint8_t> expected = image;
  expected[0] = 0x26;
  expected[1] = 0x00;  // the record as it reads at offset 0 of the copy
  expected[2] = 0x03;
  expected[3] = 0x00;
  EXPECT_EQ(ReadFile(PathOf("raw.bin")), expected);
}

TEST_F(EepromUploadTest, GivenAddressIsReadDirectly) {
  const std::vector<uint8_t> image = ImageFile(Pattern(60, 5));
  std::copy(image.begin(), image.end(), eeprom().begin() + 0x7000);
  ASSERT_TRUE(RunUpload(UploadRecord(0, 0x7000, 64, PathOf("up.bin"))));
  EXPECT_EQ(ReadFile(PathOf("up.bin")), image);
  EXPECT_EQ(ValueOf(window().Events(), ReadStart), 1);
  EXPECT_TRUE(FileCrcOk(PathOf("up.bin").c_str()));
}

TEST_F(EepromUploadTest, ReadFailureLeavesNoFile) {
  hid().FailFrom(1);
  ASSERT_TRUE(RunUpload(UploadRecord(0, 0, 64, PathOf("up.bin"))));
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(Closings(events), (std::vector<Event>{{DeviceAccessFailed, 0}}));
  EXPECT_EQ(events.back(), (Event{DeviceAccessFailed, 0}));
  EXPECT_FALSE(std::filesystem::exists(PathOf("up.bin")));
}

// The boot record is read after the file is created: a failure there leaves it empty.
TEST_F(EepromUploadTest, BootRecordReadFailureLeavesAnEmptyFile) {
  window().SetHook([&](const Event& event) {
    if (event.code == ReadProgress && event.value == 64) hid().FailFrom(1);
  });
  // Two progress events carry 64: the last full piece and the closing one.
  ASSERT_TRUE(RunUpload(UploadRecord(0, 0, 64, PathOf("up.bin"), 1)));
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{DeviceAccessFailed, 0}}));
  ASSERT_TRUE(std::filesystem::exists(PathOf("up.bin")));
  EXPECT_EQ(std::filesystem::file_size(PathOf("up.bin")), 0u);
}

// A file that cannot be created, and one whose bytes find no room (only the close tells).
TEST_F(EepromUploadTest, FileWriteFailures) {
  for (const std::string& path : {PathOf("no-such-dir/up.bin"), std::string("/dev/full")}) {
    RecordingWindow events;
    UploadJobRecord upload = UploadRecord(0, 0, 64, path);
    upload.window = &events;
    ASSERT_TRUE(RunUpload(upload));
    EXPECT_EQ(Closings(events.Events()), (std::vector<Event>{{FileWriteFailed, 0}})) << path;
    EXPECT_EQ(events.Events().back(), (Event{FileWriteFailed, 0})) << path;
  }
}

}  // namespace
}  // namespace transfer_testing
