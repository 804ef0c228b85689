#pragma once
// The identity of a firmware image file as the device detection reads it: only the first 64 KB
// of the file, where flash address a is file offset a + 4. The boot header gives the image base
// and so the user-data block's address U; the block gives the firmware version and product id.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace ui {

inline constexpr size_t kIdentityReadSize = 0x10000;  // bytes of the file the detection reads
inline constexpr uint32_t kImageFlashOffset = 4;      // the checksum comes first
inline constexpr uint32_t kUserDataReadLength = 268;  // block bytes the detection needs in view

struct ImageIdentity {
  uint32_t bootAddr = 0;
  uint32_t userCodeAddr = 0;
  uint32_t userCodeSize = 0;
  uint32_t userDataAddress = 0;  // U: flash address of the user-data block
  bool blockInView = false;      // U <= 0x10000 and the block's 268 bytes lie in the 64 KB read
  uint16_t fwVersion = 0;        // 0 unless blockInView
  uint16_t pid = 0;              // 0 unless blockInView
};

// From the first bytes of a file: a shorter span reads as if the rest were zero, bytes beyond
// the first 64 KB are not looked at.
ImageIdentity ImageIdentityFromBytes(std::span<const uint8_t> fileStart);

// Reads up to buffer.size() bytes from the start of the file at path into buffer and zero-fills
// the rest; false when the file cannot be opened or read.
bool ReadFileStart(const std::string& path, std::span<uint8_t> buffer);

// Reads the first 64 KB of the file at path; nothing when it cannot be opened or read.
std::optional<ImageIdentity> ReadImageIdentity(const std::string& path);

}  // namespace ui
