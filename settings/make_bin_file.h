#pragma once
// MakeBinFile turns a setting text (tables written like C array declarations) into the compact
// binary the camera keeps its setting tables in, and logs what it read.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/parse_result.h"
#include "settings/setting_table.h"

namespace settings {

// What the binary's one-byte table count and 16-bit directory fields can hold.
inline constexpr std::size_t kMaxTables = 255;
inline constexpr std::size_t kMaxBinaryLength = 65535;
inline constexpr std::size_t kMaxTableDataLength = 65535;
inline constexpr std::size_t kDirectoryEntryLength = 9;

class MakeBinFile {
 public:
  MakeBinFile() = default;
  MakeBinFile(const MakeBinFile&) = delete;
  MakeBinFile& operator=(const MakeBinFile&) = delete;
  virtual ~MakeBinFile();

  // Reads the text file whole and replaces the table list with its tables; writes the log
  // (see SettingLogPath) into `logDirectory`. Returns a ParseResult; on failure the list is
  // empty.
  int Parse(const std::filesystem::path& textPath, const std::filesystem::path& logDirectory);

  // The same for text already in memory (single-byte or UTF-16 little-endian); returns the log.
  std::string ParseText(std::string_view bytes);

  // Writes the binary form into `destination`; returns its length. Writes nothing and returns 0
  // when RefusalReason(destination.size()) is not empty (no table, or it does not fit).
  std::size_t Serialize(std::span<std::uint8_t> destination) const;

  // Destroys all tables.
  void Clear();

  const std::vector<SettingTable>& Tables() const { return tables_; }

  // 1 + 9n + the tables' name and data bytes; 0 with no table.
  std::size_t BinaryLength() const;

  // Why the tables cannot be written into a buffer of `capacity` bytes; empty when they can.
  std::string RefusalReason(std::size_t capacity) const;

 private:
  std::vector<SettingTable> tables_;  // in the order of their "[" in the text
};

}  // namespace settings
