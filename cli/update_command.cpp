#include "cli/update_command.h"

#include <cstring>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/engine_session.h"
#include "cli/hex_text.h"
#include "cli/image_check.h"
#include "cli/job_runner.h"
#include "cli/terminal_message_boxes.h"
#include "platform/console.h"
#include "transfer/engine.h"

namespace cli {
namespace {

struct UpdateOptions {
  std::string image;
  bool yes = false;
  bool force = false;
  bool json = false;
};

struct UpdateReport {
  std::string outcome;  // of the check
  int exitCode = kExitOk;
  std::string message;  // one line: what happened, or why not
  std::optional<ui::OutcomeDecision> decision;
  std::optional<JobResult> job;
  std::optional<uint16_t> newVersion;
};

// The record the update flow builds: header layout, the image's own boot header with its
// boot address cleared, the file as file 0.
bool BuildRecord(const CheckResult& check, const std::string& path,
                 transfer::DownloadJobRecord& record) {
  record = transfer::DownloadJobRecord{};
  if (path.size() >= sizeof record.file0Path) return false;
  record.kind = 2;
  std::memcpy(record.file0Path, path.c_str(), path.size() + 1);
  record.file0Size = transfer::FileSize(record.file0Path);
  std::memcpy(record.bootHeader, check.image.bootHeader, sizeof record.bootHeader);
  record.bootHeader[2] = record.bootHeader[3] = record.bootHeader[4] = 0;
  return true;
}

bool Confirm(CommandContext& context, const UpdateOptions& options,
             const ui::OutcomeDecision& decision) {
  if (options.yes) return true;
  if (!platform::StandardInputIsTerminal()) {
    std::fprintf(context.err,
                 "tavelin-fw: no terminal to confirm the update at; run with --yes to update\n");
    return false;
  }
  const std::string question =
      "Update the camera from v" + Hex16(decision.deviceVersion).substr(2) + " to v" +
      Hex16(decision.imageVersion).substr(2) + "? Keep it connected until the update is done.";
  return AskYesNo(context.err, question);
}

UpdateReport Update(CommandContext& context, const UpdateOptions& options) {
  UpdateReport report;
  const CheckResult check = CheckImage(options.image, context);
  report.decision = check.decision;
  if (!check.decision) {
    report.exitCode = check.exitCode;
    report.outcome = "not-checked";
    report.message = check.image.ok ? DescribeCameraProblem(check.camera)
                                    : "the image fails its checks: " + options.image;
    return report;
  }
  const ui::OutcomeDecision& decision = *check.decision;
  report.outcome = ui::OutcomeName(decision.outcome);
  if (decision.outcome == ui::UpdateOutcome::OtherModel) {
    report.exitCode = kExitRefused;
    report.message = DescribeOutcome(decision);
    return report;
  }
  if (decision.outcome == ui::UpdateOutcome::UpToDate && !options.force) {
    report.exitCode = kExitNothingToDo;
    report.message = DescribeOutcome(decision) + " (--force updates anyway)";
    return report;
  }
  transfer::DownloadJobRecord record;
  if (!BuildRecord(check, options.image, record)) {
    report.exitCode = kExitRefused;
    report.message = "the image path is longer than 259 characters";
    return report;
  }
  if (!Confirm(context, options, decision)) {
    report.exitCode = kExitRefused;
    report.message = "update declined";
    return report;
  }

  EngineSession session(context);
  if (!session.open()) {
    report.exitCode = kExitNoCamera;
    report.message = "the camera went away";
    return report;
  }
  std::FILE* progress = options.json ? context.err : context.out;
  report.job = RunJob(context, options.yes, progress, [&](transfer::TransferWindow* window) {
    record.window = window;
    return transfer::StartFirmwareDownload(record);
  });
  if (!report.job->started) {
    report.exitCode = kExitRefused;
    report.message = "update refused: " + report.job->FailureReason();
    return report;
  }
  if (!report.job->succeeded()) {
    report.exitCode = kExitFailure;
    report.message = "update failed: " + report.job->FailureReason();
    return report;
  }
  uint8_t high = 0;
  uint8_t low = 0;
  if (transfer::GetFirmwareVersion(&high, &low)) {
    report.newVersion = static_cast<uint16_t>(high << 8 | low);
  }
  report.message = "update done: the camera's flash now holds firmware " +
                   (report.newVersion ? Hex16(*report.newVersion) : std::string("(unreadable)")) +
                   "; disconnect and reconnect the camera to run it";
  return report;
}

void PrintJson(const UpdateReport& report, std::FILE* out) {
  nlohmann::ordered_json json;
  json["outcome"] = report.outcome;
  if (report.decision) {
    json["deviceVersion"] = Hex16(report.decision->deviceVersion);
    json["imageVersion"] = Hex16(report.decision->imageVersion);
  }
  if (report.job && report.job->started) {
    json["closingEvent"] = {{"code", report.job->closing.code},
                            {"name", EventName(report.job->closing.code)},
                            {"value", report.job->closing.value}};
    if (report.job->jobElapsedMs >= 0) json["elapsedMs"] = report.job->jobElapsedMs;
  }
  json["newVersion"] = report.newVersion ? nlohmann::ordered_json(Hex16(*report.newVersion))
                                         : nlohmann::ordered_json(nullptr);
  json["exitCode"] = report.exitCode;
  json["message"] = report.message;
  std::fprintf(out, "%s\n", json.dump(2).c_str());
}

void RunUpdate(CommandContext& context, const UpdateOptions& options) {
  const UpdateReport report = Update(context, options);
  if (options.json) {
    PrintJson(report, context.out);
  } else {
    std::FILE* stream = report.exitCode == kExitOk ? context.out : context.err;
    std::fprintf(stream, "%s%s\n",
                 report.exitCode == kExitOk ? "" : "tavelin-fw: ", report.message.c_str());
  }
  context.exitCode = report.exitCode;
}

}  // namespace

void AddUpdateCommand(CLI::App& app, CommandContext& context) {
  auto options = std::make_shared<UpdateOptions>();
  CLI::App* update = app.add_subcommand("update", "Write a firmware image into the camera");
  update->add_option("IMAGE", options->image, "Firmware image file (CRC-32, then the flash image)")
      ->required();
  update->add_flag("--yes,-y", options->yes, "Answer every question with yes");
  update->add_flag("--force", options->force, "Update also when the camera is up to date");
  update->add_flag("--json", options->json, "Print one JSON object");
  update->callback([&context, options] { RunUpdate(context, *options); });
}

}  // namespace cli
