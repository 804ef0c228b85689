#pragma once
// The camera side of the device detection: whether the chip is of the supported family, and
// which model the identity record names.

#include <cstdint>
#include <string_view>

#include "device/vxVidHidCls.h"

namespace ui {

// Register 0x0000 (4 bytes) holds the chip id; the supported family has any of the bits 0xB0
// set in its low byte.
inline constexpr uint16_t kChipTypeRegister = 0x0000;
inline constexpr uint8_t kChipTypeSupported = 2;
uint8_t ChipTypeFromRegister(uint32_t value);

// 0 for a camera that boots the user-code layout, else the model family.
enum class ModelKind : int { UserCodeLayout = 0, TavelinQ = 2, TavelinQ2 = 3 };

// The device model names as the status texts print them, trailing blank included.
inline constexpr std::string_view kModelNameQ = "TAVELIN Q ";
inline constexpr std::string_view kModelNameQ2 = "TAVELIN Q2 ";

struct CameraModel {
  uint8_t chipVariant = 0;  // the layout the identity record reports, low byte
  uint16_t fwVersion = 0;
  uint16_t pid = 0;
  ModelKind kind = ModelKind::UserCodeLayout;
  // Empty for the user-code layout: the record names no model, a caller keeps the name it had.
  std::string_view modelName;
};

CameraModel CameraModelFromIdentity(const DeviceInfo& info);

}  // namespace ui
