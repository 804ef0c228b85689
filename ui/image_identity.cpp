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

std::optional<ImageIdentity> ReadImageIdentity(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::vector<uint8_t> bytes(kIdentityReadSize);
  const size_t count = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return ImageIdentityFromBytes(std::span<const uint8_t>(bytes.data(), count));
}

}  // namespace ui
