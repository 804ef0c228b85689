#pragma once
// The check of a firmware image file against the camera, shared by `check` and `update`: the
// file's own checks, its identity as the device detection reads it, and the detection's
// outcome for the camera in slot 0.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_context.h"
#include "device/flash_layout.h"
#include "ui/camera_model.h"
#include "ui/image_identity.h"
#include "ui/update_outcome.h"

namespace cli {

struct ImageCheckItem {
  std::string name;  // "size", "crc-32", "boot header", "layout"
  bool ok = false;
  std::string detail;
};

struct ImageFileReport {
  std::string path;
  bool opened = false;
  uint64_t fileSize = 0;
  uint32_t storedCrc = 0;                    // bytes 0..3
  uint32_t computedCrc = 0;                  // over bytes 4 up to the 262,144-byte prefix
  uint8_t bootHeader[kBootHeaderSize] = {};  // payload bytes 0..15 (zero where missing)
  int layout = 0;                            // of the boot header, once it has the magic
  std::vector<ImageCheckItem> checks;        // size, crc-32, boot header, layout
  bool ok = false;                           // every check passed
  ui::ImageIdentity identity;                // as the device detection reads it
};

// The file's checks and identity; no camera involved.
ImageFileReport CheckImageFile(const std::string& path);

enum class CameraStatus {
  NotLooked,           // the image failed its checks first
  NoCamera,            // no session (or the devices could not be had)
  ChipTypeUnreadable,  // register 0x0000 did not answer
  UnsupportedChip,     // not of the chip family that keeps its identity in SPI flash
  IdentityUnreadable,  // the identity record could not be read
  Read,
};

struct CameraReading {
  CameraStatus status = CameraStatus::NotLooked;
  uint32_t chipRegister = 0;  // register 0x0000 as read
  ui::CameraModel model;      // when status is Read
};

// Reads the chip type and the identity record of the camera in slot 0 of the open session.
CameraReading ReadCameraForCheck();

struct CheckResult {
  ImageFileReport image;
  CameraReading camera;
  std::optional<ui::OutcomeDecision> decision;  // when the camera was read
  // 0 update available, 2 up to date, 3 no supported camera, 4 image refused or for another
  // model, 1 the camera could not be read.
  int exitCode = kExitRefused;
};

// The whole check: the file first (a failed check stops there), then a camera session of its
// own for the camera side. A missing camera is reported on the context's stderr.
CheckResult CheckImage(const std::string& path, CommandContext& context);

// Plain-text lines of one sentence each for the outcome and for a refusal.
std::string DescribeOutcome(const ui::OutcomeDecision& decision);
std::string DescribeCameraProblem(const CameraReading& camera);

}  // namespace cli
