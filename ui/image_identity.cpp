#include "ui/image_identity.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "device/flash_layout.h"

namespace ui {
namespace {

uint16_t Read16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

ImageIdentity ImageIdentityFromBytes(std::span<const uint8_t> fileStart) {
  std::vector<uint8_t> view(kIdentityReadSize, 0);  // zero where the file is shorter
  std::copy_n(fileStart.begin(), std::min(fileStart.size(), view.size()), view.begin());

  const BootHeader header = DecodeBootHeader(view.data() + kImageFlashOffset);
  ImageIdentity identity;
  identity.bootAddr = header.bootAddr;
  identity.userCodeAddr = header.userCodeAddr;
  identity.userCodeSize = header.userCodeSize;
  identity.userDataAddress = UserDataAddress(header);
  const uint32_t u = identity.userDataAddress;
  identity.blockInView =
      u <= kUserDataLimit && kImageFlashOffset + u + kUserDataReadLength <= kIdentityReadSize;
  if (identity.blockInView) {
    const uint8_t* block = view.data() + kImageFlashOffset + u;
    identity.fwVersion = Read16(block + offsetof(UserDataBlock, fwVersion));
    identity.pid = Read16(block + offsetof(UserDataBlock, pid));
  }
  return identity;
}

bool ReadFileStart(const std::string& path, std::span<uint8_t> buffer) {
  std::fill(buffer.begin(), buffer.end(), 0);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::fread(buffer.data(), 1, buffer.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

std::optional<ImageIdentity> ReadImageIdentity(const std::string& path) {
  std::vector<uint8_t> bytes(kIdentityReadSize);
  if (!ReadFileStart(path, bytes)) return std::nullopt;
  // The zero-filled rest reads as a shorter file does.
  return ImageIdentityFromBytes(bytes);
}

}  // namespace ui
