// The camera side of the HID feature-report commands. Each command here mirrors
// the host's hidreg_ operation of the same name; frames are given as P[] (the set payload
// after the report id) and R[] (the get buffer from byte 0).

#include "sim/hid_camera.h"

#include <algorithm>
#include <cstring>

namespace sim {
namespace {

constexpr uint8_t kReportCommand = 0x87;
constexpr uint8_t kReportData = 0x93;
constexpr uint8_t kReportExtended = 0x97;
constexpr size_t kCommandLength = 4;

enum : uint8_t {
  kRegRead8 = 0x00,
  kRegWrite8 = 0x01,
  kI2cReadLegacy = 0x02,
  kI2cWriteLegacy = 0x03,
  kRegRead16 = 0x08,
  kRegWrite16 = 0x09,
  kFlashCmdRead = 0x0A,
  kFlashCmdWrite = 0x0B,
  kI2cReadExtended = 0x0C,
  kI2cWriteExtended = 0x0D,
};

// The most bytes a 0x93 set carries after its three leading bytes (slave or port, count, flag).
constexpr size_t kMaxDataBytes = 37;
constexpr uint8_t kEndTransaction = 1;

uint32_t LittleEndian(const uint8_t* bytes, uint8_t length) {
  uint32_t value = 0;
  for (uint8_t i = 0; i < length; ++i) value |= uint32_t{bytes[i]} << (8 * i);
  return value;
}

bool ValidRegisterLength(uint8_t length) {
  return length >= 1 && length <= 4;
}

}  // namespace

HidCamera::HidCamera(Chip& chip, const Options& options) : chip_(chip), options_(options) {}

bool HidCamera::SetFeature(const uint8_t* buffer, size_t length) {
  if (length == 0) return false;
  switch (buffer[0]) {
    case kReportCommand:
      return length == 1 + kCommandLength && Command(buffer + 1);
    case kReportData:
      return length == 1 + kDataLength && Data(buffer + 1);
    case kReportExtended:
      return options_.extendedI2c && length == 1 + kDataLength && Extended(buffer + 1);
    default:
      return false;
  }
}

bool HidCamera::GetFeature(uint8_t* buffer, size_t length) {
  if (length != 1 + kDataLength || buffer[0] != kReportData) return false;
  std::memcpy(buffer, answer_, kDataLength);
  buffer[kDataLength] = 0;
  return true;
}

platform::HidFeatureCaps HidCamera::FeatureCaps() const {
  platform::HidFeatureCaps caps;
  auto add = [&caps](uint8_t reportId, uint16_t usage) {
    platform::HidCapability cap;
    cap.reportId = reportId;
    cap.usagePage = 0xFF00;  // vendor-defined
    cap.usage = usage;
    caps.values.push_back(cap);
  };
  add(kReportCommand, 1);
  add(kReportData, 2);
  if (options_.extendedI2c) add(kReportExtended, 3);
  return caps;
}

bool HidCamera::AnswerRegister(uint16_t address, uint8_t length) {
  if (!ValidRegisterLength(length)) return false;
  // The firmware copies a whole word whatever the length: R[0..3] are the four registers from
  // the address on, and the host masks what it asked for.
  std::fill(std::begin(answer_), std::end(answer_), uint8_t{0});
  const uint32_t value = chip_.RegRead(address, 4);
  for (uint8_t i = 0; i < 4; ++i) answer_[i] = static_cast<uint8_t>(value >> (8 * i));
  return true;
}

bool HidCamera::Command(const uint8_t* p) {
  commandPending_ = false;
  echoPending_ = false;
  switch (p[0]) {
    case kRegRead8:  // 00 address length 00
      return AnswerRegister(p[1], p[2]);
    case kRegRead16:  // 08 address-low address-high length
      return AnswerRegister(static_cast<uint16_t>(p[1] | (p[2] << 8)), p[3]);
    case kRegWrite8:
    case kRegWrite16:
    case kI2cWriteLegacy:
    case kFlashCmdWrite:  // code 00 00 00; the data follow in the next set of 0x93
      std::memcpy(command_, p, kCommandLength);
      commandPending_ = true;
      return true;
    case kI2cReadLegacy: {  // 02 slave m 01; R[0..m-1] = data, 0x0005 bit 4 tells a NAK
      const uint8_t count = p[2];
      if (count > kDataLength) return false;
      std::fill(std::begin(answer_), std::end(answer_), uint8_t{0});
      chip_.I2cRead(p[1], answer_, count, /*legacy=*/true);
      return true;
    }
    case kFlashCmdRead: {  // 0A port m endFlag; R[0..m-1] = what the flash sends
      const uint8_t count = p[2];
      SpiFlash* flash = chip_.flash();
      if (count > kDataLength || flash == nullptr) return false;  // one SPI bus: port ignored
      std::fill(std::begin(answer_), std::end(answer_), uint8_t{0});
      flash->Receive(answer_, count);
      if (p[3] == kEndTransaction) flash->Deselect();
      return true;
    }
    default:
      return false;
  }
}

bool HidCamera::Data(const uint8_t* p) {
  if (echoPending_) {  // the repeat of an extended I2C write
    echoPending_ = false;
    return true;
  }
  if (!commandPending_) return false;
  commandPending_ = false;
  switch (command_[0]) {
    case kRegWrite8:  // address length value...
      if (!ValidRegisterLength(p[1])) return false;
      chip_.RegWrite(p[0], p[1], LittleEndian(p + 2, p[1]));
      return true;
    case kRegWrite16:  // address-low address-high length value...
      if (!ValidRegisterLength(p[2])) return false;
      chip_.RegWrite(static_cast<uint16_t>(p[0] | (p[1] << 8)), p[2], LittleEndian(p + 3, p[2]));
      return true;
    case kI2cWriteLegacy:  // slave n+m flag bytes...; 0x0005 bit 4 tells a NAK
      if (p[1] > kMaxDataBytes) return false;
      chip_.I2cWrite(p[0], p + 3, p[1], /*legacy=*/true);
      return true;
    case kFlashCmdWrite: {  // port c+m endFlag bytes...
      SpiFlash* flash = chip_.flash();
      if (p[1] > kMaxDataBytes || flash == nullptr) return false;  // port ignored
      flash->Send(p + 3, p[1]);
      if (p[2] == kEndTransaction) flash->Deselect();
      return true;
    }
    default:
      return false;
  }
}

bool HidCamera::Extended(const uint8_t* p) {
  commandPending_ = false;
  echoPending_ = false;
  // 0C/0D 00 slave b4 n sub-address... m data...
  const uint8_t slave = p[2];
  const size_t n = p[4];
  if (6 + n > kDataLength) return false;
  const uint8_t* subAddress = p + 5;
  const size_t m = p[5 + n];
  switch (p[0]) {
    case kI2cReadExtended: {  // R[0] = m, R[1..m] = data; R[0] = 0 on a NAK
      std::fill(std::begin(answer_), std::end(answer_), uint8_t{0});
      uint8_t data[kDataLength - 1];
      const bool ok = m >= 1 && m <= kDataLength - 1 &&
                      (n == 0 || chip_.I2cWrite(slave, subAddress, n, /*legacy=*/false)) &&
                      chip_.I2cRead(slave, data, m, /*legacy=*/false);
      if (ok) {
        answer_[0] = static_cast<uint8_t>(m);
        std::memcpy(answer_ + 1, data, m);
      }
      return true;
    }
    case kI2cWriteExtended: {  // sub-address and data go out as one write
      if (6 + n + m > kDataLength) return false;
      uint8_t bytes[kDataLength];
      std::memcpy(bytes, subAddress, n);
      std::memcpy(bytes + n, p + 6 + n, m);
      chip_.I2cWrite(slave, bytes, n + m, /*legacy=*/false);
      echoPending_ = true;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace sim
