#pragma once
// One simulated camera: chip, flash, optional EEPROM and its HID function.

#include <cstdint>
#include <memory>
#include <string_view>

#include "sim/chip.h"
#include "sim/hid_camera.h"
#include "sim/virtual_clock.h"

namespace sim {

struct CameraConfig {
  uint32_t chipId = 0x000153B2;  // low byte 0xB2: chip generation 2
  std::string_view flashPart = "WinBond 20X40 - 4Mbit";
  bool withEeprom = false;   // the older chip family's I2C EEPROM
  bool bootsFromSpi = true;  // register 0x0005 bit 7
  HidCamera::Options hid;
};

class Camera {
 public:
  // The flash starts erased and unprotected. Throws std::invalid_argument when flashPart names
  // no part of FlashParts().
  Camera(const CameraConfig& config, VirtualClock& clock);

  Chip& chip() { return chip_; }
  SpiFlash& flash() { return *chip_.flash(); }
  I2cEeprom* eeprom() { return chip_.eeprom(); }
  HidCamera& hid() { return hid_; }

 private:
  Chip chip_;
  HidCamera hid_;
};

// The embedded default camera: a TAVELIN Q2 on HID, chip generation 2, the
// "WinBond 20X40 - 4Mbit" flash with firmware already in it (WriteFactoryContents) and
// protected (status bits 2 and 3 set), as the update tool leaves it.
std::shared_ptr<Camera> MakeDefaultCamera(VirtualClock& clock);

}  // namespace sim
