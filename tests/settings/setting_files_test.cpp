// Parse and MakeSettingBin with real files: the results, the log beside the program, reasons.

#include "settings/setting_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/make_bin_file.h"
#include "settings/make_setting_bin.h"
#include "settings_test_support.h"
#include "worked_example.h"

namespace settings_test {
namespace {

class SettingFiles : public testing::Test {
 protected:
  ScratchDirectory texts;
  ScratchDirectory program;
  settings::MakeBinFile converter;
};

TEST_F(SettingFiles, ParseReturnsZeroAndReplacesAnOlderLog) {
  WriteFile(program / "SensorSetting.log", std::string(500, 'x'));
  WriteFile(texts / "SensorSetting.txt", kWorkedExampleText);
  EXPECT_EQ(converter.Parse(texts / "SensorSetting.txt", program.path()), settings::kParseOk);
  EXPECT_EQ(converter.Tables().size(), 2u);
  EXPECT_EQ(ReadFile(program / "SensorSetting.log"), kWorkedExampleLog);
}

TEST_F(SettingFiles, UnreadableTextGivesOneAndNoLog) {
  converter.ParseText(kWorkedExampleText);  // tables of an earlier text must not survive
  EXPECT_EQ(converter.Parse(texts / "missing.txt", program.path()), settings::kParseTextUnreadable);
  EXPECT_EQ(converter.Parse(texts.path(), program.path()), settings::kParseTextUnreadable)
      << "a directory is no text";
  EXPECT_TRUE(converter.Tables().empty());
  EXPECT_FALSE(std::filesystem::exists(program / "missing.log"));
}

TEST_F(SettingFiles, LogThatCannotBeCreatedGivesTwoAndNoTables) {
  WriteFile(texts / "a.txt", kWorkedExampleText);
  EXPECT_EQ(converter.Parse(texts / "a.txt", program / "no such dir"),
            settings::kParseLogNotCreated);
  EXPECT_TRUE(converter.Tables().empty());
}

TEST_F(SettingFiles, TextNamedLikeItsLogIsNotOverwritten) {
  WriteFile(program / "table.log", kWorkedExampleText);
  EXPECT_EQ(converter.Parse(program / "table.log", program.path()), settings::kParseLogNotCreated);
  EXPECT_EQ(ReadFile(program / "table.log"), kWorkedExampleText);
}

TEST_F(SettingFiles, LogIsNamedAfterTheTextsBaseName) {
  EXPECT_EQ(settings::SettingLogPath("in/dir/backend_init.txt", "prog"),
            std::filesystem::path("prog") / "backend_init.log");
  EXPECT_EQ(settings::SettingLogPath("noext", "prog"), std::filesystem::path("prog") / "noext.log");
}

TEST_F(SettingFiles, MakeSettingBinGivesLengthZeroAndAReason) {
  std::vector<std::uint8_t> buffer(4096, 0xEE);
  std::size_t length = 7;
  std::string reason;

  EXPECT_EQ(settings::MakeSettingBin(texts / "missing.txt", program.path(), buffer, length, reason),
            1);
  EXPECT_EQ(length, 0u);
  EXPECT_NE(reason.find("missing.txt"), std::string::npos) << reason;

  WriteFile(texts / "empty.txt", "// nothing but a comment\r\n");
  settings::MakeSettingBin(texts / "empty.txt", program.path(), buffer, length, reason);
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(reason, "the text holds no setting table");

  WriteFile(texts / "worked.txt", kWorkedExampleText);
  settings::MakeSettingBin(texts / "worked.txt", program.path(), std::span(buffer).first(16),
                           length, reason);
  EXPECT_EQ(length, 0u);
  EXPECT_NE(reason.find("32 bytes"), std::string::npos) << reason;
  EXPECT_EQ(buffer, std::vector<std::uint8_t>(4096, 0xEE));
}

}  // namespace
}  // namespace settings_test
