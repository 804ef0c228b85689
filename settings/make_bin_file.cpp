#include "settings/make_bin_file.h"

#include <new>

#include "settings/setting_files.h"
#include "settings/setting_text_scanner.h"
#include "settings/text_encoding.h"

namespace settings {

MakeBinFile::~MakeBinFile() {
  Clear();
}

void MakeBinFile::Clear() {
  tables_.clear();
}

std::string MakeBinFile::ParseText(std::string_view bytes) {
  Clear();
  std::string log;
  if (IsUtf16LittleEndian(bytes)) {
    const std::string narrow = NarrowSettingText(bytes);
    SettingTextScanner(narrow, tables_, log).Run();
  } else {
    // Single-byte text is scanned where it lies.
    SettingTextScanner(bytes, tables_, log).Run();
  }
  return log;
}

int MakeBinFile::Parse(const std::filesystem::path& textPath,
                       const std::filesystem::path& logDirectory) {
  Clear();
  std::string bytes;
  const ParseResult read = ReadWholeFile(textPath, bytes);
  if (read != kParseOk) return read;

  std::string log;
  try {
    log = ParseText(bytes);
  } catch (const std::bad_alloc&) {
    Clear();
    return kParseNoMemory;
  }
  if (WriteSettingLog(SettingLogPath(textPath, logDirectory), textPath, log) != kParseOk) {
    Clear();
    return kParseLogNotCreated;
  }
  return kParseOk;
}

}  // namespace settings
