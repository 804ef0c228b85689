// EepromImageDownloadJob: the boot-record layout in the I2C EEPROM, event by event and byte by
// byte, with its clear sizes and its faults.

#include <gtest/gtest.h>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using namespace transfer;

class EepromImageDownloadTest : public TransferTest {
 protected:
  void SetUp() override {
    camera_ = AddOlderCamera(false, true);
    OpenSession();
    std::vector<uint8_t>& memory = eeprom();
    std::fill(memory.begin(), memory.end(), uint8_t{0x55});
  }
  std::vector<uint8_t>& eeprom() { return camera_->eeprom()->memory(); }

  DownloadJobRecord Record(const std::vector<uint8_t>& file, uint8_t type, uint8_t flags) {
    DownloadJobRecord record = DownloadRecord(0, WriteFile("image.bin", file));
    record.imageType = type;
    record.imageFlags = flags;
    return record;
  }

  // Progress after every full piece of 32, then the closing value.
  static void AddPieces(std::vector<Event>& events, uint16_t code, uint32_t length,
                        int32_t closing) {
    for (uint32_t at = 32; at <= length; at += 32) events.push_back({code, int32_t(at)});
    events.push_back({code, closing});
  }

  std::shared_ptr<sim::Camera> camera_;
};

TEST_F(EepromImageDownloadTest, StoreMapAndEvents) {
  const std::vector<uint8_t> file = ImageFile(Pattern(96, 3));  // 100 bytes: a short last piece
  ASSERT_TRUE(RunDownload(Record(file, 5, 0x01)));

  std::vector<uint8_t> expected(32768, 0x55);
  std::fill(expected.begin(), expected.begin() + 16384, uint8_t{0xFF});
  std::copy(file.begin(), file.end(), expected.begin());
  const std::vector<uint8_t> record = {0x26, 0x00, 0x03, 0x00};
  std::copy(record.begin(), record.end(), expected.begin());
  EXPECT_TRUE(eeprom() == expected);

  const std::vector<Event> events = window().Events();
  std::vector<Event> want = {{SetTotal, 16384}, {WriteProgress, 0}};
  AddPieces(want, WriteProgress, 16384, 100);
  want.insert(want.end(), {{WriteStart, 0}, {SetTotal, 100}, {WriteProgress, 0}});
  AddPieces(want, WriteProgress, 100, 100);
  want.insert(want.end(), {{VerifyStart, 0}, {VerifyProgress, 0}});
  AddPieces(want, VerifyProgress, 100, 100);
  want.insert(want.end(), {{DownloadDone, 0}, {Elapsed, ValueOf(events, Elapsed)}});
  EXPECT_EQ(events, want);
  EXPECT_GT(ValueOf(events, Elapsed), 0);
}

struct ClearCase {
  uint8_t type;
  uint8_t flags;
  uint32_t clearSize;
  uint8_t option;  // byte 2 of the boot record
};

class EepromClearTest : public EepromImageDownloadTest,
                        public ::testing::WithParamInterface<ClearCase> {};

TEST_P(EepromClearTest, ClearSizeAndBootRecord) {
  const ClearCase& c = GetParam();
  const std::vector<uint8_t> file = ImageFile(Pattern(60, 8));
  ASSERT_TRUE(RunDownload(Record(file, c.type, c.flags)));
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{DownloadDone, 0}}));
  EXPECT_EQ(ValueOf(window().Events(), SetTotal), static_cast<int32_t>(c.clearSize));
  EXPECT_EQ(std::vector<uint8_t>(eeprom().begin(), eeprom().begin() + 4),
            (std::vector<uint8_t>{0x26, 0x00, c.option, 0x00}));
  EXPECT_TRUE(std::equal(file.begin() + 4, file.end(), eeprom().begin() + 4));
  EXPECT_EQ(eeprom()[c.clearSize - 1], 0xFF);
  if (c.clearSize < eeprom().size()) {
    EXPECT_EQ(eeprom()[c.clearSize], 0x55);
  }
}

// Bit 1 of the option is set for types 5, 7 and 8 unless imageFlags bit 1 is; types above 8
// clear the whole EEPROM.
INSTANTIATE_TEST_SUITE_P(
    Types, EepromClearTest,
    ::testing::Values(ClearCase{0, 0x00, 4096, 0x00}, ClearCase{1, 0x07, 4096, 0x05},
                      ClearCase{2, 0x04, 8192, 0x04}, ClearCase{3, 0xF8, 8192, 0x00},
                      ClearCase{4, 0x01, 16384, 0x01}, ClearCase{5, 0x02, 16384, 0x00},
                      ClearCase{6, 0x01, 32768, 0x01}, ClearCase{7, 0x04, 32768, 0x06},
                      ClearCase{8, 0x00, 32768, 0x02}, ClearCase{9, 0x01, 32768, 0x01}));

TEST_F(EepromImageDownloadTest, MismatchKeepsTheChecksumInPlaceOfTheBootRecord) {
  const std::vector<uint8_t> file = ImageFile(Pattern(196, 3));
  window().SetHook([&](const Event& event) {
    if (event.code == VerifyStart) eeprom()[150] ^= 0x01;  // a cell that did not keep its bit
  });
  ASSERT_TRUE(RunDownload(Record(file, 0, 0x01)));
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(Closings(events), (std::vector<Event>{{DownloadFailed, 0}}));
  EXPECT_EQ(events.back(), (Event{DownloadFailed, 0}));
  EXPECT_EQ(events[events.size() - 2], (Event{VerifyProgress, 200})) << "all compared";
  EXPECT_EQ(ValueOf(events, Elapsed), -1);
  EXPECT_TRUE(std::equal(file.begin(), file.begin() + 4, eeprom().begin()));
}

TEST_F(EepromImageDownloadTest, TransferFailureAfterItsRetries) {
  uint32_t struckAt = 0;
  window().SetHook([&](const Event& event) {
    if (event.code == WriteStart) {
      struckAt = clock().TickCount();
      hid().ClearFaults();
      hid().FailFrom(1);
    }
  });
  ASSERT_TRUE(RunDownload(Record(ImageFile(Pattern(96, 3)), 0, 0x01)));
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(Closings(events), (std::vector<Event>{{DeviceAccessFailed, 0}}));
  EXPECT_EQ(events.back(), (Event{DeviceAccessFailed, 0}));
  EXPECT_GE(clock().TickCount() - struckAt, 3000u) << "the transfer was retried for 3 s";
  EXPECT_EQ(eeprom()[4], 0xFF) << "cleared, never written";
}

}  // namespace
}  // namespace transfer_testing
