// The two feature-report calls every HID command is made of.

#include <cstring>

#include "device/hid_transport.h"

namespace {
constexpr size_t kReportBuffer = 65;  // report id plus the largest payload the camera takes
}

bool hidreq_SetFeature(platform::HidDevice* handle, uint8_t reportId, const uint8_t* payload,
                       size_t length) {
  if (handle == nullptr || length >= kReportBuffer) return false;
  uint8_t buffer[kReportBuffer] = {};
  buffer[0] = reportId;
  std::memcpy(buffer + 1, payload, length);
  return handle->SetFeature(buffer, length + 1);
}

bool hidreq_GetFeature(platform::HidDevice* handle, uint8_t reportId, uint8_t* out, size_t length) {
  if (handle == nullptr || length >= kReportBuffer) return false;
  uint8_t buffer[kReportBuffer] = {};
  buffer[0] = reportId;
  if (!handle->GetFeature(buffer, length + 1)) return false;
  std::memcpy(out, buffer, length);
  return true;
}
