// The camera commands over the HID feature reports, byte for byte.
//
// A request whose frame would not fit its report is refused before anything is sent.

#include <cstring>

#include "device/hid_transport.h"
#include "device/lib_trace.h"

namespace {

const char* OkOrFail(bool ok) {
  return ok ? "OK" : "FAIL";
}

uint8_t EndBit(uint16_t flags) {
  return (flags & kI2cFlagEndBit) ? 1 : 0;
}

bool SendCommand(platform::HidDevice* handle, uint8_t code, uint8_t p1, uint8_t p2, uint8_t p3) {
  const uint8_t command[kCommandPayload] = {code, p1, p2, p3};
  return hidreq_SetFeature(handle, kReportCommand, command, sizeof command);
}

// The 16-bit address form serves every generation-2 chip and every address above 0xFF.
bool UsesWideAddress(platform::HidDevice* handle, uint16_t address) {
  uint8_t chipGen = 0;
  hidreg_GetChipGen(handle, chipGen);  // a failed probe counts as generation 0
  return chipGen == 2 || address > 0xFF;
}

// The extended I2C frame: code, 0, slave, end bit, n, the n sub-address bytes, m, then the m
// data bytes (only for a write).
void BuildExtendedI2cFrame(uint8_t code, const I2cRequest& request, bool withData,
                           uint8_t (&frame)[kDataPayload]) {
  const uint8_t n = request.subAddressLength;
  const uint8_t m = request.dataLength;
  frame[0] = code;
  frame[1] = 0x00;
  frame[2] = request.slave & 0xFF;
  frame[3] = EndBit(request.flags);
  frame[4] = n;
  std::memcpy(frame + 5, request.subAddress, n);
  frame[5 + n] = m;
  if (withData) std::memcpy(frame + 6 + n, request.data, m);
}

}  // namespace

bool hidreg_GetChipGen(platform::HidDevice* handle, uint8_t& chipGen) {
  uint8_t answer[kDataPayload] = {};
  if (!SendCommand(handle, kCmdRegRead16, 0x00, 0x00, 0x04) ||
      !hidreq_GetFeature(handle, kReportData, answer, sizeof answer)) {
    chipGen = 0;
    return false;
  }
  const uint8_t family = answer[0] & 0xF0;
  chipGen = (family == 0xB0 || family == 0xC0) ? 2 : 0;
  return true;
}

bool hidreg_RegRead(platform::HidDevice* handle, RegRequest& request) {
  if (request.length > 4) return false;
  const uint16_t address = request.address;
  const bool ok =
      UsesWideAddress(handle, address)
          ? SendCommand(handle, kCmdRegRead16, address & 0xFF, address >> 8, request.length)
          : SendCommand(handle, kCmdRegRead8, address & 0xFF, request.length, 0x00);
  if (!ok) return false;
  uint8_t answer[kDataPayload] = {};
  if (!hidreq_GetFeature(handle, kReportData, answer, sizeof answer)) {
    LibTrace("hidreg_RegRead Add:0x%04x Len:0x%02x -> Fail", address, request.length);
    return false;
  }
  request.value = uint32_t{answer[0]} | uint32_t{answer[1]} << 8 | uint32_t{answer[2]} << 16 |
                  uint32_t{answer[3]} << 24;
  LibTrace("HID RegRead Add:0x%04x Len:0x%02x -> 0x%08x OK", address, request.length,
           request.value);
  return true;
}

bool hidreg_RegWrite(platform::HidDevice* handle, const RegRequest& request) {
  if (request.length > 4) return false;
  const uint16_t address = request.address;
  const bool wide = UsesWideAddress(handle, address);
  if (!SendCommand(handle, wide ? kCmdRegWrite16 : kCmdRegWrite8, 0x00, 0x00, 0x00)) return false;
  uint8_t payload[kDataPayload] = {};
  size_t at = 0;
  payload[at++] = address & 0xFF;
  if (wide) payload[at++] = address >> 8;
  payload[at++] = request.length;
  for (uint8_t i = 0; i < request.length; ++i) payload[at++] = (request.value >> (8 * i)) & 0xFF;
  if (!hidreq_SetFeature(handle, kReportData, payload, sizeof payload)) {
    LibTrace("hidreg_RegWrite Add:0x%02x Len:0x%02x -> 0x%02x Fail", address, request.length,
             request.value);
    return false;
  }
  LibTrace("hidreg_RegWrite Add:0x%02x Len:0x%02x -> 0x%02x OK", address, request.length,
           request.value);
  return true;
}

int hidreg_I2cBusy(platform::HidDevice* handle) {
  RegRequest status{0x0005, 1, 0};
  // Without an answer nothing shows the transfer went through, so it counts as failed.
  if (!hidreg_RegRead(handle, status)) return 1;
  return static_cast<int>(status.value & 0x10);
}

