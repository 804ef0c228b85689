// The chip's register file and its I2C bus.

#include "sim/chip.h"

#include <algorithm>

namespace sim {
namespace {

constexpr uint16_t kRegStatus = 0x0005;
constexpr uint8_t kStatusI2cFailed = 0x10;
constexpr uint8_t kStatusBootsFromSpi = 0x80;
constexpr uint16_t kRegI2cGate = 0x0006;
constexpr uint8_t kGateEepromBlocked = 0x04;
constexpr uint8_t kEepromSlave = 0xA0;

bool ReadOnly(uint16_t address) {
  return address <= 0x0003 || address == kRegStatus;
}

uint8_t ClampLength(uint8_t length) {
  return std::clamp<uint8_t>(length, 1, 4);
}

}  // namespace

Chip::Chip(uint32_t chipId, std::unique_ptr<SpiFlash> flash, std::unique_ptr<I2cEeprom> eeprom,
           bool bootsFromSpi)
    : flash_(std::move(flash)), eeprom_(std::move(eeprom)) {
  for (int i = 0; i < 4; ++i) registers_[i] = static_cast<uint8_t>(chipId >> (8 * i));
  registers_[kRegStatus] = bootsFromSpi ? kStatusBootsFromSpi : 0;
  registers_[kRegI2cGate] = kGateEepromBlocked;
}

uint32_t Chip::RegRead(uint16_t address, uint8_t length) const {
  uint32_t value = 0;
  for (uint8_t i = 0; i < ClampLength(length); ++i) {
    value |= uint32_t{registers_[static_cast<uint16_t>(address + i)]} << (8 * i);
  }
  return value;
}

void Chip::RegWrite(uint16_t address, uint8_t length, uint32_t value) {
  for (uint8_t i = 0; i < ClampLength(length); ++i) {
    const auto at = static_cast<uint16_t>(address + i);
    if (!ReadOnly(at)) registers_[at] = static_cast<uint8_t>(value >> (8 * i));
  }
}

bool Chip::EepromReachable(uint8_t slave) const {
  return (slave & 0xFE) == kEepromSlave && eeprom_ != nullptr &&
         (registers_[kRegI2cGate] & kGateEepromBlocked) == 0;
}

void Chip::NoteLegacyResult(bool ok) {
  uint8_t& status = registers_[kRegStatus];
  status = static_cast<uint8_t>(ok ? status & ~kStatusI2cFailed : status | kStatusI2cFailed);
}

bool Chip::I2cWrite(uint8_t slave, const uint8_t* bytes, size_t length, bool legacy) {
  const bool ok = EepromReachable(slave) && eeprom_->Write(bytes, length);
  if (legacy) NoteLegacyResult(ok);
  return ok;
}

bool Chip::I2cRead(uint8_t slave, uint8_t* bytes, size_t length, bool legacy) {
  const bool ok = EepromReachable(slave) && eeprom_->Read(bytes, length);
  if (legacy) NoteLegacyResult(ok);
  return ok;
}

}  // namespace sim
