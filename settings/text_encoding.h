#pragma once
// Setting texts come as single-byte text or as UTF-16 little-endian text (as saved by
// Windows editors); the converter scans single-byte characters only.

#include <string>
#include <string_view>

namespace settings {

// True for UTF-16 little-endian text: a byte-order mark FF FE, or an even length with every
// second byte zero.
bool IsUtf16LittleEndian(std::string_view bytes);

// The text as single-byte characters: UTF-16 little-endian text is narrowed (its byte-order mark
// dropped, characters above 0xFF become "?"); any other text is returned unchanged.
std::string NarrowSettingText(std::string_view bytes);

}  // namespace settings
