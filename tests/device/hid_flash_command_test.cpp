// SPI pass-through pieces on the wire, and what the flash makes of them.

#include "tests/device/device_fixture.h"

namespace testing_support {
namespace {

class HidFlashCommandTest : public DeviceFixture {};

TEST_F(HidFlashCommandTest, ReadWithCommandSendsItFirstKeepingChipSelect) {
  AddCamera();
  Open();
  const uint8_t readId[1] = {0x9F};
  uint8_t id[3] = {};
  ASSERT_EQ(vxVidHidCls_SPI_CmdRead(0, 1, 1, readId, 3, id), S_OK);
  EXPECT_EQ(id[0], 0xEF);
  EXPECT_EQ(id[1], 0x30);
  EXPECT_EQ(id[2], 0x13);
  const std::vector<Frame> expected = {Set(0x87, {0x0B, 0x00, 0x00, 0x00}),
                                       Set(0x93, {0x00, 0x01, 0x00, 0x9F}),
                                       Set(0x87, {0x0A, 0x00, 0x03, 0x01}), Get(0x93)};
  EXPECT_EQ(Frames(), expected) << Describe(Frames());
}

TEST_F(HidFlashCommandTest, PiecesFormOneTransactionUntilEndFlag) {
  auto camera = AddCamera();
  std::vector<uint8_t>& memory = camera->flash().memory();
  for (size_t i = 0; i < 40; ++i) memory[0x1000 + i] = static_cast<uint8_t>(i);
  Open();
  // 03 and a 24-bit address as data with chip select kept, then two reads without command.
  const uint8_t read[4] = {0x03, 0x00, 0x10, 0x00};
  ASSERT_EQ(vxVidHidCls_SPI_CmdWrite(0, 0, 0, nullptr, 4, read), S_OK);
  uint8_t first[32] = {};
  uint8_t second[8] = {};
  ASSERT_EQ(vxVidHidCls_SPI_CmdRead(0, 0, 0, nullptr, 32, first), S_OK);
  ASSERT_EQ(vxVidHidCls_SPI_CmdRead(0, 1, 0, nullptr, 8, second), S_OK);
  EXPECT_EQ(first[31], 31);
  EXPECT_EQ(second[0], 32);
  EXPECT_EQ(second[7], 39);
  const std::vector<Frame> expected = {
      Set(0x87, {0x0B, 0x00, 0x00, 0x00}), Set(0x93, {0x00, 0x04, 0x00, 0x03, 0x00, 0x10, 0x00}),
      Set(0x87, {0x0A, 0x00, 0x20, 0x00}), Get(0x93),
      Set(0x87, {0x0A, 0x00, 0x08, 0x01}), Get(0x93)};
  EXPECT_EQ(Frames(), expected) << Describe(Frames());
}

TEST_F(HidFlashCommandTest, WriteCarriesCommandThenDataInOneFrame) {
  auto camera = AddCamera();
  Open();
  const uint8_t enable[1] = {0x06};
  ASSERT_EQ(vxVidHidCls_SPI_CmdWrite(0, 1, 0, nullptr, 1, enable), S_OK);
  EXPECT_NE(camera->flash().status() & 0x02, 0) << "write-enable latch set at chip-select release";
  const uint8_t command[4] = {0x02, 0x00, 0x00, 0x10};
  const uint8_t data[3] = {0x12, 0x34, 0x56};
  ASSERT_EQ(vxVidHidCls_SPI_CmdWriteDev(0, 0x5A, 1, 4, command, 3, data), S_OK);
  const std::vector<Frame> frames = Frames();
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(frames[3], Set(0x93, {0x5A, 0x07, 0x01, 0x02, 0x00, 0x00, 0x10, 0x12, 0x34, 0x56}))
      << Describe(frames);
}

TEST_F(HidFlashCommandTest, PiecesThatDoNotFitTheFrameAreRefusedWithoutTraffic) {
  AddCamera();
  Open();
  uint8_t bytes[64] = {};
  EXPECT_EQ(vxVidHidCls_SPI_CmdWrite(0, 1, 4, bytes, 34, bytes), E_FAIL);  // 3 + 4 + 34 > 40
  EXPECT_EQ(vxVidHidCls_SPI_CmdRead(0, 1, 0, nullptr, 41, bytes), E_FAIL);
  EXPECT_EQ(vxVidHidCls_SPI_CmdRead(0, 1, 65, bytes, 1, bytes), E_FAIL);
  EXPECT_TRUE(Frames().empty()) << Describe(Frames());
}

}  // namespace
}  // namespace testing_support
