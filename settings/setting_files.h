#pragma once
// The two files of a conversion: the setting text, read whole, and its log.

#include <filesystem>
#include <string>
#include <string_view>

#include "settings/parse_result.h"

namespace settings {

// Reads the whole file in binary mode into `bytes`: kParseOk, kParseTextUnreadable or
// kParseNoMemory.
ParseResult ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// The log of a text: its base name with ".log", in `logDirectory` (the running program's
// directory); "C:/in/backend_init.txt" gives "<logDirectory>/backend_init.log".
std::filesystem::path SettingLogPath(const std::filesystem::path& textPath,
                                     const std::filesystem::path& logDirectory);

// Creates or truncates the log and writes `text` into it: kParseOk or kParseLogNotCreated.
// Refuses a log that would be the text file itself (a text named "x.log" beside the program).
ParseResult WriteSettingLog(const std::filesystem::path& logPath,
                            const std::filesystem::path& textPath, std::string_view text);

}  // namespace settings
