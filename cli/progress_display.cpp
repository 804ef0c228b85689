#include "cli/progress_display.h"

#include <algorithm>

#include "transfer/transfer_window.h"

namespace cli {

using namespace transfer;

bool IsClosingEvent(const PostedEvent& event) {
  switch (event.code) {
    case DownloadDone:
    case DownloadFailed:
    case DeviceAccessFailed:
    case FileWriteFailed:
    case UploadDone:
      return true;
    case EraseEnd:
    case VerifyResult:
      return event.value == 0;
    default:
      return false;
  }
}

bool IsSuccessEvent(const PostedEvent& event) {
  return event.code == DownloadDone || event.code == UploadDone;
}

const char* EventName(uint16_t code) {
  switch (code) {
    case WriteStart:
      return "WriteStart";
    case WriteProgress:
      return "WriteProgress";
    case VerifyStart:
      return "VerifyStart";
    case VerifyProgress:
      return "VerifyProgress";
    case ReadStart:
      return "ReadStart";
    case ReadProgress:
      return "ReadProgress";
    case SetTotal:
      return "SetTotal";
    case FileWriteFailed:
      return "FileWriteFailed";
    case UploadDone:
      return "UploadDone";
    case UploadFailed:
      return "UploadFailed";
    case DownloadDone:
      return "DownloadDone";
    case DownloadFailed:
      return "DownloadFailed";
    case DeviceAccessFailed:
      return "DeviceAccessFailed";
    case Elapsed:
      return "Elapsed";
    case VerifyLength:
      return "VerifyLength";
    case VerifyResult:
      return "VerifyResult";
    case EraseStart:
      return "EraseStart";
    case EraseProgress:
      return "EraseProgress";
    case EraseEnd:
      return "EraseEnd";
    default:
      return "Unknown";
  }
}

ProgressDisplay::ProgressDisplay(std::FILE* out, bool live) : out_(out), live_(live) {}

const char* ProgressDisplay::PhaseName(Phase phase) {
  switch (phase) {
    case Phase::Erase:
      return "erase";
    case Phase::Write:
      return "write";
    case Phase::Verify:
      return "verify";
    case Phase::Read:
      return "read";
    case Phase::None:
      break;
  }
  return "start";
}

void ProgressDisplay::Begin(Phase phase) {
  if (phase == phase_) return;
  End();
  phase_ = phase;
  total_ = announcedTotal_;
  done_ = 0;
  phaseStart_ = std::chrono::steady_clock::now();
  drawn_ = false;
}

void ProgressDisplay::End() {
  if (phase_ == Phase::None) return;
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - phaseStart_).count();
  if (live_) {
    Draw(true);
    std::fputc('\n', out_);
  } else {
    const char* unit = phase_ == Phase::Erase ? "sectors" : "bytes";
    std::fprintf(out_, "%s: %lld of %lld %s, %.1f s\n", PhaseName(phase_),
                 static_cast<long long>(done_), static_cast<long long>(total_), unit, seconds);
  }
  std::fflush(out_);
  phase_ = Phase::None;
}

void ProgressDisplay::Close() {
  End();
}

void ProgressDisplay::Draw(bool force) {
  if (!live_ || phase_ == Phase::None) return;
  const auto now = std::chrono::steady_clock::now();
  if (!force && drawn_ && now - lastDraw_ < std::chrono::milliseconds(50)) return;
  lastDraw_ = now;
  drawn_ = true;
  constexpr int kWidth = 30;
  const int64_t total = std::max<int64_t>(total_, 1);
  const int64_t done = std::clamp<int64_t>(done_, 0, total);
  const int filled = static_cast<int>(done * kWidth / total);
  const int percent = static_cast<int>(done * 100 / total);
  const double seconds = std::chrono::duration<double>(now - phaseStart_).count();
  std::string bar(static_cast<size_t>(filled), '#');
  bar.resize(kWidth, '.');
  const char* unit = phase_ == Phase::Erase ? "sectors" : "bytes";
  std::fprintf(out_, "\r%-6s [%s] %3d%%  %lld / %lld %s  %.1f s ", PhaseName(phase_), bar.c_str(),
               percent, static_cast<long long>(done_), static_cast<long long>(total_), unit,
               seconds);
  std::fflush(out_);
}

void ProgressDisplay::OnEvent(const PostedEvent& event) {
  // Totals and positions of 16 or less belong to the header and boot-record writes.
  const bool small = event.value <= 16;
  switch (event.code) {
    case EraseStart:
      Begin(Phase::Erase);
      total_ = event.value + 1;
      break;
    case EraseProgress:
      done_ = event.value + 1;
      break;
    case EraseEnd:
      if (event.value == 1) done_ = total_;
      End();
      break;
    case WriteStart:
      Begin(Phase::Write);
      break;
    case SetTotal:
      if (!small) total_ = announcedTotal_ = event.value;
      break;
    case WriteProgress:
      if (phase_ == Phase::None && event.value == 0) break;  // the job's opening event
      if (phase_ != Phase::Write && phase_ != Phase::Erase) Begin(Phase::Write);
      if (!small) done_ = event.value;
      break;
    case VerifyStart:
      Begin(Phase::Verify);
      break;
    case VerifyLength:
      Begin(Phase::Verify);
      total_ = event.value;
      break;
    case VerifyProgress:
      Begin(Phase::Verify);
      if (!small) done_ = event.value;
      break;
    case VerifyResult:
      if (event.value == 1) done_ = total_;
      End();
      break;
    case ReadStart:
      Begin(Phase::Read);
      break;
    case ReadProgress:
      done_ = event.value;
      break;
    case Elapsed:
      jobElapsedMs_ = event.value;
      break;
    default:
      break;
  }
  if (IsClosingEvent(event)) {
    if (IsSuccessEvent(event) && phase_ != Phase::None && total_ > 0 && done_ < total_ &&
        phase_ != Phase::Verify) {
      done_ = total_;
    }
    if (IsSuccessEvent(event)) End();
    return;
  }
  Draw(false);
}

}  // namespace cli
