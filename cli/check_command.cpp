#include "cli/check_command.h"

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/hex_text.h"
#include "cli/image_check.h"
#include "ui/status_texts.h"

namespace cli {
namespace {

struct CheckArguments {
  std::string image;
  bool asJson = false;
};

std::string HexAddress(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

std::string ModelText(const ui::CameraModel& model) {
  std::string name(model.modelName);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name.empty() ? "user-code layout camera" : name;
}

// The status text the GUI's dialog shows for this result: the outcome with the camera read,
// "please connect" when no supported camera was found. Nothing when the image failed its checks,
// the simulated camera could not be had or the camera could not be read.
std::optional<std::string> GuiStatusText(const CheckResult& r, ui::Language language) {
  if (r.decision) {
    const ui::OutcomeDecision& d = *r.decision;
    switch (d.outcome) {
      case ui::UpdateOutcome::UpdateAvailable:
        return ui::UpdateAvailableText(language, d.modelName, d.imageVersion, d.deviceVersion);
      case ui::UpdateOutcome::UpToDate:
        return ui::UpToDateText(language, d.modelName, d.deviceVersion);
      case ui::UpdateOutcome::OtherModel:
        return ui::OtherModelText(language, ui::FormModelName());
    }
  }
  const bool noSupportedCamera =
      (r.camera.status == CameraStatus::NoCamera && r.exitCode == kExitNoCamera) ||
      r.camera.status == CameraStatus::UnsupportedChip;
  if (noSupportedCamera) return ui::PleaseConnectText(language, ui::FormModelName());
  return std::nullopt;
}

void PrintText(const CheckResult& r, std::FILE* out) {
  std::fprintf(out, "image: %s\n", r.image.path.c_str());
  for (const ImageCheckItem& check : r.image.checks) {
    std::fprintf(out, "%s: %s, %s\n", check.name.c_str(), check.ok ? "ok" : "FAILED",
                 check.detail.c_str());
  }
  if (!r.image.opened) return;
  std::fprintf(out, "image firmware version: %s\n", Hex16(r.image.identity.fwVersion).c_str());
  std::fprintf(out, "image product id: %s\n", Hex16(r.image.identity.pid).c_str());
  if (r.camera.status != CameraStatus::Read) return;
  const ui::CameraModel& camera = r.camera.model;
  std::fprintf(out, "camera: %s, product id %s, layout %u\n", ModelText(camera).c_str(),
               Hex16(camera.pid).c_str(), camera.chipVariant);
  std::fprintf(out, "camera firmware version: %s\n", Hex16(camera.fwVersion).c_str());
  std::fprintf(out, "outcome: %s\n", ui::OutcomeName(r.decision->outcome));
  std::fprintf(out, "%s\n", DescribeOutcome(*r.decision).c_str());
}

void PrintJson(const CheckResult& r, const std::optional<std::string>& status, std::FILE* out) {
  nlohmann::ordered_json json;
  json["image"] = r.image.path;
  nlohmann::ordered_json checks = nlohmann::ordered_json::object();
  for (const ImageCheckItem& check : r.image.checks) {
    checks[check.name] = {{"ok", check.ok}, {"detail", check.detail}};
  }
  json["checks"] = checks;
  json["imageOk"] = r.image.ok;
  if (r.image.opened) {
    json["imageIdentity"] = {{"firmwareVersion", Hex16(r.image.identity.fwVersion)},
                             {"productId", Hex16(r.image.identity.pid)},
                             {"userDataAddress", HexAddress(r.image.identity.userDataAddress)}};
  } else {
    json["imageIdentity"] = nullptr;
  }
  if (r.camera.status == CameraStatus::Read) {
    const ui::CameraModel& camera = r.camera.model;
    json["camera"] = {{"firmwareVersion", Hex16(camera.fwVersion)},
                      {"productId", Hex16(camera.pid)},
                      {"layout", camera.chipVariant},
                      {"model", ModelText(camera)}};
    json["outcome"] = ui::OutcomeName(r.decision->outcome);
    json["reason"] = DescribeOutcome(*r.decision);
  } else {
    json["camera"] = nullptr;
    json["outcome"] = nullptr;
    const std::string problem = DescribeCameraProblem(r.camera);
    json["reason"] =
        problem.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(problem);
  }
  json["status"] = status ? nlohmann::ordered_json(*status) : nlohmann::ordered_json(nullptr);
  // A path may hold any bytes: never let one abort the report.
  const std::string text = json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
  std::fprintf(out, "%s\n", text.c_str());
}

void RunCheck(CommandContext& context, const CheckArguments& arguments) {
  const CheckResult result = CheckImage(arguments.image, context);
  const std::optional<std::string> status = GuiStatusText(result, context.language);
  if (arguments.asJson) {
    PrintJson(result, status, context.out);
  } else {
    PrintText(result, context.out);
    // The update-available text keeps its line break: it prints as two lines.
    if (status) std::fprintf(context.out, "status: %s\n", status->c_str());
  }
  if (!result.image.ok) {
    std::fprintf(context.err, "tavelin-fw: check: %s fails its checks\n",
                 result.image.path.c_str());
  } else if (result.camera.status != CameraStatus::Read &&
             result.camera.status != CameraStatus::NoCamera) {
    // A missing camera was reported when the session found none.
    std::fprintf(context.err, "tavelin-fw: check: %s\n",
                 DescribeCameraProblem(result.camera).c_str());
  }
  context.exitCode = result.exitCode;
}

}  // namespace

void AddCheckCommand(CLI::App& app, CommandContext& context) {
  CLI::App* check = app.add_subcommand(
      "check",
      "Check a firmware image file and whether it is an update for the camera; ends with "
      "\"status:\" and the text the GUI would show (see --lang)");
  auto arguments = std::make_shared<CheckArguments>();
  check->add_option("IMAGE", arguments->image, "The firmware image file")->required();
  check->add_flag("--json", arguments->asJson,
                  "Print one JSON object; its \"status\" is the GUI's status text (see --lang)");
  check->callback([&context, arguments] { RunCheck(context, *arguments); });
}

}  // namespace cli
