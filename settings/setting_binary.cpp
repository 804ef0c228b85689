// The binary form of the parsed tables: a one-byte count, a 9-byte directory entry per table,
// then each table's name and elements, all little-endian.

#include <string>

#include "settings/make_bin_file.h"

namespace settings {
namespace {

void PutLittleEndian(std::uint8_t* at, std::uint32_t value, std::uint32_t bytes) {
  for (std::uint32_t i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::size_t MakeBinFile::BinaryLength() const {
  if (tables_.empty()) return 0;
  std::size_t length = 1 + kDirectoryEntryLength * tables_.size();
  for (const SettingTable& table : tables_) length += table.nameLength + table.DataLength();
  return length;
}

std::string MakeBinFile::RefusalReason(std::size_t capacity) const {
  if (tables_.empty()) return "the text holds no setting table";
  if (tables_.size() > kMaxTables) {
    return "the text holds " + std::to_string(tables_.size()) +
           " tables; a setting binary holds at most " + std::to_string(kMaxTables);
  }
  for (const SettingTable& table : tables_) {
    if (table.DataLength() > kMaxTableDataLength) {
      return "table \"" + table.name + "\" holds " + std::to_string(table.DataLength()) +
             " data bytes; a table holds at most " + std::to_string(kMaxTableDataLength);
    }
  }
  const std::size_t length = BinaryLength();
  if (length > kMaxBinaryLength) {
    return "the binary would be " + std::to_string(length) +
           " bytes; a setting binary holds at most " + std::to_string(kMaxBinaryLength);
  }
  if (length > capacity) {
    return "the binary would be " + std::to_string(length) + " bytes; its destination holds " +
           std::to_string(capacity);
  }
  return {};
}

std::size_t MakeBinFile::Serialize(std::span<std::uint8_t> destination) const {
  if (!RefusalReason(destination.size()).empty()) return 0;
  const std::size_t dataStart = 1 + kDirectoryEntryLength * tables_.size();
  std::uint8_t* out = destination.data();
  out[0] = static_cast<std::uint8_t>(tables_.size());
  for (std::size_t i = 0; i < tables_.size(); ++i) {
    const SettingTable& table = tables_[i];
    std::uint8_t* entry = out + 1 + kDirectoryEntryLength * i;
    PutLittleEndian(entry + 0, static_cast<std::uint32_t>(table.nameOffset + dataStart), 2);
    PutLittleEndian(entry + 2, static_cast<std::uint32_t>(table.nameLength), 2);
    PutLittleEndian(entry + 4, static_cast<std::uint32_t>(table.dataOffset + dataStart), 2);
    PutLittleEndian(entry + 6, table.width, 1);
    PutLittleEndian(entry + 7, static_cast<std::uint32_t>(table.DataLength()), 2);
  }
  // The data area in table order; the offsets in the directory were taken in the same order.
  std::uint8_t* data = out + dataStart;
  for (const SettingTable& table : tables_) {
    for (char c : table.name) *data++ = static_cast<std::uint8_t>(c);
    for (std::uint32_t value : table.elements) {
      PutLittleEndian(data, value, table.width);
      data += table.width;
    }
  }
  return static_cast<std::size_t>(data - out);
}

}  // namespace settings
