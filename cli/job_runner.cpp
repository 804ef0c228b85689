#include "cli/job_runner.h"

#include "cli/terminal_message_boxes.h"
#include "platform/console.h"

namespace cli {

std::string JobResult::FailureReason() const {
  if (!started) return refusal.empty() ? "the engine refused to start" : refusal;
  const std::string phaseName = ProgressDisplay::PhaseName(phase);
  switch (closing.code) {
    case transfer::EraseEnd:
      return "erase failed: a flash sector could not be erased";
    case transfer::VerifyResult:
      return "verify failed: the flash does not read back as the image";
    case transfer::DownloadFailed:
      return phase == ProgressDisplay::Phase::Write
                 ? "write failed: the image could not be programmed"
                 : "verify failed: the store does not read back as the image";
    case transfer::DeviceAccessFailed:
      return phaseName + " failed: the camera did not answer";
    case transfer::FileWriteFailed:
      return "the output file could not be written completely";
    default:
      return std::string("the job ended with ") + EventName(closing.code);
  }
}

JobResult RunJob(CommandContext& context, bool assumeYes, std::FILE* progress,
                 const std::function<transfer::WorkerHandle(transfer::TransferWindow*)>& start) {
  TerminalMessageBoxes boxes(context.err, assumeYes, platform::StandardInputIsTerminal());
  transfer::SetMessageBoxes(&boxes);
  EventQueue queue;
  JobResult result;
  const bool live = (progress == stdout && platform::StandardOutputIsTerminal()) ||
                    (progress == stderr && platform::StandardErrorIsTerminal());
  ProgressDisplay display(progress, live);

  result.started = start(&queue) != nullptr;
  if (!result.started) {
    if (!boxes.shown().empty()) result.refusal = boxes.shown().back();
    transfer::SetMessageBoxes(nullptr);
    return result;
  }
  for (;;) {
    const PostedEvent event = queue.Next();
    result.events.push_back(event);
    display.OnEvent(event);
    if (IsClosingEvent(event)) {
      result.closing = event;
      break;
    }
  }
  result.phase = display.phase();
  // The job may post a little after its closing code: its duration counts, the rest (a dump's
  // closing byte count) does not start a new phase.
  transfer::WaitForWorkerToEnd();
  for (PostedEvent event; queue.TryNext(event);) {
    result.events.push_back(event);
    if (event.code == transfer::Elapsed) display.OnEvent(event);
  }
  display.Close();
  result.jobElapsedMs = display.jobElapsedMs();
  transfer::SetMessageBoxes(nullptr);
  return result;
}

}  // namespace cli
