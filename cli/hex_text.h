#pragma once
// Bytes and numbers as the tool prints and reads them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

// "01 00 80 02": bytes in hex, separated by blanks.
std::string HexBytes(const uint8_t* bytes, size_t length);

// "0x3A5C".
std::string Hex16(uint16_t value);

// A 16-bit number written in hex, with or without "0x"; nothing when it is not one.
std::optional<uint16_t> ParseHex16(std::string_view text);

}  // namespace cli
