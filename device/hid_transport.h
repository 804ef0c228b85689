#pragma once
// The HID transport: the camera's vendor interface and the three feature reports that carry
// every command.
//
//   0x87  set, 4 bytes    command: byte 0 the code, bytes 1..3 its parameters
//   0x93  get/set, 40 b.  the data of the command just sent, or its answer
//   0x97  set, 40 bytes   extended I2C command (absent on legacy camera firmware)
//
// The commands run inside the caller's hold of the library mutex; none of them locks, sleeps
// or retries. A 0x87 set and the 0x93 transfer after it form one unit.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/library_state.h"
#include "device/requests.h"
#include "platform/hid.h"

inline constexpr uint8_t kReportCommand = 0x87;
inline constexpr uint8_t kReportData = 0x93;
inline constexpr uint8_t kReportExtended = 0x97;
inline constexpr int kCommandPayload = 4;
inline constexpr int kDataPayload = 40;

// Command codes in byte 0 of reports 0x87 and 0x97.
enum HidCommandCode : uint8_t {
  kCmdRegRead8 = 0x00,
  kCmdRegWrite8 = 0x01,
  kCmdI2cReadLegacy = 0x02,
  kCmdI2cWriteLegacy = 0x03,
  kCmdRegRead16 = 0x08,
  kCmdRegWrite16 = 0x09,
  kCmdFlashRead = 0x0A,
  kCmdFlashWrite = 0x0B,
  kCmdI2cReadExtended = 0x0C,
  kCmdI2cWriteExtended = 0x0D,
};

// What the probe learns of one HID interface.
struct HidCandidate {
  std::string path;
  std::unique_ptr<platform::HidDevice> probe;
  platform::HidAttributes attributes;
  platform::HidFeatureCaps caps;
};

// Feature-report wrappers. Payloads are counted from the byte after the report id. A get copies
// the first length bytes of what the camera returns, from byte 0 on (the camera puts its data
// where a standard device repeats the report id); on failure out is left as it was.
bool hidreq_SetFeature(platform::HidDevice* handle, uint8_t reportId, const uint8_t* payload,
                       size_t length);
bool hidreq_GetFeature(platform::HidDevice* handle, uint8_t reportId, uint8_t* out, size_t length);

// Discovery and teardown.
bool hidreq_Init();
int hidreq_Enumerate(HidDeviceSet& set);
bool hidreq_FindDevices(std::vector<HidCandidate>& candidates);
bool hidreq_OpenDevice(const std::string& path, bool read, bool write, bool exclusive,
                       HidCandidate& candidate);
void hidreq_CloseDevice(HidCandidate& candidate);
void hidreq_CloseAll(HidDeviceSet& set);

// The camera is recognised by its feature reports alone: one to three feature items, and report
// ids 0x87 and 0x93 among its feature value capabilities.
bool hidreq_IsCamera(const platform::HidFeatureCaps& caps);

// Commands; each returns false at its first failing report.
bool hidreg_GetChipGen(platform::HidDevice* handle, uint8_t& chipGen);
bool hidreg_RegRead(platform::HidDevice* handle, RegRequest& request);
bool hidreg_RegWrite(platform::HidDevice* handle, const RegRequest& request);
bool hidreg_I2cRead(platform::HidDevice* handle, I2cRequest& request);
bool hidreg_I2cWrite(platform::HidDevice* handle, const I2cRequest& request);
// Non-zero when the last legacy I2C transfer failed, or when that cannot be read.
int hidreg_I2cBusy(platform::HidDevice* handle);
bool hidreg_FlashCmdRead(platform::HidDevice* handle, FlashCmdRequest& request);
bool hidreg_FlashCmdWrite(platform::HidDevice* handle, const FlashCmdRequest& request);
