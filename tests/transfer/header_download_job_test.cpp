// HeaderImageDownloadJob: its exact events, what it leaves in the flash, and one closing code
// for a fault in each phase.

#include <gtest/gtest.h>

#include "device/flash_layout.h"
#include "tests/support/spi_pieces.h"
#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using namespace transfer;

class HeaderDownloadTest : public TransferTest {
 protected:
  void SetUp() override {
    camera_ = AddDefaultCamera();
    OpenSession();
  }
  std::vector<uint8_t>& memory() { return camera_->flash().memory(); }

  // The template with a BootAddr, as a caller that places the image fills it.
  DownloadJobRecord HeaderRecord(const std::string& file0, const std::string& file1,
                                 uint32_t bootAddr) {
    DownloadJobRecord record = DownloadRecord(2, file0, file1);
    BootHeader header = DecodeBootHeader(record.bootHeader);
    header.bootAddr = bootAddr;
    header.unused[0] = 0x12;  // copied unchanged
    header.unused[1] = 0x34;
    EncodeBootHeader(header, record.bootHeader);
    return record;
  }

  // The events of a page-by-page write of length bytes in 256-byte pages from 0.
  static std::vector<Event> Programmed(uint32_t length) {
    std::vector<Event> events = {{SetTotal, static_cast<int32_t>(length)}, {WriteProgress, 0}};
    for (uint32_t done = 256; done < length + 256; done += 256) {
      events.push_back({WriteProgress, static_cast<int32_t>(std::min(done, length))});
    }
    return events;
  }

  std::shared_ptr<sim::Camera> camera_;
};

std::vector<Event> Concat(std::vector<std::vector<Event>> parts) {
  std::vector<Event> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(HeaderDownloadTest, BootAndUserCodeBehindTheHeader) {
  const std::vector<uint8_t> boot = Pattern(300, 1);
  const std::vector<uint8_t> user = Pattern(200, 2);
  const std::vector<uint8_t> factory = memory();
  const uint32_t before = clock().TickCount();
  ASSERT_TRUE(RunDownload(HeaderRecord(WriteFile("boot.bin", ImageFile(boot)),
                                       WriteFile("user.bin", ImageFile(user)), 0x1000)));

  const std::vector<Event> events = window().Events();
  const int32_t elapsed = ValueOf(events, Elapsed);
  EXPECT_GT(elapsed, 0);
  EXPECT_LE(elapsed, static_cast<int32_t>(clock().TickCount() - before));
  EXPECT_EQ(events, Concat({{{WriteProgress, 0},
                             {EraseStart, 1},
                             {EraseProgress, 0},
                             {EraseProgress, 1},
                             {EraseEnd, 1},
                             {WriteStart, 0},
                             {SetTotal, 500},
                             {WriteProgress, 0}},
                            {{SetTotal, 16}, {WriteProgress, 0}, {WriteProgress, 16}},
                            Programmed(500),
                            {{VerifyProgress, 0},
                             {VerifyLength, 500},
                             {VerifyResult, 1},
                             {Elapsed, elapsed},
                             {DownloadDone, 0}}}));

  // The header: magic, BootAddr 0x1000, BootSize 300, the template's two bytes, UserCodeAddr
  // 0x1000 + 300, UserCodeSize 200.
  const std::vector<uint8_t> header = {0x1A, 0xEB, 0x00, 0x10, 0x00, 0x2C, 0x01, 0x00,
                                       0x12, 0x34, 0x2C, 0x11, 0x00, 0xC8, 0x00, 0x00};
  std::vector<uint8_t> expected = factory;
  std::fill(expected.begin(), expected.begin() + 0x2000, uint8_t{0xFF});
  std::copy(header.begin(), header.end(), expected.begin());
  std::copy(boot.begin(), boot.end(), expected.begin() + 0x1000);
  std::copy(user.begin(), user.end(), expected.begin() + 0x1000 + 300);
  EXPECT_TRUE(memory() == expected);
  EXPECT_EQ(camera_->flash().status() & 0x0C, 0x0C) << "protected again";
}

// 4,097 bytes at 0 take two sectors; a raw image is written alone and only it is read back.
TEST_F(HeaderDownloadTest, RawImageOfTwoSectors) {
  const std::vector<uint8_t> payload = RawPayload(4097);
  const std::vector<uint8_t> factory = memory();
  ASSERT_TRUE(RunDownload(DownloadRecord(2, WriteFile("raw.bin", ImageFile(payload)))));

  const std::vector<Event> events = window().Events();
  EXPECT_EQ(events, Concat({{{WriteProgress, 0},
                             {EraseStart, 1},
                             {EraseProgress, 0},
                             {EraseProgress, 1},
                             {EraseEnd, 1},
                             {WriteStart, 0},
                             {SetTotal, 4097},
                             {WriteProgress, 0}},
                            Programmed(4097),
                            {{VerifyProgress, 0},
                             {VerifyLength, 4097},
                             {VerifyResult, 1},
                             {Elapsed, ValueOf(events, Elapsed)},
                             {DownloadDone, 0}}}));
  std::vector<uint8_t> expected = factory;
  std::fill(expected.begin(), expected.begin() + 0x2000, uint8_t{0xFF});
  std::copy(payload.begin(), payload.end(), expected.begin());
  EXPECT_TRUE(memory() == expected);
  const auto reads =
      testing_support::PiecesStartingWith(testing_support::SpiPiecesOf(hid().FeatureLog()), 0x03);
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(reads[0].sent, (std::vector<uint8_t>{0x03, 0x00, 0x00, 0x00}));
}

TEST_F(HeaderDownloadTest, WithoutUserCodeTheTemplatesUserCodeAddressStays) {
  const std::vector<uint8_t> boot = Pattern(100, 6);
  DownloadJobRecord record = HeaderRecord(WriteFile("boot.bin", ImageFile(boot)), "", 0x1000);
  record.bootHeader[10] = 0x56;
  record.bootHeader[11] = 0x34;
  record.bootHeader[12] = 0x02;
  ASSERT_TRUE(RunDownload(record));
  const std::vector<uint8_t> header = {0x1A, 0xEB, 0x00, 0x10, 0x00, 0x64, 0x00, 0x00,
                                       0x12, 0x34, 0x56, 0x34, 0x02, 0x00, 0x00, 0x00};
  EXPECT_TRUE(std::equal(header.begin(), header.end(), memory().begin()));
  EXPECT_TRUE(std::equal(boot.begin(), boot.end(), memory().begin() + 0x1000));
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{DownloadDone, 0}}));
}

