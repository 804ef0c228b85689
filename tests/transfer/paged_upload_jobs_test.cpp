// PagedUploadJob and PagedRawUploadJob: the layout's marker first, then the range.

#include <gtest/gtest.h>

#include "tests/support/spi_pieces.h"
#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using namespace transfer;

class PagedUploadTest : public TransferTest {
 protected:
  void SetUp() override {
    camera_ = AddOlderCamera(true, false);
    OpenSession();
    const std::vector<uint8_t> old = Pattern(0x8000, 0x61);
    std::copy(old.begin(), old.end(), memory().begin());
  }
  std::vector<uint8_t>& memory() { return camera_->flash().memory(); }
  std::shared_ptr<sim::Camera> camera_;
};

TEST_F(PagedUploadTest, WithoutTheMarkerNothingElseIsRead) {
  memory()[7] = 0x25;
  ASSERT_TRUE(RunUpload(UploadRecord(1, 0x3000, 500, PathOf("up.bin"))));
  EXPECT_EQ(window().Events(), (std::vector<Event>{{DeviceAccessFailed, 0}}));
  const auto pieces = testing_support::SpiPiecesOf(hid().FeatureLog());
  ASSERT_EQ(pieces.size(), 2u) << testing_support::Describe(pieces);
  EXPECT_EQ(pieces[0], testing_support::W({0x03, 0x00, 0x00, 0x00}, false));
  EXPECT_EQ(pieces[1], testing_support::R(11, true));
  EXPECT_FALSE(std::filesystem::exists(PathOf("up.bin")));
}

TEST_F(PagedUploadTest, ImageFileOfTheRange) {
  memory()[7] = 0x26;
  ASSERT_TRUE(RunUpload(UploadRecord(1, 0x3000, 500, PathOf("up.bin"))));
  const std::vector<uint8_t> up = ReadFile(PathOf("up.bin"));
  ASSERT_EQ(up.size(), 500u);
  EXPECT_TRUE(std::equal(up.begin() + 4, up.end(), memory().begin() + 0x3000));
  EXPECT_TRUE(FileCrcOk(PathOf("up.bin").c_str()));
  const std::vector<Event> events = window().Events();
  EXPECT_EQ(events, (std::vector<Event>{{SetTotal, 500},
                                        {SetTotal, 499},
                                        {ReadStart, 0},
                                        {UploadDone, 0},
                                        {Elapsed, ValueOf(events, Elapsed)}}));
}

TEST_F(PagedUploadTest, RawCopyOfTheRange) {
  memory()[7] = 0x26;
  ASSERT_TRUE(RunUpload(UploadRecord(1, 0x3000, 500, PathOf("up.bin"), 1)));
  EXPECT_EQ(ReadFile(PathOf("up.bin")),
            std::vector<uint8_t>(memory().begin() + 0x3000, memory().begin() + 0x3000 + 500));
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{UploadDone, 0}}));
}

TEST_F(PagedUploadTest, FileThatCannotBeCreated) {
  memory()[7] = 0x26;
  ASSERT_TRUE(RunUpload(UploadRecord(1, 0x3000, 500, PathOf("none/up.bin"), 1)));
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{FileWriteFailed, 0}}));
}

}  // namespace
}  // namespace transfer_testing
