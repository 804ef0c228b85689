// The image file checks: a CRC-32 of the payload in the first four bytes, little-endian.

#include <cstdint>
#include <cstdio>
#include <memory>

#include "transfer/crc32.h"
#include "transfer/engine.h"
#include "transfer/engine_state.h"

namespace transfer {

bool BufferCrcOk(const uint8_t* image, int32_t length) {
  if (length < 4) return false;
  const uint32_t stored = uint32_t{image[0]} | uint32_t{image[1]} << 8 | uint32_t{image[2]} << 16 |
                          uint32_t{image[3]} << 24;
  return Crc32(0, image + 4, static_cast<size_t>(length) - 4) == stored;
}

bool FileCrcOk(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  // Off the stack: the scratch buffer is as large as the largest image.
  auto scratch = std::make_unique<uint8_t[]>(kImageBufferSize);
  const size_t read = std::fread(scratch.get(), 1, kImageBufferSize, file);
  std::fclose(file);
  return BufferCrcOk(scratch.get(), static_cast<int32_t>(read));
}

uint32_t FileSize(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return 0;
  long size = 0;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  std::fclose(file);
  if (size <= 0) return 0;
  // A file too long to count in 32 bits must not pass as a short one.
  return size > long{UINT32_MAX} ? UINT32_MAX : static_cast<uint32_t>(size);
}

}  // namespace transfer
