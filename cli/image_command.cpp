#include "cli/image_command.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/hex_text.h"
#include "sim/factory_contents.h"
#include "transfer/image_builder.h"

namespace cli {
namespace {

struct MakeArguments {
  std::string output;
  std::string version;
  std::string pid;
  std::string vid;
  std::string vendor = "TAVELIN";
  std::string product = "TAVELIN Q2";
  std::string serial;
  int layout = 1;
  uint64_t size = transfer::kDefaultImageFileSize;
};

std::optional<uint16_t> ParseId(const char* what, const std::string& text,
                                CommandContext& context) {
  const std::optional<uint16_t> value = ParseHex16(text);
  if (!value) {
    std::fprintf(context.err, "tavelin-fw: image make: the %s \"%s\" is not a 16-bit hex number\n",
                 what, text.c_str());
  }
  return value;
}

void RunMake(CommandContext& context, const MakeArguments& arguments) {
  const std::optional<uint16_t> version = ParseId("version", arguments.version, context);
  const std::optional<uint16_t> pid = ParseId("product id", arguments.pid, context);
  // Without --vid the image carries the vendor id of the built-in simulated camera.
  const std::optional<uint16_t> vid = arguments.vid.empty()
                                          ? std::optional<uint16_t>(sim::kSimVendorId)
                                          : ParseId("vendor id", arguments.vid, context);
  if (!version || !pid || !vid) {
    context.exitCode = kExitRefused;
    return;
  }
  transfer::ImageRecipe recipe;
  recipe.identity.fwVersion = *version;
  recipe.identity.pid = *pid;
  recipe.identity.vid = *vid;
  recipe.identity.vendor = arguments.vendor;
  recipe.identity.product = arguments.product;
  recipe.identity.serial = arguments.serial;
  recipe.layout = arguments.layout;
  // Anything beyond 32 bits is over the limit too; the builder says why.
  recipe.fileSize = static_cast<uint32_t>(std::min<uint64_t>(arguments.size, UINT32_MAX));

  std::vector<uint8_t> file;
  std::string problem;
  if (!transfer::BuildImage(recipe, file, problem)) {
    std::fprintf(context.err, "tavelin-fw: image make: %s\n", problem.c_str());
    context.exitCode = kExitRefused;
    return;
  }
  if (!transfer::WriteImageFile(arguments.output, file, problem)) {
    std::fprintf(context.err, "tavelin-fw: image make: %s\n", problem.c_str());
    context.exitCode = kExitFailure;
    return;
  }
  std::fprintf(context.out,
               "image written: %s, %zu bytes, layout %d, firmware version %s, product id %s, "
               "vendor id %s\n",
               arguments.output.c_str(), file.size(), recipe.layout, Hex16(*version).c_str(),
               Hex16(*pid).c_str(), Hex16(*vid).c_str());
}

}  // namespace

void AddImageCommand(CLI::App& app, CommandContext& context) {
  CLI::App* image = app.add_subcommand("image", "Firmware image files");
  image->require_subcommand(1);
  CLI::App* make =
      image->add_subcommand("make", "Write a firmware image file (raw, with its CRC-32)");
  auto arguments = std::make_shared<MakeArguments>();
  make->add_option("OUT", arguments->output, "The image file to write")->required();
  make->add_option("--version", arguments->version, "Firmware version, hex")->required();
  make->add_option("--pid", arguments->pid, "USB product id, hex")->required();
  make->add_option("--vid", arguments->vid,
                   "USB vendor id, hex (default " + Hex16(sim::kSimVendorId) + ")");
  make->add_option("--vendor", arguments->vendor, "Vendor string")->capture_default_str();
  make->add_option("--product", arguments->product, "Product string")->capture_default_str();
  make->add_option("--serial", arguments->serial, "Serial number string (default empty)");
  make->add_option("--layout", arguments->layout,
                   "Boot layout: 1 boot image only, 2 with a "
                   "user-code image")
      ->capture_default_str();
  make->add_option("--size", arguments->size,
                   "File size in bytes, checksum included (at most 262144)")
      ->capture_default_str();
  make->callback([&context, arguments] { RunMake(context, *arguments); });
}

}  // namespace cli
