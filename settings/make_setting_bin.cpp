#include "settings/make_setting_bin.h"

#include "settings/make_bin_file.h"
#include "settings/setting_files.h"

namespace settings {

int MakeSettingBin(const std::filesystem::path& textPath, const std::filesystem::path& logDirectory,
                   std::span<std::uint8_t> destination, std::size_t& length, std::string& reason) {
  length = 0;
  reason.clear();
  MakeBinFile converter;
  converter.Clear();
  const int parsed = converter.Parse(textPath, logDirectory);
  if (parsed != kParseOk) {
    reason = DescribeParseResult(parsed, textPath, SettingLogPath(textPath, logDirectory));
    return 1;
  }
  reason = converter.RefusalReason(destination.size());
  if (reason.empty()) length = converter.Serialize(destination);
  return 1;
}

}  // namespace settings
