// Arbitrary bytes as a setting text: the conversion must stay inside its buffers and any binary
// it writes must describe itself exactly: a count, a directory whose entries follow each other
// through the data area, and a length that ends with the last table's data.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "settings/make_bin_file.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "settings_convert_fuzz: %s\n", what);
  std::abort();
}

std::uint32_t Field16(const std::vector<std::uint8_t>& binary, std::size_t at) {
  return binary[at] | (binary[at + 1] << 8);
}

void CheckBinary(const std::vector<std::uint8_t>& binary, std::size_t length,
                 const std::vector<settings::SettingTable>& tables) {
  Require(length >= 1, "empty binary written");
  const std::size_t count = binary[0];
  Require(count >= 1 && count == tables.size(), "table count differs from the tables");
  const std::size_t dataStart = 1 + settings::kDirectoryEntryLength * count;
  Require(dataStart <= length, "directory runs past the binary");

  std::size_t cursor = dataStart;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = 1 + settings::kDirectoryEntryLength * i;
    const std::size_t namePosition = Field16(binary, entry);
    const std::size_t nameLength = Field16(binary, entry + 2);
    const std::size_t dataPosition = Field16(binary, entry + 4);
    const std::uint32_t width = binary[entry + 6];
    const std::size_t dataLength = Field16(binary, entry + 7);
    const settings::SettingTable& table = tables[i];

    Require(namePosition == cursor, "name does not follow the previous table");
    Require(nameLength == table.name.size(), "name length differs");
    Require(namePosition + nameLength <= length, "name runs past the binary");
    Require(std::string_view(reinterpret_cast<const char*>(binary.data()) + namePosition,
                             nameLength) == table.name,
            "name bytes differ");
    cursor += nameLength;

    Require(width == 1 || width == 2 || width == 4, "width is not 1, 2 or 4");
    Require(dataLength == table.count * width && table.count == table.elements.size(),
            "data length differs from the elements");
    // A table whose list never opened keeps the data area's start as its element position.
    Require(dataPosition == cursor || (dataLength == 0 && dataPosition == dataStart),
            "elements do not follow the name");
    Require(cursor + dataLength <= length, "elements run past the binary");
    for (std::size_t e = 0; e < table.elements.size(); ++e) {
      for (std::uint32_t b = 0; b < width; ++b) {
        Require(binary[cursor + e * width + b] ==
                    static_cast<std::uint8_t>(table.elements[e] >> (8 * b)),
                "element bytes differ");
      }
    }
    cursor += dataLength;
  }
  Require(cursor == length, "binary length differs from its directory");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  settings::MakeBinFile converter;
  converter.ParseText(std::string_view(reinterpret_cast<const char*>(data), size));

  // The largest binary the directory allows, and a small destination that most texts overflow.
  for (const std::size_t capacity : {settings::kMaxBinaryLength, std::size_t{64}}) {
    std::vector<std::uint8_t> binary(capacity);  // exactly the capacity: overruns are caught
    const std::size_t length = converter.Serialize(binary);
    if (!converter.RefusalReason(capacity).empty()) {
      Require(length == 0, "refused binary was written");
      continue;
    }
    Require(length == converter.BinaryLength(), "written length differs from BinaryLength");
    Require(length <= capacity, "binary larger than its destination");
    CheckBinary(binary, length, converter.Tables());
  }
  return 0;
}
