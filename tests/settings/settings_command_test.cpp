// tavelin-fw settings convert: files written, exit codes, messages.

#include "cli/settings_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "settings_test_support.h"
#include "worked_example.h"

namespace settings_test {
namespace {

namespace fs = std::filesystem;

std::string Drain(std::FILE* file) {
  std::string text;
  std::rewind(file);
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
    text.push_back(static_cast<char>(c));
  std::fclose(file);
  return text;
}

class SettingsCommand : public testing::Test {
 protected:
  // A name no parallel test shares: the log of every run lands beside the test program.
  std::string UniqueName(std::string_view suffix) const {
    return dir.path().filename().string() + std::string(suffix);
  }

  int Run(const std::vector<std::string>& arguments) {
    CLI::App app{"test", "tavelin-fw"};
    app.require_subcommand(1);
    cli::CommandContext context;
    context.out = std::tmpfile();
    context.err = std::tmpfile();
    cli::AddSettingsCommand(app, context);
    std::vector<const char*> argv{"tavelin-fw"};
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    int code = context.exitCode;
    try {
      app.parse(static_cast<int>(argv.size()), argv.data());
      code = context.exitCode;
    } catch (const CLI::ParseError&) {
      code = cli::kExitUsage;
    }
    out = Drain(context.out);
    err = Drain(context.err);
    return code;
  }

  // The log path the command reported, removed when the test ends.
  fs::path ReportedLog(const std::string& text) {
    const std::size_t at = text.find("log: ");
    if (at == std::string::npos) return {};
    logs.emplace_back(text.substr(at + 5, text.find('\n', at) - at - 5));
    return logs.back();
  }

  void TearDown() override {
    for (const fs::path& log : logs) fs::remove(log);
  }

  ScratchDirectory dir;
  std::vector<fs::path> logs;
  std::string out;
  std::string err;
};

TEST_F(SettingsCommand, ConvertsTheWorkedExample) {
  const fs::path input = dir / UniqueName(".txt");
  WriteFile(input, kWorkedExampleText);

  EXPECT_EQ(Run({"settings", "convert", input.string(), (dir / "out.bin").string()}), cli::kExitOk)
      << err;

  const std::string binary = ReadFile(dir / "out.bin");
  EXPECT_EQ(std::vector<std::uint8_t>(binary.begin(), binary.end()), kWorkedExampleBinary);
  EXPECT_NE(out.find("2 tables, 32 bytes"), std::string::npos) << out;
  const fs::path log = ReportedLog(out);
  EXPECT_EQ(log.parent_path(), fs::read_symlink("/proc/self/exe").parent_path());
  EXPECT_EQ(log.filename(), UniqueName(".log"));
  EXPECT_EQ(ReadFile(log), kWorkedExampleLog);
  EXPECT_FALSE(fs::exists(dir / "out.bin.tmp"));
}

TEST_F(SettingsCommand, TextWithoutTablesIsRefusedAndLeavesTheOutputAlone) {
  const fs::path input = dir / UniqueName(".txt");
  WriteFile(input, "// no tables\r\n");
  WriteFile(dir / "out.bin", "old");

  EXPECT_EQ(Run({"settings", "convert", input.string(), (dir / "out.bin").string()}),
            cli::kExitRefused);

  EXPECT_NE(err.find("no setting table"), std::string::npos) << err;
  ReportedLog(err);
  EXPECT_EQ(ReadFile(dir / "out.bin"), "old");
}

TEST_F(SettingsCommand, UnreadableInputFailsWithoutOutput) {
  EXPECT_EQ(
      Run({"settings", "convert", (dir / "missing.txt").string(), (dir / "out.bin").string()}),
      cli::kExitFailure);
  EXPECT_NE(err.find("missing.txt"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(dir / "out.bin"));
}

TEST_F(SettingsCommand, UnwritableOutputFailsWithNothingHalfWritten) {
  const fs::path input = dir / UniqueName(".txt");
  WriteFile(input, kWorkedExampleText);
  fs::create_directory(dir / "taken");

  EXPECT_EQ(Run({"settings", "convert", input.string(), (dir / "nowhere" / "out.bin").string()}),
            cli::kExitFailure);
  EXPECT_NE(err.find("nowhere"), std::string::npos) << err;

  // The output's name is a directory: the rename fails and the temporary file goes again.
  EXPECT_EQ(Run({"settings", "convert", input.string(), (dir / "taken").string()}),
            cli::kExitFailure);
  EXPECT_TRUE(fs::is_directory(dir / "taken"));
  EXPECT_FALSE(fs::exists(dir / "taken.tmp"));
  logs.push_back(fs::read_symlink("/proc/self/exe").parent_path() / UniqueName(".log"));
}

TEST_F(SettingsCommand, MissingArgumentsAreAUsageError) {
  EXPECT_EQ(Run({"settings", "convert", "only-one.txt"}), cli::kExitUsage);
  EXPECT_EQ(Run({"settings"}), cli::kExitUsage);
}

}  // namespace
}  // namespace settings_test
