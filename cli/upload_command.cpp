#include "cli/upload_command.h"

#include <cstring>
#include <memory>
#include <string>

#include "cli/engine_session.h"
#include "cli/job_runner.h"
#include "transfer/engine.h"

namespace cli {
namespace {

struct UploadRequest {
  std::string path;
  unsigned kind = 2;
  uint32_t address = 0;
  uint32_t size = 131072;
  unsigned option = 0;
};

void RunUpload(CommandContext& context, const UploadRequest& request) {
  transfer::UploadJobRecord record{};
  if (request.path.size() >= sizeof record.path) {
    std::fprintf(context.err, "tavelin-fw: the file path is longer than %zu characters\n",
                 sizeof record.path - 1);
    context.exitCode = kExitRefused;
    return;
  }
  EngineSession session(context);
  if (!session.open()) return;
  std::memcpy(record.path, request.path.c_str(), request.path.size() + 1);
  record.kind = static_cast<uint8_t>(request.kind);
  record.address = request.address;
  record.size = request.size;
  record.option = static_cast<uint8_t>(request.option);

  const JobResult result =
      RunJob(context, false, context.out, [&](transfer::TransferWindow* window) {
        record.window = window;
        return transfer::StartFirmwareUpload(record);
      });
  if (!result.started) {
    std::fprintf(context.err, "tavelin-fw: upload refused: %s\n", result.refusal.c_str());
    context.exitCode = kExitRefused;
    return;
  }
  if (!result.succeeded()) {
    std::fprintf(context.err, "tavelin-fw: upload failed: %s\n", result.FailureReason().c_str());
    context.exitCode = kExitFailure;
    return;
  }
  std::fprintf(context.out, "written: %s\n", request.path.c_str());
}

void AddAddressAndSize(CLI::App* command, UploadRequest& request) {
  command->add_option("--address", request.address, "Store address to read from")
      ->capture_default_str();
  command->add_option("--size", request.size, "Bytes to read")->capture_default_str();
}

}  // namespace

void AddUploadCommands(CLI::App& app, CommandContext& context) {
  auto dump = std::make_shared<UploadRequest>();
  CLI::App* dumpCommand =
      app.add_subcommand("dump", "Read the camera's flash into an image file (CRC-32 first)");
  dumpCommand->add_option("FILE", dump->path, "Output file")->required();
  AddAddressAndSize(dumpCommand, *dump);
  dumpCommand->callback([&context, dump] { RunUpload(context, *dump); });

  auto upload = std::make_shared<UploadRequest>();
  CLI::App* uploadCommand =
      app.add_subcommand("upload", "Read the camera's firmware store into a file, by layout kind");
  uploadCommand->add_option("FILE", upload->path, "Output file")->required();
  uploadCommand
      ->add_option("--kind", upload->kind,
                   "0 boot-record layout (EEPROM or SPI), 1 paged layout, 2 header layout")
      ->required()
      ->check(CLI::Range(0u, 2u));
  AddAddressAndSize(uploadCommand, *upload);
  uploadCommand->add_option("--option", upload->option, "Variant of the upload (raw copies)")
      ->check(CLI::Range(0u, 255u));
  uploadCommand->callback([&context, upload] { RunUpload(context, *upload); });
}

}  // namespace cli
