#include "cli/image_check.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/camera_session.h"
#include "cli/hex_text.h"
#include "cli/no_camera_report.h"
#include "device/vxVidHidCls.h"
#include "transfer/crc32.h"
#include "transfer/image_builder.h"

namespace cli {
namespace {

std::string Hex32(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

std::string HexAddress(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

// Reads the prefix the download would load; false with the reason when the file is unusable.
bool ReadPrefix(ImageFileReport& report, std::vector<uint8_t>& prefix, std::string& problem) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(report.path, ec);
  if (ec || !std::filesystem::exists(status)) {
    problem = "cannot open: no such file";
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    problem = "cannot open: not a regular file";
    return false;
  }
  report.fileSize = std::filesystem::file_size(report.path, ec);
  std::FILE* file = ec ? nullptr : std::fopen(report.path.c_str(), "rb");
  if (file == nullptr) {
    problem = "cannot open: " + (ec ? ec.message() : std::string(std::strerror(errno)));
    return false;
  }
  prefix.resize(transfer::kImageFileLimit);
  prefix.resize(std::fread(prefix.data(), 1, prefix.size(), file));
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    problem = "reading the file failed";
    return false;
  }
  report.opened = true;
  return true;
}

ImageCheckItem SizeCheck(const ImageFileReport& report) {
  ImageCheckItem item{"size", false, std::to_string(report.fileSize) + " bytes"};
  if (report.fileSize < transfer::kImageChecksumSize + kBootHeaderSize) {
    item.detail += ": too short for a checksum and a boot header";
  } else if (report.fileSize > transfer::kImageFileLimit) {
    item.detail += ": more than the " + std::to_string(transfer::kImageFileLimit) +
                   " bytes the download loads";
  } else {
    item.ok = true;
  }
  return item;
}

ImageCheckItem CrcCheck(ImageFileReport& report, const std::vector<uint8_t>& prefix) {
  if (prefix.size() < transfer::kImageChecksumSize) return {"crc-32", false, "no checksum"};
  report.storedCrc = uint32_t{prefix[0]} | uint32_t{prefix[1]} << 8 | uint32_t{prefix[2]} << 16 |
                     uint32_t{prefix[3]} << 24;
  report.computedCrc = transfer::Crc32(0, prefix.data() + transfer::kImageChecksumSize,
                                       prefix.size() - transfer::kImageChecksumSize);
  if (report.storedCrc == report.computedCrc) return {"crc-32", true, Hex32(report.storedCrc)};
  return {"crc-32", false,
          "stored " + Hex32(report.storedCrc) + ", computed " + Hex32(report.computedCrc)};
}

ImageCheckItem MagicCheck(const ImageFileReport& report) {
  const uint8_t* h = report.bootHeader;
  if (h[0] == kBootMagic0 && h[1] == kBootMagic1) return {"boot header", true, "magic 1A EB"};
  return {"boot header", false,
          "the payload begins " + HexBytes(h, 2) + ", not the boot header magic 1A EB"};
}

// The header must place its images inside the payload and its user data in one 4 KB sector
// below 0x10000, where the camera library can rewrite it.
ImageCheckItem LayoutCheck(ImageFileReport& report, size_t payloadSize) {
  const BootHeader header = DecodeBootHeader(report.bootHeader);
  report.layout = BootLayout(header);
  const uint32_t block = UserDataAddress(header);
  ImageCheckItem item{"layout", false, "layout " + std::to_string(report.layout)};
  const auto ends = [payloadSize](uint32_t address, uint32_t size) {
    return uint64_t{address} + size <= payloadSize;
  };
  if (!UserDataFitsOneSector(block)) {
    item.detail += ": the user data at " + HexAddress(block) +
                   " does not lie in one 4 KB sector below 0x10000";
  } else if (!ends(block, sizeof(UserDataBlock))) {
    item.detail += ": the user data at " + HexAddress(block) + " runs past the end of the file";
  } else if (!ends(header.bootAddr, header.bootSize)) {
    item.detail += ": the boot image runs past the end of the file";
  } else if (report.layout == 2 && !ends(header.userCodeAddr, header.userCodeSize)) {
    item.detail += ": the user-code image runs past the end of the file";
  } else {
    item.ok = true;
    item.detail += ", user data at " + HexAddress(block);
  }
  return item;
}

}  // namespace

ImageFileReport CheckImageFile(const std::string& path) {
  ImageFileReport report;
  report.path = path;
  std::vector<uint8_t> prefix;
  std::string problem;
  if (!ReadPrefix(report, prefix, problem)) {
    report.checks.push_back({"size", false, problem});
    return report;
  }
  const size_t payloadStart = std::min<size_t>(prefix.size(), transfer::kImageChecksumSize);
  const size_t payloadSize = prefix.size() - payloadStart;
  std::copy_n(prefix.begin() + payloadStart, std::min(payloadSize, kBootHeaderSize),
              report.bootHeader);
  report.checks.push_back(SizeCheck(report));
  report.checks.push_back(CrcCheck(report, prefix));
  report.checks.push_back(MagicCheck(report));
  if (report.checks.back().ok) report.checks.push_back(LayoutCheck(report, payloadSize));
  report.ok = std::all_of(report.checks.begin(), report.checks.end(),
                          [](const ImageCheckItem& item) { return item.ok; });
  report.identity = ui::ImageIdentityFromBytes(prefix);
  return report;
}

CameraReading ReadCameraForCheck() {
  CameraReading reading;
  if (vxVidHidCls_RegRead(ui::kChipTypeRegister, 4, &reading.chipRegister) < 0) {
    reading.status = CameraStatus::ChipTypeUnreadable;
    return reading;
  }
  if (ui::ChipTypeFromRegister(reading.chipRegister) != ui::kChipTypeSupported) {
    reading.status = CameraStatus::UnsupportedChip;
    return reading;
  }
  DeviceInfo info{};
  if (vxVidHidCls_GetDevInfo(0, &info) != 1) {
    reading.status = CameraStatus::IdentityUnreadable;
    return reading;
  }
  reading.model = ui::CameraModelFromIdentity(info);
  reading.status = CameraStatus::Read;
  return reading;
}

CheckResult CheckImage(const std::string& path, CommandContext& context) {
  CheckResult result;
  result.image = CheckImageFile(path);
  if (!result.image.ok) {
    result.exitCode = kExitRefused;
    return result;
  }
  CameraSession session(context);
  if (!session.found()) {
    result.camera.status = CameraStatus::NoCamera;
    result.exitCode = context.exitCode;  // no camera, or the simulated one could not be had
    return result;
  }
  result.camera = ReadCameraForCheck();
  switch (result.camera.status) {
    case CameraStatus::Read:
      break;
    case CameraStatus::UnsupportedChip:
      result.exitCode = kExitNoCamera;
      return result;
    default:
      result.exitCode = kExitFailure;
      return result;
  }
  result.decision = ui::DecideUpdateOutcome(result.camera.model, result.image.identity);
  switch (result.decision->outcome) {
    case ui::UpdateOutcome::UpdateAvailable:
      result.exitCode = kExitOk;
      break;
    case ui::UpdateOutcome::UpToDate:
      result.exitCode = kExitNothingToDo;
      break;
    case ui::UpdateOutcome::OtherModel:
      result.exitCode = kExitRefused;
      break;
  }
  return result;
}

namespace {

std::string ModelName(const ui::OutcomeDecision& decision) {
  std::string name(decision.modelName);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

// "0x8021 or 0x1F59".
std::string AcceptedIds(ui::ModelKind kind) {
  std::string text;
  for (const uint16_t pid : ui::AcceptedImagePids(kind)) {
    text += (text.empty() ? "" : " or ") + Hex16(pid);
  }
  return text.empty() ? "none" : text;
}

}  // namespace

std::string DescribeOutcome(const ui::OutcomeDecision& d) {
  const std::string versions =
      "camera " + Hex16(d.deviceVersion) + ", image " + Hex16(d.imageVersion);
  switch (d.outcome) {
    case ui::UpdateOutcome::UpdateAvailable:
      return "an update is available for the " + ModelName(d) + " (" + versions + ")";
    case ui::UpdateOutcome::UpToDate:
      return "the " + ModelName(d) + " is up to date (" + versions + ")";
    case ui::UpdateOutcome::OtherModel:
      break;
  }
  if (d.reason == ui::OtherModelReason::ChipVariant) {
    return "this image is not for this camera: it boots layout " + std::to_string(d.chipVariant) +
           ", and images are offered to layout-1 cameras only";
  }
  return "this image is not for this camera: its product id " + Hex16(d.imagePid) +
         " is not one a " + ModelName(d) + " takes (" + AcceptedIds(d.kind) + ")";
}

std::string DescribeCameraProblem(const CameraReading& camera) {
  switch (camera.status) {
    case CameraStatus::ChipTypeUnreadable:
      return "cannot read the camera's chip type (register 0x0000)";
    case CameraStatus::UnsupportedChip:
      return "the camera is not of the supported chip family (register 0x0000 reads " +
             Hex32(camera.chipRegister) + ")";
    case CameraStatus::IdentityUnreadable:
      return "cannot read the camera's identity record";
    case CameraStatus::NoCamera:
      return NoCameraMessage();
    case CameraStatus::NotLooked:
    case CameraStatus::Read:
      break;
  }
  return {};
}

}  // namespace cli
