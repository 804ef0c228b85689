#include "worked_example.h"

#include <gtest/gtest.h>

#include <vector>

#include "settings/make_setting_bin.h"
#include "settings_test_support.h"

namespace settings_test {
namespace {

TEST(WorkedExample, FileGivesItsBytesAndItsLogBesideTheProgram) {
  ScratchDirectory texts;
  ScratchDirectory program;
  WriteFile(texts / "backend_init.txt", kWorkedExampleText);
  std::vector<std::uint8_t> buffer(4096, 0xEE);
  std::size_t length = 99;
  std::string reason = "stale";

  EXPECT_EQ(
      settings::MakeSettingBin(texts / "backend_init.txt", program.path(), buffer, length, reason),
      1);

  EXPECT_EQ(length, 32u);
  EXPECT_EQ(reason, "");
  EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 32), kWorkedExampleBinary);
  EXPECT_EQ(buffer[32], 0xEE) << "written past the binary";
  EXPECT_EQ(ReadFile(program / "backend_init.log"), kWorkedExampleLog);
  EXPECT_FALSE(std::filesystem::exists(texts / "backend_init.log"));
}

TEST(WorkedExample, RecordsHoldTheirPlacesInTheDataArea) {
  const Converted converted = Convert(kWorkedExampleText);
  ASSERT_EQ(converted.tables.size(), 2u);
  const settings::SettingTable& gain = converted.tables[0];
  const settings::SettingTable& mode = converted.tables[1];
  EXPECT_EQ(gain.name, "Gain");
  EXPECT_EQ(gain.nameOffset, 0u);
  EXPECT_EQ(gain.dataOffset, 4u);
  EXPECT_EQ(gain.count, 2u);
  EXPECT_EQ(gain.width, 2u);
  EXPECT_EQ(gain.elements, (std::vector<std::uint32_t>{0x0102, 0x0304}));
  EXPECT_EQ(mode.name, "Mode");
  EXPECT_EQ(mode.nameOffset, 8u);
  EXPECT_EQ(mode.dataOffset, 12u);
  EXPECT_EQ(mode.count, 1u);
  EXPECT_EQ(mode.width, 1u);
}

}  // namespace
}  // namespace settings_test
