#include "settings/parse_result.h"

namespace settings {

std::string DescribeParseResult(int result, const std::filesystem::path& textPath,
                                const std::filesystem::path& logPath) {
  switch (result) {
    case kParseOk:
      return {};
    case kParseTextUnreadable:
      return "cannot read the setting text \"" + textPath.string() + "\"";
    case kParseLogNotCreated:
      return "cannot create the log file \"" + logPath.string() + "\"";
    case kParseNoMemory:
      return "not enough memory to convert \"" + textPath.string() + "\"";
    default:
      return "unknown conversion result " + std::to_string(result);
  }
}

}  // namespace settings
