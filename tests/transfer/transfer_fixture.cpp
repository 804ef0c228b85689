#include "tests/transfer/transfer_fixture.h"

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "device/library_state.h"
#include "sim/camera.h"
#include "tests/support/isolated_mutexes.h"
#include "transfer/crc32.h"

namespace transfer_testing {
namespace {

// Jobs run in virtual time; real time only matters under the sanitizers.
constexpr auto kJobCap = std::chrono::seconds(120);

}  // namespace

void PrintTo(const Event& event, std::ostream* out) {
  *out << "(" << event.code << ", " << event.value << ")";
}

bool IsClosing(const Event& event) {
  switch (event.code) {
    case transfer::DownloadDone:
    case transfer::DownloadFailed:
    case transfer::DeviceAccessFailed:
    case transfer::UploadDone:
    case transfer::FileWriteFailed:
      return true;
    case transfer::EraseEnd:
    case transfer::VerifyResult:
      return event.value == 0;
    default:
      return false;
  }
}

std::vector<Event> Closings(const std::vector<Event>& events) {
  std::vector<Event> closings;
  for (const Event& event : events) {
    if (IsClosing(event)) closings.push_back(event);
  }
  return closings;
}

int32_t ValueOf(const std::vector<Event>& events, uint16_t code) {
  for (const Event& event : events) {
    if (event.code == code) return event.value;
  }
  return -1;
}

void RecordingWindow::Post(uint32_t message, uint32_t wParam, int32_t lParam) {
  const Event event{static_cast<uint16_t>(wParam), lParam};
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (message != transfer::WM_TRANSFER_EVENT) {
      ++foreign_;
      return;
    }
    events_.push_back(event);
    changed_.notify_all();
  }
  if (hook_) hook_(event);
  std::unique_lock<std::mutex> guard(lock_);
  if (holding_ && event.code == holdCode_) {
    held_ = true;
    changed_.notify_all();
    changed_.wait(guard, [&] { return !holding_; });
  }
}

std::vector<Event> RecordingWindow::Events() const {
  std::lock_guard<std::mutex> guard(lock_);
  return events_;
}

size_t RecordingWindow::foreignMessages() const {
  std::lock_guard<std::mutex> guard(lock_);
  return foreign_;
}

bool RecordingWindow::HasClosing() const {
  std::lock_guard<std::mutex> guard(lock_);
  for (const Event& event : events_) {
    if (IsClosing(event)) return true;
  }
  return false;
}

bool RecordingWindow::WaitForClosing() const {
  std::unique_lock<std::mutex> guard(lock_);
  return changed_.wait_for(guard, kJobCap, [&] {
    for (const Event& event : events_) {
      if (IsClosing(event)) return true;
    }
    return false;
  });
}

void RecordingWindow::HoldAt(uint16_t code) {
  std::lock_guard<std::mutex> guard(lock_);
  holding_ = true;
  holdCode_ = code;
  held_ = false;
}

bool RecordingWindow::WaitUntilHeld() const {
  std::unique_lock<std::mutex> guard(lock_);
  return changed_.wait_for(guard, kJobCap, [&] { return held_; });
}

void RecordingWindow::Release() {
  std::lock_guard<std::mutex> guard(lock_);
  holding_ = false;
  changed_.notify_all();
}

transfer::MessageAnswer ScriptedBoxes::Show(transfer::TransferWindow* owner, std::string_view text,
                                            std::string_view caption,
                                            transfer::MessageButtons buttons,
                                            transfer::MessageIcon icon) {
  std::lock_guard<std::mutex> guard(lock_);
  asked_.push_back({owner, std::string(text), std::string(caption), buttons, icon});
  if (script_.empty()) return transfer::MessageAnswer::Cancel;
  const transfer::MessageAnswer answer = script_.front();
  script_.pop_front();
  return answer;
}

void ScriptedBoxes::Answer(std::initializer_list<transfer::MessageAnswer> answers) {
  std::lock_guard<std::mutex> guard(lock_);
  script_.insert(script_.end(), answers.begin(), answers.end());
}

std::vector<Asked> ScriptedBoxes::asked() const {
  std::lock_guard<std::mutex> guard(lock_);
  return asked_;
}

std::vector<std::string> ScriptedBoxes::texts() const {
  std::vector<std::string> texts;
  for (const Asked& asked : asked()) texts.push_back(asked.text);
  return texts;
}

std::vector<uint8_t> Pattern(size_t length, uint8_t seed) {
  std::vector<uint8_t> bytes(length);
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
  return bytes;
}

