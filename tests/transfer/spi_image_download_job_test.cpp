// SpiImageDownloadJob: the boot-record layout in SPI flash, event by event and byte by byte.

#include <gtest/gtest.h>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using namespace transfer;

class SpiImageDownloadTest : public TransferTest {
 protected:
  void SetUp() override {
    camera_ = AddOlderCamera(true, false);
    OpenSession();
    // Whatever was there before: every byte the job does not write must show what it did.
    std::vector<uint8_t>& memory = camera_->flash().memory();
    const std::vector<uint8_t> old = Pattern(0x20000, 0x40);
    std::copy(old.begin(), old.end(), memory.begin());
  }

  DownloadJobRecord Record(const std::vector<uint8_t>& file) {
    DownloadJobRecord record = DownloadRecord(0, WriteFile("image.bin", file));
    record.imageType = 5;
    record.imageFlags = 0x01;  // as the update flow passes them
    return record;
  }

  std::shared_ptr<sim::Camera> camera_;
};

std::vector<uint8_t> ExpectedStore(const std::vector<uint8_t>& file,
                                   const std::vector<uint8_t>& record,
                                   const std::vector<uint8_t>& before) {
  std::vector<uint8_t> expected = before;
  std::fill(expected.begin(), expected.begin() + 0x10000, uint8_t{0xFF});
  std::copy(record.begin(), record.end(), expected.begin());
  std::vector<uint8_t> padded = file;
  padded.resize(340, 0x00);  // a short file's block comes from the zero-filled buffer
  std::copy(padded.begin() + 84, padded.begin() + 340, expected.begin() + 0x1000);
  std::copy(file.begin(), file.end(), expected.begin() + 0x5000);
  return expected;
}

class SpiImageSizeTest : public SpiImageDownloadTest,
                         public ::testing::WithParamInterface<size_t> {};

// Shorter than the block, exactly the block, longer: the read-back buffer holds both reads.
TEST_P(SpiImageSizeTest, StoreMapAndEvents) {
  const size_t length = GetParam();
  const std::vector<uint8_t> file = ImageFile(Pattern(length - 4, 7));
  const std::vector<uint8_t> before = camera_->flash().memory();
  ASSERT_TRUE(RunDownload(Record(file)));

  const auto& memory = camera_->flash().memory();
  EXPECT_TRUE(memory == ExpectedStore(file, {0x26, 0x50, 0x01, 0x00}, before));
  EXPECT_EQ(camera_->flash().status() & 0x0C, 0x0C) << "protected again";

  const std::vector<Event> events = window().Events();
  std::vector<Event> expected = {{SetTotal, 65535}, {WriteProgress, 0}};
  for (int32_t sector = 0; sector < 0x10000; sector += 0x1000) {
    expected.push_back({WriteProgress, sector});
  }
  const auto n = static_cast<int32_t>(length);
  expected.insert(expected.end(), {{WriteStart, 0},
                                   {SetTotal, n},
                                   {WriteProgress, 0},
                                   {WriteProgress, 0},  // the image's EraseAndProgram
                                   {SetTotal, n},
                                   {VerifyStart, 0},
                                   {WriteProgress, 0},  // the boot record's
                                   {SetTotal, 4},
                                   {DownloadDone, 0},
                                   {Elapsed, ValueOf(events, Elapsed)}});
  EXPECT_EQ(events, expected);
  EXPECT_GT(ValueOf(events, Elapsed), 0);
}

INSTANTIATE_TEST_SUITE_P(Lengths, SpiImageSizeTest, ::testing::Values(100, 256, 3000));

TEST_F(SpiImageDownloadTest, OptionByteTakesFlagBitsZeroAndTwo) {
  const std::vector<uint8_t> file = ImageFile(Pattern(500, 2));
  DownloadJobRecord record = Record(file);
  record.imageFlags = 0xFF;
  ASSERT_TRUE(RunDownload(record));
  const auto& memory = camera_->flash().memory();
  EXPECT_EQ(std::vector<uint8_t>(memory.begin(), memory.begin() + 4),
            (std::vector<uint8_t>{0x26, 0x50, 0x05, 0x00}));
}

TEST_F(SpiImageDownloadTest, MismatchLeavesNoBootRecordAndProtects) {
  camera_->flash().SetCorruptPrograms(true);
  ASSERT_TRUE(RunDownload(Record(ImageFile(Pattern(500, 2)))));
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(Closings(events), (std::vector<Event>{{DownloadFailed, 0}}));
  EXPECT_EQ(events.back(), (Event{DownloadFailed, 0}));
  EXPECT_EQ(ValueOf(events, Elapsed), -1);
  const auto& memory = camera_->flash().memory();
  EXPECT_EQ(std::vector<uint8_t>(memory.begin(), memory.begin() + 4),
            (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(camera_->flash().status() & 0x0C, 0x0C) << "protected again after a mismatch";
}

struct SpiFaultCase {
  const char* name;
  uint16_t at;  // the fault strikes when the job posts this code with this value
  int32_t atValue;
  void (*inject)(sim::Camera&);
};

class SpiImageFaultTest : public SpiImageDownloadTest,
                          public ::testing::WithParamInterface<SpiFaultCase> {};

TEST_P(SpiImageFaultTest, DeviceAccessFailedAndNothingElse) {
  const SpiFaultCase& c = GetParam();
  bool struck = false;
  window().SetHook([&](const Event& event) {
    if (!struck && event.code == c.at && event.value == c.atValue) {
      struck = true;
      c.inject(*camera_);
    }
  });
  ASSERT_TRUE(RunDownload(Record(ImageFile(Pattern(500, 2)))));
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(Closings(events), (std::vector<Event>{{DeviceAccessFailed, 0}}));
  EXPECT_EQ(events.back(), (Event{DeviceAccessFailed, 0}));
  EXPECT_EQ(ValueOf(events, Elapsed), -1);
  const auto& memory = camera_->flash().memory();
  EXPECT_NE(memory[0], 0x26) << "no boot record";
}

void StuckBusy(sim::Camera& camera) {
  camera.flash().SetStuckBusy(true);
}
// Reads still work, but the boot record's write cannot identify the part any more.
void Unidentified(sim::Camera& camera) {
  const uint8_t none[3] = {0xFF, 0xFF, 0xFF};
  camera.flash().SetIdentification(none);
}

INSTANTIATE_TEST_SUITE_P(
    Phases, SpiImageFaultTest,
    ::testing::Values(SpiFaultCase{"FirstErase", SetTotal, 65535, StuckBusy},
                      SpiFaultCase{"LastErase", WriteProgress, 0xE000, StuckBusy},
                      SpiFaultCase{"ImageWrite", WriteStart, 0, StuckBusy},
                      SpiFaultCase{"BootRecordWrite", VerifyStart, 0, Unidentified}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace transfer_testing
