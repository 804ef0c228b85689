// The simulated machine's HID interfaces and the handles they hand out.

#include "sim/sim_hid_system.h"

#include <algorithm>
#include <chrono>

namespace sim {

struct SimHidSystem::Interface {
  std::string path;
  std::shared_ptr<Camera> camera;  // null for a decoy
  platform::HidAttributes attributes;
  platform::HidFeatureCaps caps;  // of a decoy; a camera's come from the camera
  bool plugged = true;
  // Bumped at every unplug: handles of an older generation are dead for good.
  uint32_t generation = 0;
  size_t openHandles = 0;  // of the current generation
  bool heldExclusively = false;
};

class SimHidDevice final : public platform::HidDevice {
 public:
  SimHidDevice(SimHidSystem* system, SimHidSystem::Interface* iface,
               const platform::HidOpenMode& mode)
      : system_(system), iface_(iface), mode_(mode), generation_(iface->generation) {}
  ~SimHidDevice() override {
    if (system_ != nullptr) system_->Close(*this);
  }

  bool GetAttributes(platform::HidAttributes& out) override {
    return system_ != nullptr && system_->Query(*this, &out, nullptr);
  }
  bool GetFeatureCaps(platform::HidFeatureCaps& out) override {
    return system_ != nullptr && system_->Query(*this, nullptr, &out);
  }
  // The system only reads a set's buffer.
  bool SetFeature(const uint8_t* buffer, size_t length) override {
    return system_ != nullptr &&
           system_->Transfer(*this, true, const_cast<uint8_t*>(buffer), length);
  }
  bool GetFeature(uint8_t* buffer, size_t length) override {
    return system_ != nullptr && system_->Transfer(*this, false, buffer, length);
  }

