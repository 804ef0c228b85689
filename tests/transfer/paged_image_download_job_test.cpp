// PagedImageDownloadJob: the marker in unit 0, the payload at page × unit, the events, and a
// flash fault.

#include <gtest/gtest.h>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using namespace transfer;

struct PagedCase {
  const char* name;
  uint8_t pageFlags;
  uint8_t page;
  uint32_t unit;
};

class PagedImageDownloadTest : public TransferTest,
                               public ::testing::WithParamInterface<PagedCase> {
 protected:
  void SetUp() override {
    camera_ = AddOlderCamera(true, false);
    OpenSession();
    const std::vector<uint8_t> old = Pattern(0x40000, 0x21);
    std::copy(old.begin(), old.end(), camera_->flash().memory().begin());
  }
  std::shared_ptr<sim::Camera> camera_;
};

TEST_P(PagedImageDownloadTest, StoreMapAndEvents) {
  const PagedCase& c = GetParam();
  const std::vector<uint8_t> payload = Pattern(196, 9);
  const std::vector<uint8_t> file = ImageFile(payload);
  DownloadJobRecord record = DownloadRecord(1, WriteFile("image.bin", file));
  record.page = c.page;
  record.pageFlags = c.pageFlags;
  record.pageExtra = 0x5A;
  const std::vector<uint8_t> before = camera_->flash().memory();
  ASSERT_TRUE(RunDownload(record));

  std::vector<uint8_t> expected = before;
  const std::vector<uint8_t> marker = {0x26, c.page, c.pageFlags, 0x5A};
  std::copy(marker.begin(), marker.end(), expected.begin() + 7);
  const uint32_t at = c.page * c.unit;
  std::fill(expected.begin() + at, expected.begin() + at + 4096, uint8_t{0xFF});
  std::copy(payload.begin(), payload.end(), expected.begin() + at);
  std::copy(marker.begin(), marker.end(), expected.begin() + at + 7);
  std::fill(expected.begin() + at + 196, expected.begin() + at + 200, uint8_t{0x00});
  EXPECT_TRUE(camera_->flash().memory() == expected);
  EXPECT_EQ(camera_->flash().status() & 0x0C, 0x0C) << "protected again";

  const auto unit = static_cast<int32_t>(c.unit);
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(events, (std::vector<Event>{{SetTotal, unit},
                                        {SetTotal, unit - 1},
                                        {ReadStart, 0},
                                        {SetTotal, unit},
                                        {SetTotal, unit - 1},
                                        {ReadStart, 0},
                                        {WriteProgress, 0},  // unit 0 written back
                                        {SetTotal, unit},
                                        {WriteStart, 0},
                                        {SetTotal, 200},
                                        {WriteProgress, 0},
                                        {WriteProgress, 0},  // the image
                                        {SetTotal, 200},
                                        {DownloadDone, 0},
                                        {Elapsed, ValueOf(events, Elapsed)}}));
}

INSTANTIATE_TEST_SUITE_P(Units, PagedImageDownloadTest,
                         ::testing::Values(PagedCase{"SmallUnits", 0x08, 3, 4096},
                                           PagedCase{"LargeUnits", 0x01, 2, 65536}),
                         [](const auto& info) { return info.param.name; });

using PagedImageFaultTest = TransferTest;

TEST_F(PagedImageFaultTest, FlashFailureEndsWithDeviceAccessFailed) {
  auto camera = AddOlderCamera(true, false);
  OpenSession();
  window().SetHook([&](const Event& event) {
    if (event.code == WriteStart) camera->flash().SetStuckBusy(true);
  });
  DownloadJobRecord record = DownloadRecord(1, WriteFile("image.bin", ImageFile(Pattern(96))));
  record.pageFlags = 0x08;
  record.page = 1;
  ASSERT_TRUE(RunDownload(record));
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(Closings(events), (std::vector<Event>{{DeviceAccessFailed, 0}}));
  EXPECT_EQ(events.back(), (Event{DeviceAccessFailed, 0}));
  EXPECT_EQ(ValueOf(events, Elapsed), -1);
  EXPECT_EQ(camera->flash().memory()[7], 0x26) << "unit 0 was marked before the fault";
}

}  // namespace
}  // namespace transfer_testing
