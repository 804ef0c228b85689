#include "cli/identity_command.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "cli/camera_session.h"
#include "cli/hex_text.h"
#include "device/usb_string_descriptor.h"
#include "device/vxVidHidCls.h"

namespace cli {
namespace {

struct IdentityChanges {
  std::optional<std::string> vid;
  std::optional<std::string> pid;
  std::optional<std::string> vendor;
  std::optional<std::string> product;
  std::optional<std::string> serial;
};

// The camera keeps at most 30 UTF-16 units per string: a longer text is refused, not cut.
bool FitsDescriptor(const std::string& text) {
  uint8_t descriptor[kStringDescriptorSize];
  const size_t units = EncodeStringDescriptor(text, descriptor);
  return DecodeStringDescriptor(descriptor) == text && units <= kStringDescriptorUnits &&
         text.find('\0') == std::string::npos;
}

bool ApplyText(const char* what, const std::optional<std::string>& text, char (&field)[260],
               CommandContext& context) {
  if (!text) return true;
  if (!FitsDescriptor(*text)) {
    std::fprintf(context.err,
                 "tavelin-fw: the %s \"%s\" does not fit the camera's 30 UTF-16 units (or is "
                 "not valid UTF-8)\n",
                 what, text->c_str());
    return false;
  }
  std::memset(field, 0, sizeof field);
  std::memcpy(field, text->data(), text->size());
  return true;
}

bool ApplyId(const char* what, const std::optional<std::string>& text, uint16_t& field,
             CommandContext& context) {
  if (!text) return true;
  const std::optional<uint16_t> value = ParseHex16(*text);
  if (!value) {
    std::fprintf(context.err, "tavelin-fw: the %s \"%s\" is not a 16-bit hex number\n", what,
                 text->c_str());
    return false;
  }
  field = *value;
  return true;
}

void RunIdentitySet(CommandContext& context, const IdentityChanges& changes) {
  if (!changes.vid && !changes.pid && !changes.vendor && !changes.product && !changes.serial) {
    std::fprintf(context.err, "tavelin-fw: identity set: nothing to change (see --help)\n");
    context.exitCode = kExitNothingToDo;
    return;
  }
  CameraSession session(context);
  if (!session.found()) return;
  DeviceInfo info{};
  if (!vxVidHidCls_GetDevInfo(0, &info)) {
    std::fprintf(context.err, "tavelin-fw: cannot read the camera's identity record\n");
    context.exitCode = kExitFailure;
    return;
  }
  if (!ApplyId("vendor id", changes.vid, info.vid, context) ||
      !ApplyId("product id", changes.pid, info.pid, context) ||
      !ApplyText("vendor", changes.vendor, info.string1, context) ||
      !ApplyText("product", changes.product, info.string2, context) ||
      !ApplyText("serial", changes.serial, info.string3, context)) {
    context.exitCode = kExitRefused;
    return;
  }
  if (!vxVidHidCls_SetDevInfo(0, &info)) {
    std::fprintf(context.err,
                 "tavelin-fw: writing the identity record failed; run with --trace to see which "
                 "step\n");
    context.exitCode = kExitFailure;
    return;
  }
  std::fprintf(
      context.out, "identity written: vendor id %s, product id %s, \"%s\", \"%s\", \"%s\"\n",
      Hex16(info.vid).c_str(), Hex16(info.pid).c_str(), info.string1, info.string2, info.string3);
}

}  // namespace

void AddIdentityCommand(CLI::App& app, CommandContext& context) {
  CLI::App* identity = app.add_subcommand("identity", "Change the camera's USB identity");
  identity->require_subcommand(1);
  CLI::App* set = identity->add_subcommand("set", "Change the given fields and write them back");
  auto changes = std::make_shared<IdentityChanges>();
  set->add_option("--vid", changes->vid, "USB vendor id, hex");
  set->add_option("--pid", changes->pid, "USB product id, hex");
  set->add_option("--vendor", changes->vendor, "Vendor string");
  set->add_option("--product", changes->product, "Product string");
  set->add_option("--serial", changes->serial, "Serial number string");
  set->callback([&context, changes] { RunIdentitySet(context, *changes); });
}

}  // namespace cli