 private:
  friend class SimHidSystem;
  SimHidSystem* system_;  // null once the system is gone
  SimHidSystem::Interface* iface_;
  platform::HidOpenMode mode_;
  uint32_t generation_;
};

namespace {

constexpr uint16_t kVendorPage = 0xFF00;

platform::HidCapability Value(uint8_t reportId, uint16_t usage) {
  platform::HidCapability cap;
  cap.reportId = reportId;
  cap.usagePage = kVendorPage;
  cap.usage = usage;
  return cap;
}

platform::HidCapability ValueRange(uint8_t reportId, uint16_t usageMin, uint16_t usageMax) {
  platform::HidCapability cap;
  cap.reportId = reportId;
  cap.usagePage = kVendorPage;
  cap.isRange = true;
  cap.usageMin = usageMin;
  cap.usageMax = usageMax;
  return cap;
}

platform::HidFeatureCaps DecoyCaps(DecoyKind kind) {
  platform::HidFeatureCaps caps;
  switch (kind) {
    case DecoyKind::NoFeatureReports:
      break;
    case DecoyKind::TooManyFeatureItems:
      caps.values = {Value(0x87, 1), Value(0x93, 2), ValueRange(0x97, 3, 4)};
      break;
    case DecoyKind::CommandReportWithoutData:
      caps.values = {Value(0x87, 1)};
      break;
    case DecoyKind::TooManyFeatureItemsWithButtons:
      caps.values = {Value(0x87, 1), Value(0x93, 2)};
      caps.buttons = {Value(0x05, 1), Value(0x05, 2)};
      break;
  }
  return caps;
}

platform::HidAttributes DecoyAttributes(DecoyKind kind) {
  if (kind == DecoyKind::NoFeatureReports) return {0x046D, 0xC31C, 0x6400};  // a keyboard
  return {0x0483, 0x5750, 0x0200};  // some vendor-defined gadget
}

}  // namespace

SimHidSystem::SimHidSystem(VirtualClock& clock) : clock_(clock) {}

SimHidSystem::~SimHidSystem() {
  std::lock_guard<std::mutex> hold(lock_);
  for (SimHidDevice* device : devices_) device->system_ = nullptr;
}

std::string SimHidSystem::Add(std::unique_ptr<Interface> iface) {
  std::lock_guard<std::mutex> hold(lock_);
  iface->path = "sim-hid:" + std::to_string(interfaces_.size());
  interfaces_.push_back(std::move(iface));
  return interfaces_.back()->path;
}

std::string SimHidSystem::AddCamera(std::shared_ptr<Camera> camera) {
  auto iface = std::make_unique<Interface>();
  iface->attributes = camera->hid().attributes();
  iface->camera = std::move(camera);
  return Add(std::move(iface));
}

std::string SimHidSystem::AddDecoy(DecoyKind kind) {
  auto iface = std::make_unique<Interface>();
  iface->attributes = DecoyAttributes(kind);
  iface->caps = DecoyCaps(kind);
  return Add(std::move(iface));
}

SimHidSystem::Interface* SimHidSystem::Find(const std::string& path) {
  for (auto& iface : interfaces_) {
    if (iface->path == path) return iface.get();
  }
  return nullptr;
}

void SimHidSystem::Unplug(const std::string& path) {
  std::lock_guard<std::mutex> hold(lock_);
  Interface* iface = Find(path);
  if (iface == nullptr || !iface->plugged) return;
  iface->plugged = false;
  ++iface->generation;
  iface->openHandles = 0;
  iface->heldExclusively = false;
}

void SimHidSystem::Plug(const std::string& path) {
  std::lock_guard<std::mutex> hold(lock_);
  if (Interface* iface = Find(path)) iface->plugged = true;
}

void SimHidSystem::FailTransfer(size_t n) {
  std::lock_guard<std::mutex> hold(lock_);
  failOnly_ = n;
}

void SimHidSystem::FailFrom(size_t n) {
  std::lock_guard<std::mutex> hold(lock_);
  failFrom_ = n;
}

void SimHidSystem::FailReport(uint8_t reportId) {
  std::lock_guard<std::mutex> hold(lock_);
  failReports_.push_back(reportId);
}

void SimHidSystem::ClearFaults() {
  std::lock_guard<std::mutex> hold(lock_);
  transfers_ = 0;
  failOnly_ = 0;
  failFrom_ = 0;
  failReports_.clear();
}

void SimHidSystem::HoldTransfer(size_t n) {
  std::lock_guard<std::mutex> hold(lock_);
  holdAt_ = n;
  held_ = false;
}

bool SimHidSystem::WaitUntilHeld() {
  std::unique_lock<std::mutex> hold(lock_);
  return holdChanged_.wait_for(hold, std::chrono::seconds(10), [this] { return held_; });
}

void SimHidSystem::ReleaseHold() {
  std::lock_guard<std::mutex> hold(lock_);
  holdAt_ = 0;
  held_ = false;
  holdChanged_.notify_all();
}

void SimHidSystem::SetLatencyMs(uint32_t milliseconds) {
  std::lock_guard<std::mutex> hold(lock_);
  latencyMs_ = milliseconds;
}

std::vector<TransferRecord> SimHidSystem::Log() const {
  std::lock_guard<std::mutex> hold(lock_);
  return log_;
}

std::vector<TransferRecord> SimHidSystem::FeatureLog() const {
  std::lock_guard<std::mutex> hold(lock_);
  std::vector<TransferRecord> features;
  for (const TransferRecord& record : log_) {
    if (record.kind == CallKind::SetFeature || record.kind == CallKind::GetFeature) {
      features.push_back(record);
    }
  }
  return features;
}

TransferCounters SimHidSystem::Counters() const {
  std::lock_guard<std::mutex> hold(lock_);
  return counters_;
}

void SimHidSystem::SetLogging(bool enabled) {
  std::lock_guard<std::mutex> hold(lock_);
  logging_ = enabled;
}

void SimHidSystem::ClearLog() {
  std::lock_guard<std::mutex> hold(lock_);
  log_.clear();
  counters_ = {};
}

bool SimHidSystem::ListInterfaces(std::vector<std::string>& paths) {
  std::lock_guard<std::mutex> hold(lock_);
  paths.clear();
  for (const auto& iface : interfaces_) {
    if (iface->plugged) paths.push_back(iface->path);
  }
  log_.push_back({CallKind::List, {}, {}, true});
  return true;
}

std::unique_ptr<platform::HidDevice> SimHidSystem::Open(const std::string& path,
                                                        const platform::HidOpenMode& mode) {
  std::lock_guard<std::mutex> hold(lock_);
  Interface* iface = Find(path);
  const bool ok = iface != nullptr && iface->plugged && !iface->heldExclusively &&
                  !(mode.exclusive && iface->openHandles > 0);
  log_.push_back({CallKind::Open,
                  path,
                  {uint8_t{mode.read}, uint8_t{mode.write}, uint8_t{mode.exclusive}},
                  ok});
  if (!ok) return nullptr;
  auto device = std::make_unique<SimHidDevice>(this, iface, mode);
  ++iface->openHandles;
  iface->heldExclusively = mode.exclusive;
  devices_.push_back(device.get());
  return device;
}

bool SimHidSystem::Alive(const SimHidDevice& device) const {
  return device.iface_->plugged && device.generation_ == device.iface_->generation;
}

bool SimHidSystem::Query(SimHidDevice& device, platform::HidAttributes* attributes,
                         platform::HidFeatureCaps* caps) {
  std::lock_guard<std::mutex> hold(lock_);
  Interface& iface = *device.iface_;
  const bool ok = Alive(device);
  if (ok && attributes != nullptr) *attributes = iface.attributes;
  if (ok && caps != nullptr) *caps = iface.camera ? iface.camera->hid().FeatureCaps() : iface.caps;
  log_.push_back({attributes != nullptr ? CallKind::GetAttributes : CallKind::GetFeatureCaps,
                  iface.path,
                  {},
                  ok});
  return ok;
}

bool SimHidSystem::Transfer(SimHidDevice& device, bool set, uint8_t* buffer, size_t length) {
  std::unique_lock<std::mutex> hold(lock_);
  const size_t n = ++transfers_;
  if (n == holdAt_) {
    held_ = true;
    holdChanged_.notify_all();
    holdChanged_.wait(hold, [this] { return holdAt_ == 0; });
  }
  Interface& iface = *device.iface_;
  clock_.Advance(latencyMs_);
  const uint8_t reportId = length > 0 ? buffer[0] : 0;  // a get's answer overwrites byte 0

  const bool access = device.mode_.read || device.mode_.write;
  const bool faulted = n == failOnly_ || (failFrom_ != 0 && n >= failFrom_) ||
                       (length > 0 && std::find(failReports_.begin(), failReports_.end(),
                                                buffer[0]) != failReports_.end());
  bool ok = Alive(device) && access && !faulted && iface.camera != nullptr;
  if (ok) {
    ok = set ? iface.camera->hid().SetFeature(buffer, length)
             : iface.camera->hid().GetFeature(buffer, length);
  }

  ++(set ? counters_.sets : counters_.gets);
  if (!ok) ++counters_.failed;
  if (logging_)
    log_.push_back({set ? CallKind::SetFeature : CallKind::GetFeature, iface.path,
                    std::vector<uint8_t>(buffer, buffer + length), ok, reportId});
  return ok;
}

void SimHidSystem::Close(SimHidDevice& device) {
  std::lock_guard<std::mutex> hold(lock_);
  Interface& iface = *device.iface_;
  if (device.generation_ == iface.generation) {  // an unplug already forgot older handles
    --iface.openHandles;
    if (device.mode_.exclusive) iface.heldExclusively = false;
  }
  devices_.erase(std::find(devices_.begin(), devices_.end(), &device));
  log_.push_back({CallKind::Close, iface.path, {}, true});
}

}  // namespace sim
