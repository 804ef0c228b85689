// The SPI NOR model as a host sees it: transactions of pieces, commands at chip-select release.

#include "sim/spi_flash.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace sim {
namespace {

class SpiFlashTest : public ::testing::Test {
 protected:
  // One whole transaction that only sends.
  void Command(std::initializer_list<uint8_t> bytes) {
    std::vector<uint8_t> v(bytes);
    flash_.Send(v.data(), v.size());
    flash_.Deselect();
  }
  // One whole transaction: send, then read count bytes.
  std::vector<uint8_t> Query(std::initializer_list<uint8_t> bytes, size_t count) {
    std::vector<uint8_t> v(bytes), answer(count);
    flash_.Send(v.data(), v.size());
    flash_.Receive(answer.data(), count);
    flash_.Deselect();
    return answer;
  }
  uint8_t Status() { return Query({0x05}, 1)[0]; }
  std::vector<uint8_t> Read(uint32_t address, size_t count) {
    return Query({0x03, uint8_t(address >> 16), uint8_t(address >> 8), uint8_t(address)}, count);
  }
  void Program(uint32_t address, std::vector<uint8_t> data) {
    Command({0x06});
    std::vector<uint8_t> v{0x02, uint8_t(address >> 16), uint8_t(address >> 8), uint8_t(address)};
    v.insert(v.end(), data.begin(), data.end());
    flash_.Send(v.data(), v.size());
    flash_.Deselect();
    clock_.Advance(timing_.programBusyMs);
  }
  void Erase(uint32_t address) {
    Command({0x06});
    Command({0x20, uint8_t(address >> 16), uint8_t(address >> 8), uint8_t(address)});
    clock_.Advance(timing_.eraseBusyMs);
  }
  void WriteStatus(uint8_t status) {
    Command({0x06});
    Command({0x01, status});
    clock_.Advance(timing_.statusWriteBusyMs);
  }

