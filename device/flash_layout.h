#pragma once
// The camera's boot configuration in SPI flash, as data: the 16-byte boot header at address 0
// and the 290-byte user-data block 0x2000 behind the image base. The one place that reads and
// writes this layout, for the library, for image files and for the simulated camera alike.
// All multi-byte fields are little-endian.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "device/vxVidHidCls.h"

static_assert(std::endian::native == std::endian::little, "flash records are little-endian");

inline constexpr size_t kBootHeaderSize = 16;
inline constexpr uint8_t kBootMagic0 = 0x1A;
inline constexpr uint8_t kBootMagic1 = 0xEB;
inline constexpr uint32_t kUserDataDistance = 0x2000;  // from the image base
inline constexpr uint32_t kUserDataLimit = 0x10000;    // the block lies below this address
inline constexpr uint32_t kUserDataSignature = 0x9567EB1A;
inline constexpr uint32_t kFlashSectorSize = 4096;

struct BootHeader {
  uint8_t magic[2];
  uint32_t bootAddr;  // 24 bits on flash
  uint32_t bootSize;  // 24 bits
  uint8_t unused[2];
  uint32_t userCodeAddr;  // 24 bits
  uint32_t userCodeSize;  // 24 bits; 0 = no user-code image
};

BootHeader DecodeBootHeader(const uint8_t bytes[kBootHeaderSize]);
void EncodeBootHeader(const BootHeader& header, uint8_t out[kBootHeaderSize]);

// Layout 2 has a user-code image, layout 1 only the boot image.
int BootLayout(const BootHeader& header);
uint32_t ImageBase(const BootHeader& header);
uint32_t UserDataAddress(const BootHeader& header);
const char* ChipNameOfLayout(int layout);

#pragma pack(push, 1)

struct UvcDefaults {
  uint8_t preserved[4];  // kept by every write
  uint8_t values[30];    // the record's uvcDefaults
};

struct UserDataBlock {
  uint32_t signature;
  uint16_t fwVersion;
  uint16_t vid;
  uint16_t pid;
  uint8_t vendor[62];  // USB string descriptors
  uint8_t product[62];
  uint8_t serial[62];
  DeviceSettings settings;
  uint8_t zero[33];  // 0 after every write
  UvcDefaults uvc;
};

#pragma pack(pop)

static_assert(sizeof(UvcDefaults) == 34);
static_assert(sizeof(UserDataBlock) == 290);
static_assert(offsetof(UserDataBlock, vendor) == 0x0A);
static_assert(offsetof(UserDataBlock, product) == 0x48);
static_assert(offsetof(UserDataBlock, serial) == 0x86);
static_assert(offsetof(UserDataBlock, settings) == 0xC4);
static_assert(offsetof(UserDataBlock, zero) == 0xDF);
static_assert(offsetof(UserDataBlock, uvc) == 0x100);

// The fields of a user-data block as plain values.
struct CameraIdentity {
  uint16_t fwVersion = 0;
  uint16_t vid = 0;
  uint16_t pid = 0;
  std::string vendor;  // UTF-8
  std::string product;
  std::string serial;
  DeviceSettings settings{};
  UvcDefaults uvc{};
};

UserDataBlock MakeUserDataBlock(const CameraIdentity& identity);

// Whether the block at this address lies inside one 4 KB sector below 0x10000.
bool UserDataFitsOneSector(uint32_t blockAddress);

// Writes the boot header at address 0 and the user-data block where the header puts it.
// False, with nothing written, when the block would not fit one sector or the flash.
bool WriteBootConfig(std::span<uint8_t> flash, const BootHeader& header,
                     const UserDataBlock& block);
