#pragma once
// The simulated machine's HID interfaces: cameras, decoys, plugging and unplugging, a log of
// every call, fault injection, and a latency per feature-report transfer in virtual time.
// Thread-safe: every call takes one lock, and so does every call on a handle it opened.
//
// Paths are "sim-hid:0", "sim-hid:1", ... in the order of adding. A query-only handle (neither
// read nor write access) reads attributes and capabilities, but its transfers fail. A handle
// opened exclusively refuses every other open while it lives; a handle of any mode refuses an
// exclusive open. Decoys refuse every feature transfer. Handles that outlive the system fail
// every call.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid.h"
#include "sim/camera.h"
#include "sim/transfer_log.h"
#include "sim/virtual_clock.h"

namespace sim {

// HID interfaces that are not the camera.
enum class DecoyKind {
  NoFeatureReports,                // a keyboard: input reports only
  TooManyFeatureItems,             // 0x87 and 0x93 among four feature items: three value
                                   // capabilities, the third a usage range of two usages
  CommandReportWithoutData,        // 0x87 but no 0x93
  TooManyFeatureItemsWithButtons,  // value capabilities 0x87 and 0x93 plus two feature buttons
};

class SimHidDevice;  // a handle Open hands out (internal)

class SimHidSystem final : public platform::HidSystem {
 public:
  explicit SimHidSystem(VirtualClock& clock);
  ~SimHidSystem() override;

  // Each adds one interface at the end of the enumeration order and returns its path.
  std::string AddCamera(std::shared_ptr<Camera> camera);
  std::string AddDecoy(DecoyKind kind);

  // An unplugged interface is no longer listed, cannot be opened, and every transfer on a
  // handle opened before fails. Plug brings it back at its old place in the order.
  void Unplug(const std::string& path);
  void Plug(const std::string& path);

  // Fault injection over feature-report transfers (sets and gets), counted from 1 since the
  // last ClearFaults. FailTransfer(n): only the nth fails. FailFrom(n): the nth and every later
  // one fail, as an unplugged camera. FailReport(id): every transfer of that report id fails.
  void FailTransfer(size_t n);
  void FailFrom(size_t n);
  void FailReport(uint8_t reportId);
  void ClearFaults();

  // Holds a job at an exact point: the nth transfer (counted as the faults are) waits before
  // the camera sees it until ReleaseHold. WaitUntilHeld waits (real time, at most 10 s) for a
  // transfer to be held; false on time-out. Every call but the held transfer goes on
  // meanwhile, so a test can unplug the camera or look at the flash.
  void HoldTransfer(size_t n);
  bool WaitUntilHeld();
  void ReleaseHold();

  // Each feature-report transfer advances the virtual clock by this much, failed ones too
  // (before the camera handles it).
  void SetLatencyMs(uint32_t milliseconds);

  std::vector<TransferRecord> Log() const;
  // Only the feature-report records (sets and gets), in order.
  std::vector<TransferRecord> FeatureLog() const;
  TransferCounters Counters() const;
  // Empties the log and zeroes the counters (fault counting goes on).
  void ClearLog();
  // Off: nothing is logged any more, the counters still count (long benchmark runs).
  void SetLogging(bool enabled);

  // platform::HidSystem
  bool ListInterfaces(std::vector<std::string>& paths) override;
  std::unique_ptr<platform::HidDevice> Open(const std::string& path,
                                            const platform::HidOpenMode& mode) override;

  struct Interface;  // internal

 private:
  friend class SimHidDevice;
  // The handle's side of the calls, under lock_.
  bool Alive(const SimHidDevice& device) const;
  bool Query(SimHidDevice& device, platform::HidAttributes* attributes,
             platform::HidFeatureCaps* caps);
  bool Transfer(SimHidDevice& device, bool set, uint8_t* buffer, size_t length);
  void Close(SimHidDevice& device);
  Interface* Find(const std::string& path);
  std::string Add(std::unique_ptr<Interface> iface);

  VirtualClock& clock_;
  mutable std::mutex lock_;
  std::vector<std::unique_ptr<Interface>> interfaces_;
  std::vector<SimHidDevice*> devices_;  // handles alive
  std::vector<TransferRecord> log_;
  TransferCounters counters_;
  size_t transfers_ = 0;
  size_t failOnly_ = 0;
  size_t failFrom_ = 0;
  size_t holdAt_ = 0;
  bool held_ = false;
  std::condition_variable holdChanged_;
  std::vector<uint8_t> failReports_;
  uint32_t latencyMs_ = 0;
  bool logging_ = true;
};

}  // namespace sim
