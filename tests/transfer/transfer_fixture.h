#pragma once
// The engine against the simulated bench: a window that records what the jobs post, message
// boxes that answer from a script, image files in a directory of the test's own, and a fresh
// library and engine for every test.

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "sim/sim_bench.h"
#include "transfer/engine.h"

namespace transfer_testing {

struct Event {
  uint16_t code;
  int32_t value;
  bool operator==(const Event&) const = default;
};
void PrintTo(const Event& event, std::ostream* out);

// DownloadDone, DownloadFailed, DeviceAccessFailed, UploadDone, FileWriteFailed, EraseEnd(0)
// and VerifyResult(0): the codes that close a job.
bool IsClosing(const Event& event);
std::vector<Event> Closings(const std::vector<Event>& events);
// The value of the first event with this code, or -1 when there is none.
int32_t ValueOf(const std::vector<Event>& events, uint16_t code);

// Records every WM_TRANSFER_EVENT in order. Thread-safe; the hook and the hold run on the
// posting (worker) thread, so a test can act at an exact point of a job.
class RecordingWindow final : public transfer::TransferWindow {
 public:
  void Post(uint32_t message, uint32_t wParam, int32_t lParam) override;

  std::vector<Event> Events() const;
  size_t foreignMessages() const;  // anything other than WM_TRANSFER_EVENT
  // Waits (real time, capped) until a closing code has arrived; false on time-out.
  bool WaitForClosing() const;
  bool HasClosing() const;

  // Called after each event is recorded, on the worker thread. Set before the job starts.
  void SetHook(std::function<void(const Event&)> hook) { hook_ = std::move(hook); }
  // The next post of this code blocks until Release(); WaitUntilHeld tells when it does.
  void HoldAt(uint16_t code);
  bool WaitUntilHeld() const;
  void Release();

 private:
  mutable std::mutex lock_;
  mutable std::condition_variable changed_;
  std::vector<Event> events_;
  size_t foreign_ = 0;
  std::function<void(const Event&)> hook_;
  bool holding_ = false;
  uint16_t holdCode_ = 0;
  bool held_ = false;
};

struct Asked {
  transfer::TransferWindow* owner;
  std::string text;
  std::string caption;
  transfer::MessageButtons buttons;
  transfer::MessageIcon icon;
};

// Answers each box with the next scripted answer, Cancel once the script has run out.
class ScriptedBoxes final : public transfer::MessageBoxes {
 public:
  transfer::MessageAnswer Show(transfer::TransferWindow* owner, std::string_view text,
                               std::string_view caption, transfer::MessageButtons buttons,
                               transfer::MessageIcon icon) override;
  void Answer(std::initializer_list<transfer::MessageAnswer> answers);
  std::vector<Asked> asked() const;
  std::vector<std::string> texts() const;

 private:
  mutable std::mutex lock_;
  std::deque<transfer::MessageAnswer> script_;
  std::vector<Asked> asked_;
};

std::vector<uint8_t> Pattern(size_t length, uint8_t seed = 1);
// An image file: the CRC-32 of the payload, little-endian, then the payload.
std::vector<uint8_t> ImageFile(const std::vector<uint8_t>& payload);
// A raw image payload: begins with the boot header magic.
std::vector<uint8_t> RawPayload(size_t length);

class TransferTest : public ::testing::Test {
 public:
  // Files in the test's own directory.
  std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes);
  std::vector<uint8_t> ReadFile(const std::string& path) const;
  std::string PathOf(const std::string& name) const;

 protected:
  TransferTest();
  ~TransferTest() override;

  // A simulated camera on the bench; the default one is the factory TAVELIN Q2.
  std::shared_ptr<sim::Camera> AddCamera(const sim::CameraConfig& config);
  std::shared_ptr<sim::Camera> AddDefaultCamera();
  // An older-family chip (generation 0), its flash protected as the tool leaves it.
  std::shared_ptr<sim::Camera> AddOlderCamera(bool bootsFromSpi, bool withEeprom);
  // Opens the engine's session; the wire log and fault counting start afresh.
  void OpenSession();

  // A zero-filled record aimed at window(), with the boot header template 1A EB 00...
  transfer::DownloadJobRecord DownloadRecord(uint8_t kind, const std::string& file0,
                                             const std::string& file1 = {});
  transfer::UploadJobRecord UploadRecord(uint8_t kind, uint32_t address, uint32_t size,
                                         const std::string& path, uint8_t option = 0);

  // Waits for the closing code (when the job posts to a window) and then for the worker.
  void FinishJob(const RecordingWindow* window);
  // Starts and finishes; false (with a failure noted) when the start was refused.
  bool RunDownload(transfer::DownloadJobRecord record);
  bool RunUpload(const transfer::UploadJobRecord& record);

  sim::SimHidSystem& hid() { return bench_->hid(); }
  sim::VirtualClock& clock() { return bench_->clock(); }
  RecordingWindow& window() { return window_; }
  ScriptedBoxes& boxes() { return boxes_; }

 private:
  std::unique_ptr<sim::SimBench> bench_;
  std::filesystem::path directory_;
  RecordingWindow window_;
  ScriptedBoxes boxes_;
};

}  // namespace transfer_testing
