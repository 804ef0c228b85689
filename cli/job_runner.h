#pragma once
// Runs one engine job from the command line: the engine's questions at the terminal, its
// events on the progress display, and the closing event as the result.

#include <functional>
#include <string>
#include <vector>

#include "cli/command_context.h"
#include "cli/event_queue.h"
#include "cli/progress_display.h"
#include "transfer/engine.h"

namespace cli {

struct JobResult {
  bool started = false;
  std::string refusal;  // when not started: the engine's last message
  PostedEvent closing{0, 0};
  ProgressDisplay::Phase phase = ProgressDisplay::Phase::None;  // where it ended
  int32_t jobElapsedMs = -1;
  std::vector<PostedEvent> events;  // all of them, in order

  bool succeeded() const { return started && IsSuccessEvent(closing); }
  // One line: which phase failed and how.
  std::string FailureReason() const;
};

// start gets the window to name in its record and returns the engine's worker handle. The
// progress goes to progress (live when that is a terminal).
JobResult RunJob(CommandContext& context, bool assumeYes, std::FILE* progress,
                 const std::function<transfer::WorkerHandle(transfer::TransferWindow*)>& start);

}  // namespace cli
