#pragma once
// Firmware image files, made: a 4-byte little-endian CRC-32 of the payload, then the payload,
// which is the flash image from address 0 (boot header with magic 1A EB, code, and the user-data
// block 0x2000 behind the image base). Such an image carries its own header and is written to
// the camera unchanged. The flash layout itself is written by device/flash_layout.h only.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "device/flash_layout.h"

namespace transfer {

// The download loads at most this many bytes of a file, checksum included, and checks the
// checksum over that prefix only: a longer image could not be written whole.
inline constexpr uint32_t kImageFileLimit = 262144;
inline constexpr uint32_t kImageChecksumSize = 4;

// Where the builder puts the images. Layout 1: one boot image from 0x1000. Layout 2: a 16 KB
// boot image from 0x1000 and the user-code image right behind it, so that its user data
// (0x2000 further on) stays below 0x10000.
inline constexpr uint32_t kImageBootAddr = 0x001000;
inline constexpr uint32_t kImageLayout2BootSize = 0x004000;
inline constexpr uint32_t kImageLayout2UserCodeAddr = kImageBootAddr + kImageLayout2BootSize;

inline constexpr uint32_t kDefaultImageFileSize = 196608;  // 192 KB

struct ImageRecipe {
  CameraIdentity identity;                    // version, ids and texts of the user-data block
  int layout = 1;                             // 1 or 2
  uint32_t fileSize = kDefaultImageFileSize;  // bytes, checksum included
};

// The smallest file that holds the header, the images and the user-data block of a layout.
uint32_t SmallestImageFileSize(int layout);

// The boot header the builder writes for a payload of this many bytes.
BootHeader ImageBootHeader(int layout, uint32_t payloadSize);

// Builds the whole file in memory. False, with the reason in `problem`, for a layout other than
// 1 or 2, a size that cannot hold the layout or exceeds kImageFileLimit, or a text that does
// not fit the camera's 30 UTF-16 units. The same recipe always gives the same bytes.
bool BuildImage(const ImageRecipe& recipe, std::vector<uint8_t>& file, std::string& problem);

// Writes bytes to path through a temporary file renamed into place: afterwards the path holds
// the complete file, or the call failed (with the reason) and the path is as it was.
bool WriteImageFile(const std::string& path, std::span<const uint8_t> bytes, std::string& problem);

}  // namespace transfer
