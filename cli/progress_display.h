#pragma once
// A job's events as a person or a script reads them: the phase (erase, write, verify, read),
// and on a terminal a live bar with percent, bytes and elapsed time; without a terminal one
// plain line per finished phase.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli/event_queue.h"

namespace cli {

// Whether the event ends the job, and if so whether it ends it well.
bool IsClosingEvent(const PostedEvent& event);
bool IsSuccessEvent(const PostedEvent& event);
const char* EventName(uint16_t code);

class ProgressDisplay {
 public:
  enum class Phase { None, Erase, Write, Verify, Read };

  ProgressDisplay(std::FILE* out, bool live);

  void OnEvent(const PostedEvent& event);
  // Ends the line of the phase in progress.
  void Close();

  Phase phase() const { return phase_; }
  static const char* PhaseName(Phase phase);
  // The job's own account of its duration (its Elapsed event), or -1.
  int32_t jobElapsedMs() const { return jobElapsedMs_; }

 private:
  void Begin(Phase phase);
  void End();
  void Draw(bool force);

  std::FILE* out_;
  bool live_;
  Phase phase_ = Phase::None;
  int64_t total_ = 0;
  int64_t done_ = 0;
  int64_t announcedTotal_ = 0;  // the last SetTotal, which may come before its phase starts
  std::chrono::steady_clock::time_point phaseStart_;
  std::chrono::steady_clock::time_point lastDraw_;
  bool drawn_ = false;
  int32_t jobElapsedMs_ = -1;
};

}  // namespace cli
