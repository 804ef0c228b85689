#include "ui/camera_model.h"

namespace ui {

uint8_t ChipTypeFromRegister(uint32_t value) {
  return (value & 0xB0) != 0 ? kChipTypeSupported : 0;
}

CameraModel CameraModelFromIdentity(const DeviceInfo& info) {
  CameraModel model;
  model.fwVersion = info.fwVersion;
  model.chipVariant = static_cast<uint8_t>(info.chipVariant & 0xFF);
  model.pid = info.pid;
  if (model.chipVariant == 2) {
    model.kind = ModelKind::UserCodeLayout;
  } else if (info.pid == 0x8021 || info.pid == 0x8025) {
    model.kind = ModelKind::TavelinQ;
    model.modelName = kModelNameQ;
  } else {
    model.kind = ModelKind::TavelinQ2;
    model.modelName = kModelNameQ2;
  }
  return model;
}

}  // namespace ui
