#include "cli/settings_command.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "settings/make_bin_file.h"
#include "settings/setting_files.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

struct ConvertArguments {
  std::string input;
  std::string output;
};

// The log goes beside the running program. Where the system cannot say where that is, the
// current directory stands in.
fs::path ExecutableDirectory() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (!error && self.has_parent_path()) return self.parent_path();
  const fs::path current = fs::current_path(error);
  return error ? fs::path(".") : current;
}

// Writes to a temporary file beside `path` and renames it into place, so a failed write never
// leaves a half-written binary under the requested name.
bool WriteWholeFile(const fs::path& path, std::span<const std::uint8_t> bytes,
                    std::string& problem) {
  fs::path temporary = path;
  temporary += ".tmp";
  std::error_code error;
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) {
      problem =
          "cannot write \"" + path.string() + "\" (cannot create \"" + temporary.string() + "\")";
      return false;
    }
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
      fs::remove(temporary, error);
      problem =
          "cannot write \"" + path.string() + "\" (writing \"" + temporary.string() + "\" failed)";
      return false;
    }
  }
  fs::rename(temporary, path, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    problem = "cannot replace \"" + path.string() + "\": " + error.message();
    return false;
  }
  return true;
}

int RunConvert(const ConvertArguments& arguments, CommandContext& context) {
  const fs::path input = arguments.input;
  const fs::path output = arguments.output;
  const fs::path logDirectory = ExecutableDirectory();
  const fs::path logPath = settings::SettingLogPath(input, logDirectory);

  settings::MakeBinFile converter;
  const int parsed = converter.Parse(input, logDirectory);
  if (parsed != settings::kParseOk) {
    std::fprintf(context.err, "tavelin-fw: settings convert: %s\n",
                 settings::DescribeParseResult(parsed, input, logPath).c_str());
    return kExitFailure;
  }

  // The largest binary the 16-bit directory can describe.
  std::vector<std::uint8_t> binary(settings::kMaxBinaryLength);
  const std::string refusal = converter.RefusalReason(binary.size());
  if (!refusal.empty()) {
    std::fprintf(context.err, "tavelin-fw: settings convert: \"%s\" refused: %s\n",
                 input.string().c_str(), refusal.c_str());
    std::fprintf(context.err, "log: %s\n", logPath.string().c_str());
    return kExitRefused;
  }
  binary.resize(converter.Serialize(binary));

  std::string problem;
  if (!WriteWholeFile(output, binary, problem)) {
    std::fprintf(context.err, "tavelin-fw: settings convert: %s\n", problem.c_str());
    return kExitFailure;
  }
  const std::size_t tables = converter.Tables().size();
  std::fprintf(context.out, "%zu %s, %zu bytes written to %s\n", tables,
               tables == 1 ? "table" : "tables", binary.size(), output.string().c_str());
  std::fprintf(context.out, "log: %s\n", logPath.string().c_str());
  return kExitOk;
}

}  // namespace

void AddSettingsCommand(CLI::App& app, CommandContext& context) {
  CLI::App* settingsCommand = app.add_subcommand("settings", "Setting-table tools");
  settingsCommand->require_subcommand(1);
  CLI::App* convert = settingsCommand->add_subcommand(
      "convert", "Convert a setting text into the camera's setting binary (needs no camera)");
  auto arguments = std::make_shared<ConvertArguments>();
  convert->add_option("IN", arguments->input, "Setting text to read")->required();
  convert->add_option("OUT", arguments->output, "Binary file to write")->required();
  convert->callback([&context, arguments] { context.exitCode = RunConvert(*arguments, context); });
}

}  // namespace cli
