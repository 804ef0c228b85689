#pragma once
// The value of an element's text such as "0x0102".

#include <cstdint>
#include <string_view>

namespace settings {

// Reads the hexadecimal digits after an optional "0x" prefix, up to the first other character.
// A value wider than 32 bits keeps its low 32 bits, as a narrow element keeps its low bytes.
// No digit reads as 0.
std::uint32_t ParseHexValue(std::string_view text);

}  // namespace settings
