#include "cli/hex_text.h"

#include <charconv>
#include <cstdio>

namespace cli {

std::string HexBytes(const uint8_t* bytes, size_t length) {
  std::string out;
  for (size_t i = 0; i < length; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, i == 0 ? "%02X" : " %02X", bytes[i]);
    out += hex;
  }
  return out;
}

std::string Hex16(uint16_t value) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%04X", value);
  return hex;
}

std::optional<uint16_t> ParseHex16(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.remove_prefix(2);
  if (text.empty()) return std::nullopt;
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (error != std::errc() || end != text.data() + text.size() || value > 0xFFFF) {
    return std::nullopt;
  }
  return static_cast<uint16_t>(value);
}

}  // namespace cli