  VirtualClock clock_{1000};
  FlashTiming timing_;
  SpiFlash flash_{*FindFlashPart("WinBond 20X40 - 4Mbit"), clock_};
};

TEST_F(SpiFlashTest, AnswersTheJedecIdAndStartsErased) {
  EXPECT_EQ(Query({0x9F}, 3), (std::vector<uint8_t>{0xEF, 0x30, 0x13}));
  EXPECT_EQ(Status(), 0x00);
  EXPECT_EQ(Read(0x7FFF0, 4), (std::vector<uint8_t>(4, 0xFF)));
}

TEST_F(SpiFlashTest, ProgramOnlyClearsBitsSoAMissingEraseCorruptsData) {
  Program(0x1000, {0xF0, 0x3C});
  EXPECT_EQ(Read(0x1000, 2), (std::vector<uint8_t>{0xF0, 0x3C}));
  Program(0x1000, {0x0F, 0xC3});  // no erase in between
  EXPECT_EQ(Read(0x1000, 2), (std::vector<uint8_t>{0x00, 0x00}));
  Erase(0x1FFF);  // any address inside the sector
  EXPECT_EQ(Read(0x1000, 2), (std::vector<uint8_t>{0xFF, 0xFF}));
  EXPECT_EQ(flash_.memory()[0x0FFF], 0xFF);
}

TEST_F(SpiFlashTest, EraseClearsExactlyItsSector) {
  Program(0x0FFF, {0x00});
  Program(0x2000, {0x00});
  Program(0x1800, {0x00});
  Erase(0x1000);
  EXPECT_EQ(flash_.memory()[0x0FFF], 0x00);
  EXPECT_EQ(flash_.memory()[0x1800], 0xFF);
  EXPECT_EQ(flash_.memory()[0x2000], 0x00);
}

TEST_F(SpiFlashTest, ProgramWrapsInsideItsPage) {
  Program(0x01FE, {1, 2, 3, 4});
  EXPECT_EQ(Read(0x01FE, 2), (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(Read(0x0100, 2), (std::vector<uint8_t>{3, 4}));
  EXPECT_EQ(Read(0x0200, 1)[0], 0xFF) << "the next page is untouched";

  SpiFlash small(*FindFlashPart("MX25L5121E-512Kbit"), clock_);  // 32-byte pages
  const uint8_t program[] = {0x02, 0x00, 0x00, 0x3F, 0xAA, 0xBB};
  const uint8_t wel = 0x06;
  small.Send(&wel, 1);
  small.Deselect();
  small.Send(program, sizeof program);
  small.Deselect();
  EXPECT_EQ(small.memory()[0x3F], 0xAA);
  EXPECT_EQ(small.memory()[0x20], 0xBB);
  EXPECT_EQ(small.memory()[0x40], 0xFF);
}

TEST_F(SpiFlashTest, ProgramPiecesJoinUntilDeselect) {
  const uint8_t wel = 0x06, command[] = {0x02, 0x00, 0x30, 0x00}, data[] = {0x11, 0x22};
  flash_.Send(&wel, 1);
  flash_.Deselect();
  flash_.Send(command, sizeof command);
  flash_.Send(data, 1);
  flash_.Send(data + 1, 1);
  EXPECT_EQ(flash_.memory()[0x3000], 0xFF) << "nothing happens before the release";
  flash_.Deselect();
  EXPECT_EQ(flash_.memory()[0x3000], 0x11);
  EXPECT_EQ(flash_.memory()[0x3001], 0x22);
}

TEST_F(SpiFlashTest, WritesNeedTheLatchAndClearIt) {
  Command({0x02, 0x00, 0x00, 0x00, 0x00});  // no write enable
  Command({0x01, 0x0C});
  clock_.Advance(100);
  EXPECT_EQ(flash_.memory()[0], 0xFF);
  EXPECT_EQ(Status(), 0x00);

  Command({0x06});
  EXPECT_EQ(Status(), 0x02);
  Command({0x04});
  EXPECT_EQ(Status(), 0x00);

  Program(0, {0x00});
  EXPECT_EQ(flash_.memory()[0], 0x00);
  EXPECT_EQ(Status(), 0x00) << "the latch clears when the program ends";
  Command({0x20, 0x00, 0x00, 0x00});  // erase without the latch
  clock_.Advance(100);
  EXPECT_EQ(flash_.memory()[0], 0x00);
}

TEST_F(SpiFlashTest, FixedLengthCommandsRunOnlyWithTheirLength) {
  Command({0x06, 0x00});
  EXPECT_EQ(Status(), 0x00);
  Command({0x06});
  Command({0x20, 0x00, 0x00});  // a short erase
  clock_.Advance(100);
  EXPECT_EQ(Status(), 0x02) << "not run: the latch stays";
}

TEST_F(SpiFlashTest, StatusWriteShowsItsBitsWhenItsCycleEnds) {
  Command({0x06});
  Command({0x01, 0xFF});
  EXPECT_EQ(Status(), 0x03) << "busy, latch set, old protection";
  clock_.Advance(timing_.statusWriteBusyMs);
  EXPECT_EQ(Status(), 0xFC) << "bits 2..7 written, latch cleared, ready";
}

TEST_F(SpiFlashTest, EitherProtectionBitRefusesEraseAndProgram) {
  Program(0x10, {0x00});
  for (uint8_t protection : {0x04, 0x08, 0x0C}) {
    SCOPED_TRACE(protection);
    WriteStatus(protection);
    Program(0, {0x00});
    Erase(0);
    EXPECT_EQ(flash_.memory()[0], 0xFF);
    EXPECT_EQ(flash_.memory()[0x10], 0x00);
    EXPECT_EQ(Status() & 0x01, 0) << "a refused command leaves the part ready";
  }
  WriteStatus(0x00);
  Program(0, {0x00});
  EXPECT_EQ(flash_.memory()[0], 0x00);
}

TEST_F(SpiFlashTest, BusyForTheConfiguredTimeInVirtualTime) {
  flash_.SetTiming({.programBusyMs = 2, .eraseBusyMs = 40, .statusWriteBusyMs = 5});
  Command({0x06});
  Command({0x20, 0x00, 0x00, 0x00});
  EXPECT_EQ(Status(), 0x03);
  clock_.Advance(39);
  EXPECT_EQ(Status(), 0x03);
  clock_.Advance(1);
  EXPECT_EQ(Status(), 0x00);

  clock_.Set(0xFFFFFFFF);  // a cycle across the wrap of the tick count
  Command({0x06});
  Command({0x02, 0x00, 0x00, 0x00, 0x00});
  clock_.Advance(1);
  EXPECT_EQ(Status() & 0x01, 0x01);
  clock_.Advance(1);
  EXPECT_EQ(Status(), 0x00);
}

TEST_F(SpiFlashTest, EveryOpcodeButReadStatusIsIgnoredWhileBusy) {
  Program(0x5000, {0x5A});
  Command({0x06});
  Command({0x20, 0x00, 0x00, 0x00});
  EXPECT_EQ(Query({0x9F}, 3), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Read(0x5000, 1)[0], 0xFF);
  Command({0x04});  // ignored: the latch stays until the erase ends
  Program(0x5000, {0x00});
  EXPECT_EQ(Query({0x05}, 3), (std::vector<uint8_t>{0x03, 0x03, 0x03}));
  clock_.Advance(timing_.eraseBusyMs);
  EXPECT_EQ(Status(), 0x00);
  EXPECT_EQ(Read(0x5000, 1)[0], 0x5A);
}

TEST_F(SpiFlashTest, StuckBusyNeverClearsAndBlocksEverything) {
  flash_.SetStuckBusy(true);
  EXPECT_EQ(Status() & 0x01, 0x01);
  Command({0x06});
  Command({0x02, 0x00, 0x00, 0x00, 0x00});
  clock_.Advance(1000000);
  EXPECT_EQ(Status(), 0x01);
  EXPECT_EQ(flash_.memory()[0], 0xFF);
  flash_.SetStuckBusy(false);
  EXPECT_EQ(Status(), 0x00);
}

TEST_F(SpiFlashTest, ReadContinuesAcrossPiecesAndAddressesWrap) {
  const uint32_t capacity = flash_.part().capacity;
  flash_.memory()[capacity - 1] = 0x11;
  flash_.memory()[0] = 0x22;
  flash_.memory()[1] = 0x33;
  const uint8_t command[] = {0x03, 0x07, 0xFF, 0xFF};
  uint8_t first[1], rest[2];
  flash_.Send(command, sizeof command);
  flash_.Receive(first, 1);
  flash_.Receive(rest, 2);
  flash_.Deselect();
  EXPECT_EQ(first[0], 0x11);
  EXPECT_EQ(rest[0], 0x22);
  EXPECT_EQ(rest[1], 0x33);

  Program(capacity + 0x10, {0x00});  // beyond the capacity: wraps to 0x10
  EXPECT_EQ(flash_.memory()[0x10], 0x00);
}

class SpiFlashFileTest : public SpiFlashTest {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }
  void WriteFile(size_t size) {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::vector<uint8_t> bytes(size, 0xA5);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, size, file), size);
    std::fclose(file);
  }
  std::string path_ = (std::filesystem::temp_directory_path() /
                       (std::string("sim_flash_") +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin"))
                          .string();
};

TEST_F(SpiFlashFileTest, SaveAndLoadRoundTrip) {
  for (size_t i = 0; i < flash_.memory().size(); ++i) flash_.memory()[i] = uint8_t(i * 7);
  std::string error;
  ASSERT_TRUE(flash_.Save(path_, error)) << error;
  EXPECT_EQ(std::filesystem::file_size(path_), flash_.part().capacity);

  SpiFlash other(flash_.part(), clock_);
  ASSERT_TRUE(other.Load(path_, error)) << error;
  EXPECT_EQ(other.memory(), flash_.memory());
}

TEST_F(SpiFlashFileTest, LoadRefusesAFileOfTheWrongSize) {
  std::string error;
  for (size_t size : {size_t{flash_.part().capacity} - 1, size_t{flash_.part().capacity} + 1}) {
    WriteFile(size);
    error.clear();
    EXPECT_FALSE(flash_.Load(path_, error));
    EXPECT_NE(error.find("524288"), std::string::npos) << error;
  }
  EXPECT_EQ(flash_.memory()[0], 0xFF) << "a refused file leaves the memory as it was";
  std::filesystem::remove(path_);
  error.clear();
  EXPECT_FALSE(flash_.Load(path_, error));
  EXPECT_FALSE(error.empty());
}

TEST_F(SpiFlashFileTest, ShortWriteIsAFailure) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "needs /dev/full";
  std::string error;
  EXPECT_FALSE(flash_.Save("/dev/full", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace sim
