#include "settings/text_encoding.h"

#include <cstddef>

namespace settings {
namespace {

bool HasUtf16Mark(std::string_view bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xFE;
}

}  // namespace

bool IsUtf16LittleEndian(std::string_view bytes) {
  if (HasUtf16Mark(bytes)) return true;
  if (bytes.empty() || bytes.size() % 2 != 0) return false;
  for (std::size_t i = 1; i < bytes.size(); i += 2) {
    if (bytes[i] != '\0') return false;
  }
  return true;
}

std::string NarrowSettingText(std::string_view bytes) {
  if (!IsUtf16LittleEndian(bytes)) return std::string(bytes);
  const std::size_t start = HasUtf16Mark(bytes) ? 2 : 0;
  std::string narrow;
  narrow.reserve((bytes.size() - start) / 2);
  // A trailing odd byte is half a character and is dropped.
  for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
    const unsigned char high = static_cast<unsigned char>(bytes[i + 1]);
    narrow.push_back(high == 0 ? bytes[i] : '?');
  }
  return narrow;
}

}  // namespace settings
