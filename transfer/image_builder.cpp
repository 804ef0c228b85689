#include "transfer/image_builder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "device/usb_string_descriptor.h"
#include "transfer/crc32.h"

namespace transfer {
namespace {

// A text fits when the descriptor gives it back unchanged: at most 30 UTF-16 units, valid
// UTF-8, no zero character (which would end it early).
bool TextFits(const std::string& text) {
  uint8_t descriptor[kStringDescriptorSize];
  EncodeStringDescriptor(text, descriptor);
  return text.find('\0') == std::string::npos && DecodeStringDescriptor(descriptor) == text;
}

bool CheckTexts(const CameraIdentity& identity, std::string& problem) {
  const struct {
    const char* what;
    const std::string& text;
  } texts[] = {
      {"vendor", identity.vendor}, {"product", identity.product}, {"serial", identity.serial}};
  for (const auto& [what, text] : texts) {
    if (!TextFits(text)) {
      problem = std::string("the ") + what + " text \"" + text +
                "\" does not fit the camera's 30 UTF-16 units (or is not valid UTF-8)";
      return false;
    }
  }
  return true;
}

// The code bytes: xorshift32, seeded from the version and product id so that two images of
// different versions differ throughout, as real firmware would.
void FillCode(std::span<uint8_t> code, const CameraIdentity& identity) {
  uint32_t state = 0x2545F491u ^ (uint32_t{identity.fwVersion} << 16 | identity.pid);
  if (state == 0) state = 0x2545F491u;
  for (uint8_t& byte : code) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<uint8_t>(state >> 24);
  }
}

uint32_t UserDataEnd(int layout) {
  const uint32_t base = layout == 2 ? kImageLayout2UserCodeAddr : kImageBootAddr;
  return base + kUserDataDistance + uint32_t{sizeof(UserDataBlock)};
}

}  // namespace

uint32_t SmallestImageFileSize(int layout) {
  return kImageChecksumSize + UserDataEnd(layout);
}

BootHeader ImageBootHeader(int layout, uint32_t payloadSize) {
  BootHeader header{};
  header.magic[0] = kBootMagic0;
  header.magic[1] = kBootMagic1;
  header.bootAddr = kImageBootAddr;
  if (layout == 2) {
    header.bootSize = kImageLayout2BootSize;
    header.userCodeAddr = kImageLayout2UserCodeAddr;
    header.userCodeSize = payloadSize - kImageLayout2UserCodeAddr;
  } else {
    header.bootSize = payloadSize - kImageBootAddr;
  }
  return header;
}

bool BuildImage(const ImageRecipe& recipe, std::vector<uint8_t>& file, std::string& problem) {
  if (recipe.layout != 1 && recipe.layout != 2) {
    problem = "the layout must be 1 or 2, not " + std::to_string(recipe.layout);
    return false;
  }
  const uint32_t smallest = SmallestImageFileSize(recipe.layout);
  if (recipe.fileSize < smallest) {
    problem = "a layout-" + std::to_string(recipe.layout) + " image needs at least " +
              std::to_string(smallest) + " bytes to hold its boot header and user data, not " +
              std::to_string(recipe.fileSize);
    return false;
  }
  if (recipe.fileSize > kImageFileLimit) {
    problem = "an image file holds at most " + std::to_string(kImageFileLimit) +
              " bytes (checksum included), the most the download loads; " +
              std::to_string(recipe.fileSize) + " is too large";
    return false;
  }
  if (!CheckTexts(recipe.identity, problem)) return false;

  const uint32_t payloadSize = recipe.fileSize - kImageChecksumSize;
  std::vector<uint8_t> bytes(recipe.fileSize, 0xFF);  // erased flash between header and code
  const std::span<uint8_t> payload(bytes.data() + kImageChecksumSize, payloadSize);
  FillCode(payload.subspan(kImageBootAddr), recipe.identity);
  if (!WriteBootConfig(payload, ImageBootHeader(recipe.layout, payloadSize),
                       MakeUserDataBlock(recipe.identity))) {
    problem = "the user data does not fit the image";  // excluded by the size checks above
    return false;
  }
  const uint32_t crc = Crc32(0, payload.data(), payload.size());
  for (uint32_t i = 0; i < kImageChecksumSize; ++i) bytes[i] = static_cast<uint8_t>(crc >> 8 * i);
  file = std::move(bytes);
  return true;
}

bool WriteImageFile(const std::string& path, std::span<const uint8_t> bytes, std::string& problem) {
  const std::string temporary = path + ".tmp";
  std::FILE* out = std::fopen(temporary.c_str(), "wb");
  if (out == nullptr) {
    problem = "cannot create \"" + temporary + "\": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  const int writeError = errno;
  // The close flushes the last buffered bytes: its failure is a failed write too.
  const bool closed = std::fclose(out) == 0;
  if (!written || !closed) {
    problem =
        "writing \"" + temporary + "\" failed: " + std::strerror(written ? errno : writeError);
    std::remove(temporary.c_str());
    return false;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    problem = "cannot replace \"" + path + "\": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace transfer
