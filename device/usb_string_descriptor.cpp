#include "device/usb_string_descriptor.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The next code point of text at pos; malformed input yields U+FFFD and skips one byte.
char32_t NextCodePoint(std::string_view text, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(pos);
  size_t extra = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + extra >= text.size()) {  // cut short
    ++pos;
    return kReplacement;
  }
  for (size_t i = 1; i <= extra; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += extra + 1;
  return cp;
}

void AppendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

size_t EncodeStringDescriptor(std::string_view utf8, uint8_t out[kStringDescriptorSize]) {
  std::vector<char16_t> units;
  for (size_t pos = 0; pos < utf8.size() && units.size() <= kStringDescriptorUnits;) {
    const char32_t cp = NextCodePoint(utf8, pos);
    if (cp == 0) break;  // the text ends at a NUL, as a C string does
    if (cp >= 0x10000) {
      units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(cp));
    }
  }
  size_t stored = std::min(units.size(), kStringDescriptorUnits);
  // Never keep half of a surrogate pair.
  if (stored == kStringDescriptorUnits && units.size() > stored && units[stored - 1] >= 0xD800 &&
      units[stored - 1] <= 0xDBFF) {
    --stored;
  }
  std::memset(out, 0, kStringDescriptorSize);
  out[0] = static_cast<uint8_t>(2 + 2 * stored);
  out[1] = kStringDescriptorType;
  for (size_t i = 0; i < stored; ++i) {
    out[2 + 2 * i] = units[i] & 0xFF;
    out[3 + 2 * i] = units[i] >> 8;
  }
  return stored;
}

std::string DecodeStringDescriptor(const uint8_t descriptor[kStringDescriptorSize]) {
  const size_t declared = descriptor[0] < 2 ? 0 : (descriptor[0] - 2u) / 2u;
  const size_t count = std::min(declared, kStringDescriptorUnits);
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    const char16_t unit =
        static_cast<char16_t>(descriptor[2 + 2 * i] | (descriptor[3 + 2 * i] << 8));
    if (unit == 0) break;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count) {
      const char16_t low =
          static_cast<char16_t>(descriptor[4 + 2 * i] | (descriptor[5 + 2 * i] << 8));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(0x10000 + ((char32_t{unit} - 0xD800) << 10) + (low - 0xDC00), text);
        ++i;
        continue;
      }
    }
    AppendUtf8((unit >= 0xD800 && unit <= 0xDFFF) ? kReplacement : char32_t{unit}, text);
  }
  return text;
}
