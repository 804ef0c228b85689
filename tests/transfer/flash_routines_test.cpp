// The shared flash routines: chunks that never wrap inside a page, sectors erased before any
// byte goes into them, and the progress events each posts.

#include "transfer/flash_routines.h"

#include <gtest/gtest.h>

#include "tests/support/spi_pieces.h"
#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine_state.h"

namespace transfer_testing {
namespace {

using transfer::SetTotal;
using transfer::WriteProgress;

class FlashRoutinesTest : public TransferTest {
 protected:
  void SetUp() override {
    camera_ = AddOlderCamera(true, false);
    OpenSession();
    transfer::Engine().job.window = &window();
  }
  std::vector<uint8_t>& memory() { return camera_->flash().memory(); }
  std::shared_ptr<sim::Camera> camera_;
};

// From an address that is neither page- nor sector-aligned, across a sector boundary, onto
// flash that holds zeros: every byte must land and both sectors must have been erased.
TEST_F(FlashRoutinesTest, EraseAndProgramFromAnUnalignedAddress) {
  std::fill(memory().begin(), memory().begin() + 0x3000, uint8_t{0x00});
  const std::vector<uint8_t> data = Pattern(0x200, 5);
  ASSERT_TRUE(transfer::EraseAndProgram(0x0F80, 0x200, data.data()));

  std::vector<uint8_t> expected(0x3000, 0xFF);
  std::copy(data.begin(), data.end(), expected.begin() + 0x0F80);
  std::fill(expected.begin() + 0x2000, expected.end(), uint8_t{0x00});  // never reached
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), memory().begin()));
  const auto erases =
      testing_support::PiecesStartingWith(testing_support::SpiPiecesOf(hid().FeatureLog()), 0x20);
  ASSERT_EQ(erases.size(), 2u);
  EXPECT_EQ(erases[0].sent, (std::vector<uint8_t>{0x20, 0x00, 0x00, 0x00}));
  EXPECT_EQ(erases[1].sent, (std::vector<uint8_t>{0x20, 0x00, 0x10, 0x00}));
  EXPECT_EQ(window().Events(), (std::vector<Event>{{WriteProgress, 0}, {SetTotal, 0x200}}));
}

TEST_F(FlashRoutinesTest, EraseAndProgramPostsNothingWithTheSwitchOff) {
  transfer::Engine().job.progressSwitch = false;
  const std::vector<uint8_t> data = Pattern(300);
  ASSERT_TRUE(transfer::EraseAndProgram(0x4000, 300, data.data()));
  EXPECT_TRUE(std::equal(data.begin(), data.end(), memory().begin() + 0x4000));
  EXPECT_TRUE(window().Events().empty());
}

TEST_F(FlashRoutinesTest, ProgramWithProgressStopsChunksAtPageBoundaries) {
  ASSERT_TRUE(transfer::EraseSector(0x1000));  // programming needs it erased and unprotected
  const std::vector<uint8_t> data = Pattern(0x120, 11);
  ASSERT_TRUE(transfer::ProgramWithProgress(0x10F0, 0x120, data.data()));
  EXPECT_TRUE(std::equal(data.begin(), data.end(), memory().begin() + 0x10F0));
  EXPECT_EQ(window().Events(), (std::vector<Event>{{SetTotal, 0x120},
                                                   {WriteProgress, 0},
                                                   {WriteProgress, 0x10},
                                                   {WriteProgress, 0x110},
                                                   {WriteProgress, 0x120}}));
}

TEST_F(FlashRoutinesTest, UnidentifiedFlashFailsBeforeAnything) {
  const uint8_t none[3] = {0xFF, 0xFF, 0xFF};
  camera_->flash().SetIdentification(none);
  std::fill(memory().begin(), memory().begin() + 0x1000, uint8_t{0x00});
  const std::vector<uint8_t> data = Pattern(16);
  EXPECT_FALSE(transfer::ProgramWithProgress(0, 16, data.data()));
  EXPECT_FALSE(transfer::EraseAndProgram(0, 16, data.data()));
  EXPECT_TRUE(window().Events().empty());
  EXPECT_TRUE(std::all_of(memory().begin(), memory().begin() + 0x1000, [](uint8_t b) {
    return b == 0x00;
  })) << "nothing erased";
}

TEST_F(FlashRoutinesTest, EraseSectorErasesOneSector) {
  std::fill(memory().begin(), memory().begin() + 0x3000, uint8_t{0x00});
  ASSERT_TRUE(transfer::EraseSector(0x1234));
  EXPECT_EQ(memory()[0x0FFF], 0x00);
  EXPECT_EQ(memory()[0x1000], 0xFF);
  EXPECT_EQ(memory()[0x1FFF], 0xFF);
  EXPECT_EQ(memory()[0x2000], 0x00);
  camera_->flash().SetStuckBusy(true);
  EXPECT_FALSE(transfer::EraseSector(0x2000));
}

}  // namespace
}  // namespace transfer_testing
