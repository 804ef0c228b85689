#include "cli/info_command.h"

#include <memory>
#include <nlohmann/json.hpp>

#include "cli/camera_session.h"
#include "cli/hex_text.h"
#include "device/vxVidHidCls.h"

namespace cli {
namespace {

struct CameraReport {
  bool flashKnown = false;
  SpiFlashInfo flash{};
  bool versionKnown = false;
  uint16_t version = 0;
  bool identityKnown = false;
  DeviceInfo identity{};
};

CameraReport ReadCamera() {
  CameraReport report;
  report.flashKnown = vxVidHidCls_SPI_Flash_GetInfo(0, &report.flash) == 1;
  uint8_t high = 0;
  uint8_t low = 0;
  report.versionKnown = vxVidHidCls_GetFwVersion(&high, &low) >= 0;
  report.version = static_cast<uint16_t>(high << 8 | low);
  report.identityKnown = vxVidHidCls_GetDevInfo(0, &report.identity) == 1;
  return report;
}

std::string SettingsHex(const DeviceSettings& settings) {
  return HexBytes(reinterpret_cast<const uint8_t*>(&settings), sizeof settings);
}

void PrintText(const CameraReport& r, std::FILE* out) {
  if (r.flashKnown) {
    std::fprintf(out, "flash: %s, %u bytes, page %u bytes\n", r.flash.name, r.flash.capacity,
                 r.flash.pageSize);
  } else {
    std::fprintf(out, "flash: not identified\n");
  }
  if (r.versionKnown) {
    std::fprintf(out, "firmware version: %s\n", Hex16(r.version).c_str());
  } else {
    std::fprintf(out, "firmware version: unknown\n");
  }
  if (!r.identityKnown) {
    std::fprintf(out, "identity: not readable\n");
    return;
  }
  const DeviceInfo& i = r.identity;
  std::fprintf(out, "chip name: %s\n", i.chipName);
  std::fprintf(out, "layout: %u\n", i.chipVariant);
  std::fprintf(out, "vendor id: %s\n", Hex16(i.vid).c_str());
  std::fprintf(out, "product id: %s\n", Hex16(i.pid).c_str());
  std::fprintf(out, "vendor: %s\n", i.string1);
  std::fprintf(out, "product: %s\n", i.string2);
  std::fprintf(out, "serial: %s\n", i.string3);
  std::fprintf(out, "settings: %s\n", SettingsHex(i.settings).c_str());
  std::fprintf(out, "uvc defaults: %s\n", HexBytes(i.uvcDefaults, sizeof i.uvcDefaults).c_str());
}

void PrintJson(const CameraReport& r, std::FILE* out) {
  nlohmann::ordered_json json;
  if (r.flashKnown) {
    json["flash"] = {
        {"name", r.flash.name}, {"capacity", r.flash.capacity}, {"pageSize", r.flash.pageSize}};
  } else {
    json["flash"] = nullptr;
  }
  json["firmwareVersion"] = r.versionKnown ? nlohmann::ordered_json(Hex16(r.version)) : nullptr;
  if (r.identityKnown) {
    const DeviceInfo& i = r.identity;
    json["identity"] = {{"chipName", i.chipName},
                        {"layout", uint32_t{i.chipVariant}},  // a copy: the record is packed
                        {"vendorId", Hex16(i.vid)},
                        {"productId", Hex16(i.pid)},
                        {"vendor", i.string1},
                        {"product", i.string2},
                        {"serial", i.string3},
                        {"settings", SettingsHex(i.settings)},
                        {"uvcDefaults", HexBytes(i.uvcDefaults, sizeof i.uvcDefaults)}};
  } else {
    json["identity"] = nullptr;
  }
  // Strings from a camera may hold anything: never let a bad byte abort the report.
  const std::string text = json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
  std::fprintf(out, "%s\n", text.c_str());
}

void RunInfo(CommandContext& context, bool asJson) {
  CameraSession session(context);
  if (!session.found()) return;
  const CameraReport report = ReadCamera();
  asJson ? PrintJson(report, context.out) : PrintText(report, context.out);
  if (!report.flashKnown || !report.versionKnown) context.exitCode = kExitFailure;
}

}  // namespace

void AddInfoCommand(CLI::App& app, CommandContext& context) {
  CLI::App* info =
      app.add_subcommand("info", "Show the camera's flash, firmware version and identity");
  auto asJson = std::make_shared<bool>(false);
  info->add_flag("--json", *asJson, "Print one JSON object");
  info->callback([&context, asJson] { RunInfo(context, *asJson); });
}

}  // namespace cli
