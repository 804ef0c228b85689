// The identity record: decoding it from the user data and writing an edited one back.

#include <cstring>
#include <string>

#include "device/boot_config.h"
#include "device/usb_string_descriptor.h"

namespace {

void CopyText(const std::string& text, char (&field)[260]) {
  const size_t length = std::min(text.size(), sizeof field - 1);
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

std::string_view TextOf(const char (&field)[260]) {
  return std::string_view(field, strnlen(field, sizeof field));
}

}  // namespace

bool ReadDevInfo(int dev, DeviceInfo& info) {
  BootConfig config;
  if (!ReadBootConfig(dev, config)) return false;
  UserDataBlock block{};
  std::memcpy(&block, config.header, sizeof config.header);
  CopyText(ChipNameOfLayout(config.layout), info.chipName);
  info.chipVariant = static_cast<uint32_t>(config.layout);
  info.chipGen = 2;
  info.vid = block.vid;
  info.pid = block.pid;
  info.fwVersion = block.fwVersion;
  CopyText(DecodeStringDescriptor(block.vendor), info.string1);
  CopyText(DecodeStringDescriptor(block.product), info.string2);
  CopyText(DecodeStringDescriptor(block.serial), info.string3);
  info.settings = block.settings;
  std::memcpy(info.uvcDefaults, config.uvc.values, sizeof info.uvcDefaults);
  return true;
}

bool WriteDevInfo(int dev, const DeviceInfo& info) {
  BootConfig config;
  if (!ReadBootConfig(dev, config)) return false;
  UserDataBlock block{};
  block.signature = kUserDataSignature;
  block.fwVersion = info.fwVersion;
  block.vid = info.vid;
  block.pid = info.pid;
  EncodeStringDescriptor(TextOf(info.string1), block.vendor);
  EncodeStringDescriptor(TextOf(info.string2), block.product);
  EncodeStringDescriptor(TextOf(info.string3), block.serial);
  block.settings = info.settings;
  std::memcpy(config.header, &block, sizeof config.header);
  std::memcpy(config.uvc.values, info.uvcDefaults, sizeof config.uvc.values);
  return WriteUserDataSector(dev, config);
}

int vxVidHidCls_GetDevInfo(int dev, DeviceInfo* info) {
  uint8_t chipGen = 0;
  if (!vxVidHidCls_GetDevChipGen(dev, &chipGen) || chipGen != 2) return 0;
  return ReadDevInfo(dev, *info) ? 1 : 0;
}

int vxVidHidCls_SetDevInfo(int dev, const DeviceInfo* info) {
  uint8_t chipGen = 0;
  if (!vxVidHidCls_GetDevChipGen(dev, &chipGen) || chipGen != 2) return 0;
  return WriteDevInfo(dev, *info) ? 1 : 0;
}
