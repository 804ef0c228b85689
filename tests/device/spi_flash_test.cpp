// The SPI flash driver against the simulated flash: piece layouts, erase and program, status
// polls in virtual time, identification and protection.

#include <numeric>

#include "tests/device/device_fixture.h"
#include "tests/support/spi_pieces.h"

namespace testing_support {
namespace {

class SpiFlashTest : public DeviceFixture {
 protected:
  std::vector<SpiPiece> Pieces() { return SpiPiecesOf(hid().FeatureLog()); }

  std::vector<uint8_t> Pattern(size_t length, uint8_t seed = 1) {
    std::vector<uint8_t> bytes(length);
    for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
    return bytes;
  }

  size_t StatusReads() {
    size_t reads = 0;
    for (const SpiPiece& piece : Pieces())
      reads += piece.first && piece.sent == std::vector<uint8_t>{0x05};
    return reads;
  }
};

std::vector<uint8_t> Concat(std::vector<uint8_t> head, const std::vector<uint8_t>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST_F(SpiFlashTest, IdentifiesThePartWithCapacityAndPageSize) {
  sim::CameraConfig config;
  config.flashPart = "MX25L5121E-512Kbit";
  AddCamera(config);
  Open();
  SpiFlashInfo info{};
  ASSERT_EQ(vxVidHidCls_SPI_Flash_GetInfo(0, &info), 1);
  EXPECT_EQ(info.pageSize, 32u);
  EXPECT_EQ(info.capacity, 65536u);
  EXPECT_STREQ(info.name, "MX25L5121E-512Kbit");
  EXPECT_TRUE(Traced("[vxVidHidCls_SPI_Flash_GetInfo] SPI FlashType : MX25L5121E-512Kbit"));
  const std::vector<SpiPiece> expected = {W({0x9F}, false), R(3, true)};
  EXPECT_EQ(Pieces(), expected) << Describe(Pieces());
}

TEST_F(SpiFlashTest, PageProgramPieceLayouts) {
  auto camera = AddCamera();
  Open();
  const std::vector<uint8_t> data = Pattern(33);
  ASSERT_EQ(vxVidHidCls_SPI_Flash_PageProgram(0, 0x1000, 32, data.data()), 1);
  ASSERT_EQ(vxVidHidCls_SPI_Flash_PageProgram(0, 0x1100, 33, data.data()), 1);
  const std::vector<SpiPiece> pieces = Pieces();
  // One piece with four command bytes and 32 data bytes; then 4 + 32 + 1 across three pieces.
  const std::vector<SpiPiece> programs = PiecesStartingWith(pieces, 0x02);
  ASSERT_EQ(programs.size(), 2u) << Describe(pieces);
  EXPECT_EQ(programs[0], W(Concat({0x02, 0x00, 0x10, 0x00}, Pattern(32)), true));
  EXPECT_EQ(programs[1], W({0x02, 0x00, 0x11, 0x00}, false));
  auto second = std::find(pieces.begin(), pieces.end(), programs[1]);
  ASSERT_LE(second + 3, pieces.end());
  EXPECT_EQ(second[1], W(std::vector<uint8_t>(data.begin(), data.begin() + 32), false));
  EXPECT_EQ(second[2], W({data[32]}, true));
  const std::vector<uint8_t>& memory = camera->flash().memory();
  EXPECT_TRUE(std::equal(data.begin(), data.begin() + 32, memory.begin() + 0x1000));
  EXPECT_TRUE(std::equal(data.begin(), data.end(), memory.begin() + 0x1100));
  EXPECT_EQ(camera->flash().status() & 0x03, 0) << "left write-disabled and idle";
}

TEST_F(SpiFlashTest, ReadPieceLayouts) {
  auto camera = AddCamera();
  const std::vector<uint8_t> data = Pattern(64, 9);
  std::copy(data.begin(), data.end(), camera->flash().memory().begin() + 0x2040);
  Open();
  std::vector<uint8_t> out(64);
  ASSERT_EQ(vxVidHidCls_SPI_Flash_Read(0, 0x2040, 64, out.data()), 1);
  EXPECT_EQ(out, data);
  const std::vector<SpiPiece> expected = {W({0x03, 0x00, 0x20, 0x40}, false), R(32, false),
                                          R(32, true)};
  EXPECT_EQ(Pieces(), expected) << Describe(Pieces());
  hid().ClearLog();
  ASSERT_EQ(vxVidHidCls_SPI_Flash_Read(0, 0x2040, 20, out.data()), 1);
  const std::vector<SpiPiece> short_read = {W({0x03, 0x00, 0x20, 0x40}, false), R(20, true)};
  EXPECT_EQ(Pieces(), short_read) << Describe(Pieces());
}

TEST_F(SpiFlashTest, WriteErasesEachSectorWhenFirstEntered) {
  auto camera = AddCamera();
  std::vector<uint8_t>& memory = camera->flash().memory();
  std::fill(memory.begin() + 0x3000, memory.begin() + 0x5000, 0x00);  // old contents
  Open();
  const std::vector<uint8_t> data = Pattern(0x1800);
  vxVidHidCls_SPI_Flash_Write(0, 0x3000, 0x1800, data.data());
  EXPECT_TRUE(std::equal(data.begin(), data.end(), memory.begin() + 0x3000));
  EXPECT_TRUE(std::all_of(memory.begin() + 0x4800, memory.begin() + 0x5000, [](uint8_t b) {
    return b == 0xFF;
  })) << "the rest of the second sector is erased";

  std::vector<uint32_t> order;  // erase addresses, and 0 for each program
  for (const SpiPiece& piece : Pieces()) {
    if (!piece.first || piece.read || piece.sent.empty()) continue;
    if (piece.sent[0] == 0x20)
      order.push_back(piece.sent[1] << 16 | piece.sent[2] << 8 | piece.sent[3]);
    if (piece.sent[0] == 0x02) order.push_back(0);
  }
  std::vector<uint32_t> expected = {0x3000};
  expected.insert(expected.end(), 16, 0);
  expected.push_back(0x4000);
  expected.insert(expected.end(), 8, 0);
  EXPECT_EQ(order, expected);
}

TEST_F(SpiFlashTest, WriteFromAnUnalignedAddressNeverWrapsInsideAPage) {
  auto camera = AddCamera();
  Open();
  const std::vector<uint8_t> data = Pattern(300);
  vxVidHidCls_SPI_Flash_Write(0, 0x6080, 300, data.data());
  const std::vector<uint8_t>& memory = camera->flash().memory();
  EXPECT_TRUE(std::equal(data.begin(), data.end(), memory.begin() + 0x6080));
}

TEST_F(SpiFlashTest, UnknownIdIsRetriedForOneSecondThenFails) {
  auto camera = AddCamera();
  const uint8_t blank[3] = {0xFF, 0xFF, 0xFF};
  camera->flash().SetIdentification(blank);  // no part answers
  Open();
  const uint32_t start = clock().TickCount();
  SpiFlashInfo info{};
  EXPECT_EQ(vxVidHidCls_SPI_Flash_GetInfo(0, &info), 0);
  // Each attempt is four feature transfers of 1 ms: 250 attempts fill the second.
  EXPECT_EQ(clock().TickCount() - start, 1000u);
  EXPECT_EQ(PiecesStartingWith(Pieces(), 0x9F).size(), 250u);
  EXPECT_TRUE(Traced("[vxVidHidCls_SPI_Flash_GetInfo] retry..."));
  EXPECT_TRUE(Traced("[vxVidHidCls_SPI_Flash_GetInfo] Read SFlash Info fail."));
}

TEST_F(SpiFlashTest, IdentificationStopsAtOnceWhenThePassThroughFails) {
  AddCamera();
  Open();
  hid().FailFrom(1);
  SpiFlashInfo info{};
  EXPECT_EQ(vxVidHidCls_SPI_Flash_GetInfo(0, &info), 0);
  EXPECT_EQ(hid().Counters().sets + hid().Counters().gets, 1u);
}

TEST_F(SpiFlashTest, StuckBusyFailsProgramAndEraseAfterThreeSeconds) {
  auto camera = AddCamera();
  Open();
  camera->flash().SetStuckBusy(true);
  const std::vector<uint8_t> data = Pattern(16);
  uint32_t start = clock().TickCount();
  EXPECT_EQ(vxVidHidCls_SPI_Flash_PageProgram(0, 0x1000, 16, data.data()), 0);
  // The 06 piece (two transfers of 1 ms), then status reads of four transfers each until
  // 3000 ms have passed: 750 of them.
  EXPECT_EQ(clock().TickCount() - start, 3002u) << "the write enable's poll gives up";
  EXPECT_EQ(StatusReads(), 750u);
  EXPECT_TRUE(PiecesStartingWith(Pieces(), 0x02).empty()) << "never programmed";

  start = clock().TickCount();
  EXPECT_EQ(vxVidHidCls_SPI_Flash_SectorErase(0, 0x1000), 0);
  EXPECT_GE(clock().TickCount() - start, 3000u);
  EXPECT_EQ(camera->flash().memory()[0x1000], 0xFF);
}

TEST_F(SpiFlashTest, PollAcrossTheTickWrapStillEnds) {
  auto camera = AddCamera();
  Open();
  camera->flash().SetStuckBusy(true);
  clock().Set(0xFFFFFF00u);  // 256 ms before the tick count wraps
  EXPECT_EQ(vxVidHidCls_SPI_Flash_WriteEnable(0), 0);
  // The time before the wrap is not counted: the poll runs on for 3000 ms after it.
  const uint32_t now = clock().TickCount();
  EXPECT_GE(now, 3000u);
  EXPECT_LT(now, 3100u);
}

TEST_F(SpiFlashTest, ProtectAndUnprotect) {
  auto camera = AddCamera();
  Open();
  camera->flash().SetStatus(0x0C);
  ASSERT_EQ(vxVidHidCls_SPI_Flash_Protect(0), 1);
  EXPECT_TRUE(PiecesStartingWith(Pieces(), 0x01).empty()) << "already protected: no status write";

  ASSERT_EQ(vxVidHidCls_SPI_Flash_SetProtect(0, 0), 1);
  EXPECT_EQ(camera->flash().status() & 0x0F, 0x00) << "unprotected and write-disabled";
  // The new status is the one read, write-enable latch included, with the protection cleared.
  EXPECT_EQ(PiecesStartingWith(Pieces(), 0x01).back(), W({0x01, 0x02}, true));

  ASSERT_EQ(vxVidHidCls_SPI_Flash_SetProtect(0, 1), 1);
  EXPECT_EQ(camera->flash().status() & 0x0F, 0x0C);
  EXPECT_EQ(PiecesStartingWith(Pieces(), 0x01).back(), W({0x01, 0x0E}, true));

  // The erase unprotects first.
  camera->flash().memory()[0x2000] = 0x00;
  ASSERT_EQ(vxVidHidCls_SPI_Flash_SectorErase(0, 0x2000), 1);
  EXPECT_EQ(camera->flash().memory()[0x2000], 0xFF);
  EXPECT_EQ(camera->flash().status() & 0x0C, 0) << "erase leaves the flash unprotected";
}

TEST_F(SpiFlashTest, ProtectionDecisionWithoutAStatusFails) {
  AddCamera();
  Open();
  hid().FailFrom(1);
  EXPECT_EQ(vxVidHidCls_SPI_Flash_Protect(0), 0);
  EXPECT_EQ(vxVidHidCls_SPI_Flash_Unprotect(0), 0);
  EXPECT_TRUE(PiecesStartingWith(Pieces(), 0x01).empty());
}

TEST_F(SpiFlashTest, SetWriteEnableTakesOnlyOneForEnable) {
  auto camera = AddCamera();
  Open();
  ASSERT_EQ(vxVidHidCls_SPI_Flash_SetWriteEnable(0, 1), 1);
  EXPECT_EQ(camera->flash().status() & 0x02, 0x02);
  ASSERT_EQ(vxVidHidCls_SPI_Flash_SetWriteEnable(0, 2), 1);
  EXPECT_EQ(camera->flash().status() & 0x02, 0x00);
}

}  // namespace
}  // namespace testing_support
