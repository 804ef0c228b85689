#include "device/flash_layout.h"

#include <cstring>

#include "device/usb_string_descriptor.h"

namespace {

uint32_t Read24(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16;
}

void Write24(uint32_t value, uint8_t* p) {
  p[0] = value & 0xFF;
  p[1] = (value >> 8) & 0xFF;
  p[2] = (value >> 16) & 0xFF;
}

}  // namespace

BootHeader DecodeBootHeader(const uint8_t bytes[kBootHeaderSize]) {
  BootHeader header{};
  header.magic[0] = bytes[0];
  header.magic[1] = bytes[1];
  header.bootAddr = Read24(bytes + 2);
  header.bootSize = Read24(bytes + 5);
  header.unused[0] = bytes[8];
  header.unused[1] = bytes[9];
  header.userCodeAddr = Read24(bytes + 10);
  header.userCodeSize = Read24(bytes + 13);
  return header;
}

void EncodeBootHeader(const BootHeader& header, uint8_t out[kBootHeaderSize]) {
  out[0] = header.magic[0];
  out[1] = header.magic[1];
  Write24(header.bootAddr, out + 2);
  Write24(header.bootSize, out + 5);
  out[8] = header.unused[0];
  out[9] = header.unused[1];
  Write24(header.userCodeAddr, out + 10);
  Write24(header.userCodeSize, out + 13);
}

int BootLayout(const BootHeader& header) {
  return header.userCodeSize != 0 ? 2 : 1;
}

uint32_t ImageBase(const BootHeader& header) {
  return BootLayout(header) == 2 ? header.userCodeAddr : header.bootAddr;
}

uint32_t UserDataAddress(const BootHeader& header) {
  return ImageBase(header) + kUserDataDistance;
}

const char* ChipNameOfLayout(int layout) {
  return layout == 2 ? "VX52190" : "VX5290";
}

UserDataBlock MakeUserDataBlock(const CameraIdentity& identity) {
  UserDataBlock block{};
  block.signature = kUserDataSignature;
  block.fwVersion = identity.fwVersion;
  block.vid = identity.vid;
  block.pid = identity.pid;
  EncodeStringDescriptor(identity.vendor, block.vendor);
  EncodeStringDescriptor(identity.product, block.product);
  EncodeStringDescriptor(identity.serial, block.serial);
  block.settings = identity.settings;
  block.uvc = identity.uvc;
  return block;
}

bool UserDataFitsOneSector(uint32_t blockAddress) {
  return blockAddress < kUserDataLimit &&
         blockAddress % kFlashSectorSize + sizeof(UserDataBlock) <= kFlashSectorSize;
}

bool WriteBootConfig(std::span<uint8_t> flash, const BootHeader& header,
                     const UserDataBlock& block) {
  const uint32_t address = UserDataAddress(header);
  if (!UserDataFitsOneSector(address) || address + sizeof block > flash.size() ||
      flash.size() < kBootHeaderSize) {
    return false;
  }
  EncodeBootHeader(header, flash.data());
  std::memcpy(flash.data() + address, &block, sizeof block);
  return true;
}