bool hidreg_I2cRead(platform::HidDevice* handle, I2cRequest& request) {
  const uint8_t n = request.subAddressLength;
  const uint8_t m = request.dataLength;
  // Sized for the extended frame: a camera that has report 0x97 never sees a legacy read.
  if (6 + n > kDataPayload || m > 39) return false;

  {
    uint8_t frame[kDataPayload] = {};
    BuildExtendedI2cFrame(kCmdI2cReadExtended, request, false, frame);
    const bool sent = hidreq_SetFeature(handle, kReportExtended, frame, sizeof frame);
    LibTrace(
        "HID I2C Read Ex SetCMD: %s ,RAW Data(8 bytes) : 0x%02X, 0x%02X, 0x%02X, 0x%02X, 0x%02X, "
        "0x%02X, 0x%02X, 0x%02X.",
        OkOrFail(sent), frame[0], frame[1], frame[2], frame[3], frame[4], frame[5], frame[6],
        frame[7]);
    if (sent) {
      std::memset(frame, 0, 4);
      hidreq_GetFeature(handle, kReportData, frame, sizeof frame);  // a failed get leaves R[0] 0
      LibTrace(
          "HID I2C Read Ex ReadBack: %s ,RAW Data(8 bytes) :0x%02X, 0x%02X, 0x%02X, 0x%02X, "
          "0x%02X, 0x%02X, 0x%02X, 0x%02X.",
          OkOrFail(sent), frame[0], frame[1], frame[2], frame[3], frame[4], frame[5], frame[6],
          frame[7]);
      if (frame[0] < 1 || frame[0] > 38) return false;
      std::memcpy(request.data, frame + 1, m);
      return true;
    }
  }

  // Legacy firmware: write the sub-address, then a current-address read.
  if (n > 0 && (request.flags & kI2cFlagSubAddress)) {
    I2cRequest address = request;
    address.dataLength = 0;
    if (!hidreg_I2cWrite(handle, address)) return false;
  }
  if (!SendCommand(handle, kCmdI2cReadLegacy, request.slave & 0xFF, m, 0x01)) return false;
  std::memset(request.data, 0, sizeof request.data);
  if (!hidreq_GetFeature(handle, kReportData, request.data, kDataPayload)) return false;
  return hidreg_I2cBusy(handle) == 0;
}

bool hidreg_I2cWrite(platform::HidDevice* handle, const I2cRequest& request) {
  const uint8_t n = request.subAddressLength;
  const uint8_t m = request.dataLength;
  if (6 + n + m > kDataPayload) return false;

  {
    uint8_t frame[kDataPayload] = {};
    BuildExtendedI2cFrame(kCmdI2cWriteExtended, request, true, frame);
    const bool sent = hidreq_SetFeature(handle, kReportExtended, frame, sizeof frame);
    LibTrace(
        "HID I2C Write Ex : %s ,RAW Data(8 bytes) : 0x%02X, 0x%02X, 0x%02X, 0x%02X, 0x%02X, "
        "0x%02X, 0x%02X, 0x%02X.",
        OkOrFail(sent), frame[0], frame[1], frame[2], frame[3], frame[4], frame[5], frame[6],
        frame[7]);
    if (sent) {
      hidreq_SetFeature(handle, kReportData, frame, sizeof frame);  // its result is not used
      return true;
    }
  }

  const bool withSubAddress = n > 0 && (request.flags & kI2cFlagSubAddress);
  if (!SendCommand(handle, kCmdI2cWriteLegacy, 0x00, 0x00, 0x00)) return false;
  uint8_t frame[kDataPayload] = {};
  frame[0] = request.slave & 0xFF;
  frame[1] = static_cast<uint8_t>(n + m);
  frame[2] = m > 0 ? 1 : EndBit(request.flags);
  size_t at = 3;
  if (withSubAddress) {
    std::memcpy(frame + at, request.subAddress, n);
    at += n;
  }
  std::memcpy(frame + at, request.data, m);
  if (!hidreq_SetFeature(handle, kReportData, frame, sizeof frame)) return false;
  return hidreg_I2cBusy(handle) == 0;
}

bool hidreg_FlashCmdRead(platform::HidDevice* handle, FlashCmdRequest& request) {
  if (request.dataLength > kDataPayload) return false;
  if (request.commandLength > 0) {
    // The command goes first with chip select kept asserted for the read.
    FlashCmdRequest command = request;
    command.endFlag = 0;
    command.dataLength = 0;
    if (!hidreg_FlashCmdWrite(handle, command)) return false;
  }
  if (!SendCommand(handle, kCmdFlashRead, request.port & 0xFF, request.dataLength,
                   request.endFlag)) {
    return false;
  }
  std::memset(request.data, 0, sizeof request.data);
  return hidreq_GetFeature(handle, kReportData, request.data, kDataPayload);
}

bool hidreg_FlashCmdWrite(platform::HidDevice* handle, const FlashCmdRequest& request) {
  const uint8_t c = request.commandLength;
  const uint8_t m = request.dataLength;
  if (3 + c + m > kDataPayload) return false;
  if (!SendCommand(handle, kCmdFlashWrite, 0x00, 0x00, 0x00)) return false;
  uint8_t frame[kDataPayload] = {};
  frame[0] = request.port & 0xFF;
  frame[1] = static_cast<uint8_t>(c + m);
  frame[2] = request.endFlag;
  std::memcpy(frame + 3, request.command, c);
  std::memcpy(frame + 3 + c, request.data, m);
  return hidreq_SetFeature(handle, kReportData, frame, sizeof frame);
}