// An image that starts inside a sector and ends in the next one: every sector up to its last
// byte is erased, not only as many as its length fills.
TEST_F(HeaderDownloadTest, ImageFromAnUnalignedBootAddressErasesEverySectorItReaches) {
  std::fill(memory().begin(), memory().begin() + 0x3000, uint8_t{0x00});
  const std::vector<uint8_t> boot = Pattern(0x1000, 8);
  ASSERT_TRUE(RunDownload(HeaderRecord(WriteFile("boot.bin", ImageFile(boot)), "", 0x0800)));
  EXPECT_EQ(ValueOf(window().Events(), EraseStart), 1);
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{DownloadDone, 0}}));
  EXPECT_TRUE(std::equal(boot.begin(), boot.end(), memory().begin() + 0x0800));
  EXPECT_EQ(memory()[0x1800], 0xFF);
  EXPECT_EQ(memory()[0x2000], 0x00) << "the third sector is not touched";
}

struct FaultCase {
  const char* name;
  uint16_t at;  // the fault strikes when the job posts this code (0xFFFF: from the start)
  int32_t atValue;
  void (*inject)(sim::Camera&);
  Event closing;
  uint16_t lastProgress;  // the last event before the closing code
};

class HeaderDownloadFaultTest : public HeaderDownloadTest,
                                public ::testing::WithParamInterface<FaultCase> {};

TEST_P(HeaderDownloadFaultTest, EndsWithOneClosingCode) {
  const FaultCase& c = GetParam();
  sim::Camera& camera = *camera_;
  if (c.at == 0xFFFF) {
    c.inject(camera);
  } else {
    window().SetHook([&](const Event& event) {
      if (event.code == c.at && event.value == c.atValue) c.inject(camera);
    });
  }
  const std::string file = WriteFile("raw.bin", ImageFile(RawPayload(5000)));
  ASSERT_TRUE(RunDownload(DownloadRecord(2, file)));
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(Closings(events), std::vector<Event>{c.closing});
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events.back(), c.closing) << "nothing after the closing code";
  EXPECT_EQ(events[events.size() - 2].code, c.lastProgress);
  EXPECT_EQ(ValueOf(events, Elapsed), -1);

  // The slot is empty: the next start is taken.
  camera.flash().SetStuckBusy(false);
  camera.flash().SetCorruptPrograms(false);
  window().SetHook({});
  RecordingWindow again;
  DownloadJobRecord retry = DownloadRecord(2, file);
  retry.window = &again;
  ASSERT_TRUE(RunDownload(retry));
  EXPECT_EQ(Closings(again.Events()), (std::vector<Event>{{DownloadDone, 0}}));
}

void StuckBusy(sim::Camera& camera) {
  camera.flash().SetStuckBusy(true);
}
void CorruptPrograms(sim::Camera& camera) {
  camera.flash().SetCorruptPrograms(true);
}
// The verify reads see other bytes than were written.
void ChangeFlash(sim::Camera& camera) {
  camera.flash().memory()[4000] ^= 0x01;
}

INSTANTIATE_TEST_SUITE_P(
    Phases, HeaderDownloadFaultTest,
    ::testing::Values(
        FaultCase{"FirstErase", 0xFFFF, 0, StuckBusy, {EraseEnd, 0}, EraseStart},
        FaultCase{"SecondErase", EraseProgress, 0, StuckBusy, {EraseEnd, 0}, EraseProgress},
        FaultCase{"Program", WriteStart, 0, StuckBusy, {DownloadFailed, 0}, WriteProgress},
        FaultCase{
            "ProgramMidway", WriteProgress, 2048, StuckBusy, {DownloadFailed, 0}, WriteProgress},
        FaultCase{
            "VerifyCorruptCells", 0xFFFF, 0, CorruptPrograms, {VerifyResult, 0}, VerifyLength},
        FaultCase{"VerifyChangedFlash",
                  VerifyLength,
                  5000,
                  ChangeFlash,
                  {VerifyResult, 0},
                  VerifyLength}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

TEST_F(HeaderDownloadTest, HeaderWriteFailureEndsTheJob) {
  window().SetHook([&](const Event& event) {
    if (event.code == WriteStart) hid().FailReport(0x87);
  });
  const std::vector<uint8_t> boot = Pattern(100, 6);
  ASSERT_TRUE(RunDownload(HeaderRecord(WriteFile("boot.bin", ImageFile(boot)), "", 0x1000)));
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(Closings(events), (std::vector<Event>{{DownloadFailed, 0}}));
  EXPECT_EQ(events.back(), (Event{DownloadFailed, 0}));
  EXPECT_EQ(ValueOf(events, VerifyLength), -1);
}

}  // namespace
}  // namespace transfer_testing
