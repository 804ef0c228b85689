#pragma once
// Helpers of the setting converter's tests: in-memory conversion and a scratch directory.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/make_bin_file.h"
#include "settings/setting_table.h"

namespace settings_test {

struct Converted {
  std::vector<std::uint8_t> binary;  // empty when refused
  std::string log;
  std::string refusal;  // RefusalReason for the capacity given
  std::vector<settings::SettingTable> tables;
};

// Parses `text` and serialises it into a buffer of `capacity` bytes.
Converted Convert(std::string_view text, std::size_t capacity = settings::kMaxBinaryLength);

// The table's elements as written in its data area.
std::vector<std::uint8_t> DataBytes(const Converted& converted, std::size_t table);

// The text widened to UTF-16 little-endian, with or without a byte-order mark.
std::string Utf16(std::string_view text, bool withMark);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, std::string_view content);

// A fresh directory under the system's temporary directory, removed with its content.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace settings_test
