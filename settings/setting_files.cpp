#include "settings/setting_files.h"

#include <fstream>
#include <new>
#include <system_error>

namespace settings {

ParseResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return kParseTextUnreadable;  // missing, a directory, or not accessible
  std::ifstream file(path, std::ios::binary);
  if (!file) return kParseTextUnreadable;
  try {
    bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return kParseNoMemory;
  } catch (const std::length_error&) {
    return kParseNoMemory;
  }
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) return kParseTextUnreadable;
  // A file that shrank since its size was taken gives what it still holds.
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return kParseOk;
}

std::filesystem::path SettingLogPath(const std::filesystem::path& textPath,
                                     const std::filesystem::path& logDirectory) {
  std::filesystem::path name = textPath.filename();
  name.replace_extension(".log");
  return logDirectory / name;
}

ParseResult WriteSettingLog(const std::filesystem::path& logPath,
                            const std::filesystem::path& textPath, std::string_view text) {
  std::error_code error;
  if (std::filesystem::equivalent(logPath, textPath, error)) return kParseLogNotCreated;
  std::ofstream log(logPath, std::ios::binary | std::ios::trunc);
  if (!log) return kParseLogNotCreated;
  log.write(text.data(), static_cast<std::streamsize>(text.size()));
  log.close();
  return log ? kParseOk : kParseLogNotCreated;
}

}  // namespace settings
