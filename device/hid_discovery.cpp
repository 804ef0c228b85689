// Finding the camera's vendor HID interface among all HID interfaces of the system.

#include <cstdint>

#include "device/hid_transport.h"
#include "device/lib_trace.h"
#include "platform/services.h"

namespace {

// Feature items as the HID parser counts them: one per button capability, one per value
// capability, or the width of its usage range.
int64_t FeatureItemCount(const platform::HidFeatureCaps& caps) {
  int64_t count = static_cast<int64_t>(caps.buttons.size());
  for (const platform::HidCapability& value : caps.values) {
    if (value.isRange && value.usageMax >= value.usageMin) {
      count += int64_t{value.usageMax} - value.usageMin + 1;
    } else {
      count += 1;
    }
  }
  return count;
}

}  // namespace

bool hidreq_IsCamera(const platform::HidFeatureCaps& caps) {
  const int64_t items = FeatureItemCount(caps);
  if (items < 1 || items > 3) return false;
  bool command = false;
  bool data = false;
  for (size_t i = 0; i < caps.values.size() && static_cast<int64_t>(i) < items; ++i) {
    command |= caps.values[i].reportId == kReportCommand;
    data |= caps.values[i].reportId == kReportData;
  }
  return command && data;
}

bool hidreq_OpenDevice(const std::string& path, bool read, bool write, bool exclusive,
                       HidCandidate& candidate) {
  platform::HidSystem* hid = platform::CurrentServices().hid;
  if (hid == nullptr) return false;
  candidate.path = path;
  platform::HidOpenMode mode;
  mode.read = read;
  mode.write = write;
  mode.exclusive = exclusive;
  candidate.probe = hid->Open(path, mode);
  if (!candidate.probe) return false;
  if (!candidate.probe->GetFeatureCaps(candidate.caps) ||
      !candidate.probe->GetAttributes(candidate.attributes)) {
    hidreq_CloseDevice(candidate);
    return false;
  }
  return true;
}

void hidreq_CloseDevice(HidCandidate& candidate) {
  candidate.probe.reset();
  candidate.caps = {};
  candidate.path.clear();
}

bool hidreq_FindDevices(std::vector<HidCandidate>& candidates) {
  candidates.clear();
  platform::HidSystem* hid = platform::CurrentServices().hid;
  std::vector<std::string> paths;
  if (hid == nullptr || !hid->ListInterfaces(paths)) return false;
  for (const std::string& path : paths) {
    if (candidates.size() == static_cast<size_t>(kMaxDevices)) break;
    HidCandidate candidate;
    // A query-only open: no access rights, shared read and write.
    if (!hidreq_OpenDevice(path, false, false, false, candidate)) continue;
    if (hidreq_IsCamera(candidate.caps)) {
      candidates.push_back(std::move(candidate));
    } else {
      hidreq_CloseDevice(candidate);
    }
  }
  return !candidates.empty();
}

int hidreq_Enumerate(HidDeviceSet& set) {
  std::vector<HidCandidate> candidates;
  if (!hidreq_FindDevices(candidates)) return 0;
  platform::HidSystem* hid = platform::CurrentServices().hid;
  set.count = 0;
  for (HidCandidate& candidate : candidates) {
    platform::HidOpenMode mode;
    mode.read = true;
    mode.write = true;
    if (auto handle = hid->Open(candidate.path, mode)) {
      set.handles[set.count++] = std::move(handle);
    }
    hidreq_CloseDevice(candidate);
  }
  return static_cast<int>(set.count);
}

void hidreq_CloseAll(HidDeviceSet& set) {
  for (uint32_t i = 0; i < set.count && i < static_cast<uint32_t>(kMaxDevices); ++i) {
    set.handles[i].reset();
  }
  set.count = 0;
}

bool hidreq_Init() {
  LibraryState& lib = Library();
  lib.deviceCount = hidreq_Enumerate(lib.hid);
  if (lib.deviceCount == 0) {
    LibTrace("No found HID Device.");
    return false;
  }
  lib.kind = DeviceKind::Hid;
  if (!CreateLibraryMutex() || !WaitLibraryMutex(1000)) {
    LibTrace("[%s] mutex time-out ", "hidreq_Init");
    hidreq_CloseAll(lib.hid);
    lib.mutex.reset();
    lib.kind = DeviceKind::None;
    lib.deviceCount = 0;
    return false;
  }
  for (int32_t i = 0; i < lib.deviceCount; ++i) {
    DeviceSlot& slot = lib.slots[static_cast<size_t>(i)];
    platform::HidDevice* handle = lib.hid.handles[static_cast<size_t>(i)].get();
    slot.device = handle;
    uint8_t chipGen = 0;
    hidreg_GetChipGen(handle, chipGen);
    slot.chipGen = chipGen;
  }
  ReleaseLibraryMutex();
  return true;
}
