#pragma once
// One table parsed from a setting text: its name and elements, and where they sit in the
// binary's data area.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace settings {

struct SettingTable {
  // Offsets and counts are kept wider than the binary's 16-bit directory fields so that a large
  // text cannot wrap them while it is parsed; the binary's limits are checked when it is built.
  std::size_t nameOffset = 0;  // offset of the name within the data area
  std::size_t nameLength = 0;  // number of name characters, one byte each
  std::size_t dataOffset = 0;  // offset of the first element within the data area; 0 until "{"
  std::size_t count = 0;       // number of elements
  std::uint32_t width = 0;     // element width in bytes: 1, 2 or 4
  std::string name;            // the table name, not terminated in the binary
  std::vector<std::uint32_t> elements;  // element values in text order

  std::size_t DataLength() const { return count * width; }
};

}  // namespace settings