std::vector<uint8_t> ImageFile(const std::vector<uint8_t>& payload) {
  const uint32_t crc = transfer::Crc32(0, payload.data(), payload.size());
  std::vector<uint8_t> file(4 + payload.size());
  for (int i = 0; i < 4; ++i) file[i] = static_cast<uint8_t>(crc >> (8 * i));
  std::copy(payload.begin(), payload.end(), file.begin() + 4);
  return file;
}

std::vector<uint8_t> RawPayload(size_t length) {
  std::vector<uint8_t> payload = Pattern(length, 3);
  payload[0] = 0x1A;
  payload[1] = 0xEB;
  return payload;
}

TransferTest::TransferTest() {
  ResetLibraryForTests();
  transfer::ResetEngineForTests();
  sim::SimBench::Options options;
  options.defaultCamera = false;
  options.mutexes = &testing_support::IsolatedMutexes();
  bench_ = std::make_unique<sim::SimBench>(options);
  transfer::SetMessageBoxes(&boxes_);
  char pattern[] = "/tmp/tavelin-transfer-XXXXXX";
  if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
  directory_ = pattern;
}

TransferTest::~TransferTest() {
  transfer::WaitForWorkerToEnd();
  transfer::CloseDeviceSession();
  transfer::ResetEngineForTests();
  ResetLibraryForTests();
  bench_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

std::shared_ptr<sim::Camera> TransferTest::AddCamera(const sim::CameraConfig& config) {
  auto camera = std::make_shared<sim::Camera>(config, bench_->clock());
  bench_->hid().AddCamera(camera);
  return camera;
}

std::shared_ptr<sim::Camera> TransferTest::AddDefaultCamera() {
  auto camera = sim::MakeDefaultCamera(bench_->clock());
  bench_->hid().AddCamera(camera);
  return camera;
}

std::shared_ptr<sim::Camera> TransferTest::AddOlderCamera(bool bootsFromSpi, bool withEeprom) {
  sim::CameraConfig config;
  config.chipId = 0x000000A0;
  config.withEeprom = withEeprom;
  config.bootsFromSpi = bootsFromSpi;
  auto camera = AddCamera(config);
  camera->flash().SetStatus(0x0C);
  return camera;
}

void TransferTest::OpenSession() {
  ASSERT_NE(transfer::OpenDeviceSession(), 0);
  hid().ClearLog();
  hid().ClearFaults();
}

std::string TransferTest::PathOf(const std::string& name) const {
  return (directory_ / name).string();
}

std::string TransferTest::WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = PathOf(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::vector<uint8_t> TransferTest::ReadFile(const std::string& path) const {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

transfer::DownloadJobRecord TransferTest::DownloadRecord(uint8_t kind, const std::string& file0,
                                                         const std::string& file1) {
  transfer::DownloadJobRecord record{};
  record.window = &window_;
  record.kind = kind;
  std::snprintf(record.file0Path, sizeof record.file0Path, "%s", file0.c_str());
  std::snprintf(record.file1Path, sizeof record.file1Path, "%s", file1.c_str());
  record.bootHeader[0] = 0x1A;
  record.bootHeader[1] = 0xEB;
  return record;
}

transfer::UploadJobRecord TransferTest::UploadRecord(uint8_t kind, uint32_t address, uint32_t size,
                                                     const std::string& path, uint8_t option) {
  transfer::UploadJobRecord record{};
  record.window = &window_;
  record.kind = kind;
  record.address = address;
  record.size = size;
  std::snprintf(record.path, sizeof record.path, "%s", path.c_str());
  record.option = option;
  return record;
}

void TransferTest::FinishJob(const RecordingWindow* window) {
  if (window != nullptr && !window->WaitForClosing()) {
    // A job that never closes would hang the wait below: stop here with the reason.
    std::fprintf(stderr, "the job posted no closing code in time\n");
    std::abort();
  }
  transfer::WaitForWorkerToEnd();
}

bool TransferTest::RunDownload(transfer::DownloadJobRecord record) {
  if (transfer::StartFirmwareDownload(record) == nullptr) {
    ADD_FAILURE() << "download refused";
    return false;
  }
  FinishJob(dynamic_cast<RecordingWindow*>(record.window));
  return true;
}

bool TransferTest::RunUpload(const transfer::UploadJobRecord& record) {
  if (transfer::StartFirmwareUpload(record) == nullptr) {
    ADD_FAILURE() << "upload refused";
    return false;
  }
  FinishJob(dynamic_cast<RecordingWindow*>(record.window));
  return true;
}

}  // namespace transfer_testing
