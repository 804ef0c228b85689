#pragma once
// What the device detection concludes from the camera and the image: the image is for another
// model, the camera is up to date, or an update is available.

#include <cstdint>
#include <span>

#include "ui/camera_model.h"
#include "ui/image_identity.h"

namespace ui {

enum class UpdateOutcome { UpdateAvailable, UpToDate, OtherModel };

// Why an image counts as for another model.
enum class OtherModelReason {
  None,
  ChipVariant,  // the camera does not boot layout 1
  ProductId,    // the image's product id is not one the camera's model takes
};

// The model rule: a TAVELIN Q takes images with product id 0x8021 or 0x1F59, a TAVELIN Q2 only
// product id 3; a user-code-layout camera takes none.
std::span<const uint16_t> AcceptedImagePids(ModelKind kind);
bool ModelAcceptsImage(ModelKind kind, uint16_t imagePid);

// The version comparison, unsigned 16-bit: a newer image is offered, and an older one too when
// the camera runs 0x1721 or 0x0108 (firmware that must be replaced even by an older release).
bool UpdateOffered(uint16_t deviceVersion, uint16_t imageVersion);

struct OutcomeDecision {
  UpdateOutcome outcome = UpdateOutcome::OtherModel;
  OtherModelReason reason = OtherModelReason::None;
  uint16_t deviceVersion = 0;
  uint16_t imageVersion = 0;
  uint16_t imagePid = 0;
  uint8_t chipVariant = 0;
  ModelKind kind = ModelKind::UserCodeLayout;
  std::string_view modelName;  // the camera's device model name, as CameraModel has it
};

OutcomeDecision DecideUpdateOutcome(const CameraModel& camera, const ImageIdentity& image);

// "update-available", "up-to-date", "other-model".
const char* OutcomeName(UpdateOutcome outcome);

}  // namespace ui
