#include "sim/factory_contents.h"

#include <algorithm>
#include <span>

namespace sim {
namespace {

constexpr uint32_t kBootAddr = 0x001000;
constexpr uint32_t kBootSize = 0x030000;  // 192 KB of firmware

}  // namespace

BootHeader FactoryBootHeader() {
  BootHeader header{};
  header.magic[0] = kBootMagic0;
  header.magic[1] = kBootMagic1;
  header.bootAddr = kBootAddr;
  header.bootSize = kBootSize;
  return header;  // no user-code image: layout 1
}

CameraIdentity FactoryIdentity() {
  CameraIdentity identity;
  identity.fwVersion = 0x0102;
  identity.vid = kSimVendorId;
  identity.pid = kSimProductIdQ2;
  identity.vendor = "TAVELIN";
  identity.product = "TAVELIN Q2";
  identity.serial = "Q2S0000417";
  identity.settings = {0x01, 0x00, {0x0280, 0x01E0, 0x001E, 0x0100}, {0x3C, 0x02, 0x00, 0x01}};
  // Brightness, contrast, hue, saturation, sharpness, gamma, white balance and so on, as the
  // camera's UVC controls start up.
  const uint8_t uvc[34] = {0x5A, 0x00, 0x01, 0x00, 0x80, 0x00, 0x20, 0x00, 0x00, 0x00, 0x40, 0x00,
                           0x03, 0x00, 0x64, 0x00, 0x19, 0x0A, 0x00, 0x01, 0x00, 0x02, 0x00, 0x00,
                           0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  std::copy(std::begin(uvc), std::end(uvc), reinterpret_cast<uint8_t*>(&identity.uvc));
  return identity;
}

void WriteFactoryContents(SpiFlash& flash) {
  std::vector<uint8_t>& memory = flash.memory();
  std::fill(memory.begin(), memory.end(), uint8_t{0xFF});
  const uint32_t end = std::min<uint32_t>(kBootAddr + kBootSize, uint32_t(memory.size()));
  uint32_t state = 0x2545F491;  // xorshift32, fixed seed: the firmware's code bytes
  for (uint32_t i = kBootAddr; i < end; ++i) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    memory[i] = static_cast<uint8_t>(state >> 24);
  }
  WriteBootConfig(std::span<uint8_t>(memory), FactoryBootHeader(),
                  MakeUserDataBlock(FactoryIdentity()));
}

}  // namespace sim
