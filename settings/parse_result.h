#pragma once
// The results of MakeBinFile::Parse and the texts that explain them.

#include <filesystem>
#include <string>

namespace settings {

enum ParseResult : int {
  kParseOk = 0,
  kParseTextUnreadable = 1,  // the text file cannot be opened or read
  kParseLogNotCreated = 2,   // the log file cannot be created or written
  kParseNoMemory = 3,        // no memory for the text or its tables
};

// A sentence for the user, e.g. "cannot open the setting text \"a.txt\""; empty for kParseOk.
std::string DescribeParseResult(int result, const std::filesystem::path& textPath,
                                const std::filesystem::path& logPath);

}  // namespace settings
